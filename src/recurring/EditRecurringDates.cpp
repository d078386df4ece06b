#include "recurring/EditRecurringDates.h"

#include "platformui/UiServices.h"
#include "platformui/Utility.h"
#include "recurring/EditRecurringDateFormula.h"
#include "recurring/GetHolidays.h"
#include "recurring/RecordOrder.h"
#include "recurring/RecordTickList.h"
#include "recurring/RecurringDatesFile.h"
#include "recurring/RecurringRecord.h"
#include "recurring/RecurringText.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSet>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int RowHeight = 16;

// Draws a row as its record's list text, in the highlight colours when it is selected.
class TRecordRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->fillRect(option.rect, option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(option.font);
        painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          RecordDisplayText(index.data().toString()));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), RowHeight};
    }
};

} // namespace

TEditRecurringDates::TEditRecurringDates(const QString& fileName, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_FileName(fileName)
{
    setWindowTitle("Recurring Dates");
    setFont(QFont("Arial", 8));
    resize(477, 321);

    m_DatesList = new QListWidget(this);
    m_DatesList->setObjectName("DatesList");
    m_DatesList->setFont(QFont("Arial", 9));
    m_DatesList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_DatesList->setUniformItemSizes(true);
    m_DatesList->setItemDelegate(new TRecordRowDelegate(m_DatesList));
    connect(m_DatesList, &QListWidget::itemSelectionChanged, this, &TEditRecurringDates::setbuttons);

    const auto addButton = [this](const QString& name, const QString& caption, void (TEditRecurringDates::*click)()) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, click);
        return button;
    };
    m_okbutton = addButton("okbutton", "Ok", &TEditRecurringDates::okbuttonClick);
    m_okbutton->setDefault(true);
    m_Editbutton = addButton("Editbutton", "Edit", &TEditRecurringDates::EditbuttonClick);
    m_Newbutton = addButton("Newbutton", "New", &TEditRecurringDates::NewbuttonClick);
    m_DeleteButton = addButton("DeleteButton", "Delete", &TEditRecurringDates::DeleteButtonClick);
    m_Holidaysbutton = addButton("Holidaysbutton", "Holidays", &TEditRecurringDates::HolidaysbuttonClick);
    m_CancelButton = addButton("CancelButton", "Cancel", &TEditRecurringDates::CancelButtonClick);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button :
         {m_okbutton, m_Editbutton, m_Newbutton, m_DeleteButton, m_Holidaysbutton, m_CancelButton})
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_DatesList, 1);
    layout->addLayout(buttons);

    // FormCreate.
    setbuttons();
    const TRecurringDatesRead read = ReadRecurringDatesFile(fileName);
    if (!read.Ok()) {
        m_LoadError = "Unable to read " + fileName + ".\r" + read.Error;
        return;
    }
    QStringList records = read.Records;
    std::stable_sort(records.begin(), records.end(), TRecordOrder());
    m_DatesList->addItems(records);
    if (m_DatesList->count() > 0)
        SelectRow(0);
}

QStringList TEditRecurringDates::Records() const
{
    QStringList records;
    for (int row = 0; row < m_DatesList->count(); ++row)
        records += m_DatesList->item(row)->text();
    return records;
}

void TEditRecurringDates::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    setbuttons();
}

int TEditRecurringDates::SelectedRow() const
{
    const QList<QListWidgetItem*> selected = m_DatesList->selectedItems();
    return selected.isEmpty() ? -1 : m_DatesList->row(selected.first());
}

void TEditRecurringDates::SelectRow(int row)
{
    m_DatesList->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

int TEditRecurringDates::AddRecord(const QString& record)
{
    const QStringList records = Records();
    const int row = int(std::upper_bound(records.begin(), records.end(), record, TRecordOrder()) - records.begin());
    m_DatesList->insertItem(row, record);
    return row;
}

void TEditRecurringDates::setbuttons()
{
    const bool selected = SelectedRow() >= 0;
    m_Editbutton->setEnabled(selected);
    m_DeleteButton->setEnabled(selected);
}

void TEditRecurringDates::okbuttonClick()
{
    // A failed write keeps the dialog open with the user's changes.
    const QString error = WriteRecurringDatesFile(m_FileName, Records());
    if (!error.isEmpty()) {
        ShowInfo("Unable to save " + m_FileName + ".\r" + error);
        return;
    }
    accept();
}

void TEditRecurringDates::CancelButtonClick()
{
    reject();
}

void TEditRecurringDates::DeleteButtonClick()
{
    const int row = SelectedRow();
    if (row >= 0)
        delete m_DatesList->takeItem(row);
    if (m_DatesList->count() > 0)
        SelectRow(0);
    setbuttons();
}

void TEditRecurringDates::EditbuttonClick()
{
    const int row = SelectedRow();
    if (row < 0) {
        UiServices().Beep();
        return;
    }
    const QString record = m_DatesList->item(row)->text();
    const std::optional<QChar> kind = RecordKind(record);
    // Easter-based days are edited in the formula dialog; the first catalogue's three feasts and
    // tags this version does not know are left as they are.
    const QString tag = RecordTag(record);
    if (kind == FeastKind && (IsFirstCatalogueTag(tag) || !ParseEasterTag(tag)))
        ShowInfo("This entry cannot be edited");
    else if (kind == FeastKind || kind == SpecialKind || kind == WeekdaysKind || kind == DayOfMonthKind)
        DoEditRecurringFormula();
}

void TEditRecurringDates::DoEditRecurringFormula()
{
    const int row = SelectedRow();
    if (row < 0) {
        UiServices().Beep();
        return;
    }
    const QString record = m_DatesList->item(row)->text();
    TEditRecurringDateFormula dialog(this);
    // The padding of the event text is left out of the edit field; the record pads it again.
    QString eventText = RecordEventText(record);
    while (eventText.endsWith(u' '))
        eventText.chop(1);
    dialog.SetEventText(eventText);
    // A tag may run one column past the formula.
    dialog.SetFormula(RecordKind(record) == FeastKind ? RecordTag(record) : RecordFormula(record));
    dialog.setWindowTitle("Edit Recurring Date Formula");
    CenterDialog(dialog);
    if (UiServices().ExecDialog(dialog) == QDialog::Accepted) {
        delete m_DatesList->takeItem(row);
        SelectRow(AddRecord(MakeRecord(dialog.EventText(), dialog.Formula())));
    }
    setbuttons();
}

void TEditRecurringDates::NewbuttonClick()
{
    TEditRecurringDateFormula dialog(this);
    dialog.SetFormula(QString(DayOfMonthKind));
    dialog.SetEventText("[Enter event]");
    dialog.setWindowTitle("Add Recurring Date");
    CenterDialog(dialog);
    if (UiServices().ExecDialog(dialog) == QDialog::Accepted)
        SelectRow(AddRecord(MakeRecord(dialog.EventText(), dialog.Formula())));
    setbuttons();
}

void TEditRecurringDates::HolidaysbuttonClick()
{
    TGetHolidays dialog(this);
    CenterDialog(dialog);
    if (UiServices().ExecDialog(dialog) == QDialog::Accepted) {
        QSet<QString> known;
        for (const QString& record : Records())
            known.insert(record.toCaseFolded());
        for (const QString& holiday : dialog.List().TickedRecords()) {
            if (known.contains(holiday.toCaseFolded()))
                continue;
            known.insert(holiday.toCaseFolded());
            AddRecord(holiday);
        }
    }
    if (m_DatesList->count() > 0 && SelectedRow() < 0)
        SelectRow(0);
    setbuttons();
}
