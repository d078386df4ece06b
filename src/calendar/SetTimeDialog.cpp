#include "calendar/SetTimeDialog.h"

#include "controls/OkCancelButtons.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* TimeButton(const QString& caption, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFixedSize(32, 24);
    button->setAutoDefault(false);
    return button;
}

// The chosen button yellow, the others back to the button face of their parent.
void Mark(QPushButton* button, bool chosen)
{
    QPalette palette;
    if (chosen)
        palette.setColor(QPalette::Button, Qt::yellow);
    button->setPalette(palette);
}

} // namespace

TSetTimeDialog::TSetTimeDialog(QWidget* parent)
    : QDialog(parent)
{
    auto* hourPanel = new QGroupBox("  Hour", this);
    hourPanel->setObjectName("HourPanel");
    auto* hours = new QGridLayout(hourPanel);
    for (int row = 0; row < 2; ++row) {
        hours->addWidget(new QLabel(row == 0 ? "AM" : "PM", hourPanel), row, 0);
        for (int column = 0; column < 12; ++column) {
            const int tag = row * 12 + column;
            QPushButton* button =
                TimeButton(QString::number(column == 0 ? 12 : column), QString("HourButton%1").arg(tag), hourPanel);
            connect(button, &QPushButton::clicked, this, [this, tag] { HourClick(tag); });
            hours->addWidget(button, row, column + 1);
            m_HourButtons += button;
        }
    }

    auto* minutePanel = new QGroupBox("  Minute", this);
    minutePanel->setObjectName("MinutePanel");
    auto* minutes = new QGridLayout(minutePanel);
    for (int tag = 0; tag < 60; ++tag) {
        const QString caption = QString("%1").arg(tag, 2, 10, QChar('0'));
        QPushButton* button = TimeButton(caption, "MinuteButton" + caption, minutePanel);
        connect(button, &QPushButton::clicked, this, [this, tag] { MinuteClick(tag); });
        minutes->addWidget(button, tag / 12, tag % 12);
        m_MinuteButtons += button;
    }

    QHBoxLayout* buttons = OkCancelButtons(*this, "&Ok", "&Cancel");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hourPanel);
    layout->addWidget(minutePanel);
    layout->addLayout(buttons);
    ShowTime();
}

void TSetTimeDialog::SetTime(const QTime& time)
{
    m_Hour = time.isValid() ? time.hour() : 0;
    m_Minute = time.isValid() ? time.minute() : 0;
    ShowTime();
}

void TSetTimeDialog::HourClick(int tag)
{
    m_Hour = tag;
    ShowTime();
}

void TSetTimeDialog::MinuteClick(int tag)
{
    m_Minute = tag;
    ShowTime();
}

void TSetTimeDialog::ShowTime()
{
    setWindowTitle("Set Time As: " + Time().toString("hh:mm ap"));
    for (int tag = 0; tag < m_HourButtons.size(); ++tag)
        Mark(m_HourButtons[tag], tag == m_Hour);
    for (int tag = 0; tag < m_MinuteButtons.size(); ++tag)
        Mark(m_MinuteButtons[tag], tag == m_Minute);
}
