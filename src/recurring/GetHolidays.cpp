#include "recurring/GetHolidays.h"

#include "recurring/HolidayCatalogue.h"
#include "recurring/RecordOrder.h"
#include "recurring/RecordTickList.h"
#include "recurring/RecurringRecord.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

TGetHolidays::TGetHolidays(QWidget* parent)
    : TTickListDialog("Holidays", QSize(417, 273), {"Holidays", "AllButton", "nonebutton"}, parent)
    , m_Country(new QComboBox(this))
{
    m_Country->setObjectName("Country");
    for (const THolidayCountry& country : HolidayCountries())
        m_Country->addItem(country.Name, country.Code);
    auto* label = new QLabel("Co&untry:", this);
    label->setBuddy(m_Country);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_Country, 1);
    ListColumn().insertLayout(0, row);

    SetCountryCode(HolidayCountryCode(QLocale().territory()));
    CountryChange();
    connect(m_Country, &QComboBox::currentIndexChanged, this, &TGetHolidays::CountryChange);
}

QString TGetHolidays::CountryCode() const
{
    return m_Country->currentData().toString();
}

void TGetHolidays::SetCountryCode(const QString& code)
{
    const int index = m_Country->findData(code.toUpper());
    if (index >= 0)
        m_Country->setCurrentIndex(index);
}

void TGetHolidays::CountryChange()
{
    QStringList records = HolidayCatalogue(CountryCode());
    std::stable_sort(records.begin(), records.end(), TRecordOrder());
    List().SetRecords(records);
}
