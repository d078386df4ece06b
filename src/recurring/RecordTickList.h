#pragma once
// The list of the holiday and selection dialogs: one row per recurring date record, a ticked row
// being a selected one (a click ticks or unticks it, several rows can be ticked). Rows are drawn
// by the list itself: the record's list text after a check picture when ticked, white on black in
// the row that has the focus. The strings of the list are the records themselves.

#include <QImage>
#include <QListWidget>

class TRecordTickList : public QListWidget {
    Q_OBJECT
public:
    explicit TRecordTickList(QWidget* parent = nullptr);

    void SetRecords(const QStringList& records);
    QStringList Records() const;
    // The records of the ticked rows, in list order.
    QStringList TickedRecords() const;
    bool IsTicked(int row) const;
    void SetTicked(int row, bool ticked);
    void TickAll(bool ticked);

    // The check pictures: a black check mark for rows without the focus, a white one for the row
    // with it; the rest of each picture is transparent.
    const QImage& CheckBmp() const { return m_CheckBmp; }
    const QImage& RevCheckBmp() const { return m_RevCheckBmp; }

private:
    QImage m_CheckBmp;
    QImage m_RevCheckBmp;
};
