#pragma once
// Picks the start time of the day planners: one button per hour of the day (AM and PM rows) and
// one per minute. The chosen hour and minute are marked yellow and the caption shows the time.
// The properties dialog opens it with the time it shows and takes the time back after OK.

#include <QDialog>
#include <QList>
#include <QTime>

class QPushButton;

class TSetTimeDialog : public QDialog {
    Q_OBJECT
public:
    explicit TSetTimeDialog(QWidget* parent = nullptr);

    // Shows `time` (seconds dropped; an invalid time shows midnight).
    void SetTime(const QTime& time);
    QTime Time() const { return QTime(m_Hour, m_Minute); }

private:
    void HourClick(int tag);
    void MinuteClick(int tag);
    void ShowTime();

    QList<QPushButton*> m_HourButtons;   // tag = hour of the day 0..23
    QList<QPushButton*> m_MinuteButtons; // tag = minute 0..59
    int m_Hour = 0;
    int m_Minute = 0;
};
