#pragma once
// The predefined holidays the holiday dialog offers and `mvtool holidays` prints: one catalogue
// per country, as full records in a fixed order. The United States catalogue is the program's
// first; the others hold each country's national public holidays (no regional ones, no days
// that stand in for a holiday on a weekend), named in the country's language.

#include <QLocale>
#include <QList>
#include <QString>
#include <QStringList>

struct THolidayCountry {
    QString Code; // ISO 3166 alpha-2, as `mvtool holidays` takes it
    QString Name; // as the holiday dialog lists it
    QLocale::Territory Territory;
};

// The countries with a catalogue, the United States first.
const QList<THolidayCountry>& HolidayCountries();
// The code of the country whose catalogue suits `territory`; "US" when none has one.
QString HolidayCountryCode(QLocale::Territory territory);

// The records of a country's catalogue (code compared ignoring case): event text padded to 120
// columns, then the formula padded to 10, or the `#` tag unpadded. Empty for an unknown code.
QStringList HolidayCatalogue(const QString& countryCode);
