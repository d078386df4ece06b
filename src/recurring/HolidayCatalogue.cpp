#include "recurring/HolidayCatalogue.h"

#include "recurring/RecurringRecord.h"

#include <algorithm>
#include <initializer_list>

namespace {

struct THoliday {
    const char16_t* EventText;
    const char* Formula;
};

QStringList Records(std::initializer_list<THoliday> holidays)
{
    QStringList records;
    for (const THoliday& holiday : holidays)
        records += MakeRecord(QString::fromUtf16(holiday.EventText), holiday.Formula);
    return records;
}

// Easter-based days are written with their offset ("#EASTER+1"), so the lists show what they
// are; only the first catalogue uses the three tags of its time.
QStringList UnitedStates()
{
    return Records({
        {u"April Fools's Day", "@0401"},
        {u"Armed Forces Day", "$2 6 5"},
        {u"Christmas Day", "@1225"},
        {u"Daylight Savings time begins", "$0 0 4"},
        {u"Daylight Savings Time ends", "$5 0 10"},
        {u"Easter", "#EASTER"},
        {u"Father's Day", "$2 0 6"},
        {u"Flag Day", "@0614"},
        {u"Good Friday", "#GOODFRIDAY"},
        {u"Groundhog Day", "@0202"},
        {u"Halloween", "@1031"},
        {u"Independence Day", "@0704"},
        {u"Labor Day", "$0 1 9"},
        {u"Lincoln's Birthday", "@0212"},
        {u"Martin Luther King Day", "$2 1 1"},
        {u"Memorial Day", "$5 1 5"},
        {u"Mother's Day", "$1 0 5"},
        {u"New Year's Day", "@0101"},
        {u"Palm Sunday", "#PALMSUNDAY"},
        {u"President's Day", "$2 1 2"},
        {u"St. Patrick's Day", "@0317"},
        {u"Thanksgiving Day", "$3 4 11"},
        {u"United Nations Day", "@1024"},
        {u"Valentine's Day", "@0214"},
        {u"Veterans Day", "@1111"},
        {u"Washington's Birthday", "@0222"},
    });
}

// England and Wales: the bank holidays of the Banking and Financial Dealings Act 1971 and the
// two May holidays added by proclamation.
QStringList UnitedKingdom()
{
    return Records({
        {u"New Year's Day", "@0101"},
        {u"Good Friday", "#EASTER-2"},
        {u"Easter Monday", "#EASTER+1"},
        {u"Early May bank holiday", "$0 1 5"},
        {u"Spring bank holiday", "$5 1 5"},
        {u"Summer bank holiday", "$5 1 8"},
        {u"Christmas Day", "@1225"},
        {u"Boxing Day", "@1226"},
    });
}

// The days that are holidays in every state.
QStringList Germany()
{
    return Records({
        {u"Neujahr", "@0101"},
        {u"Karfreitag", "#EASTER-2"},
        {u"Ostermontag", "#EASTER+1"},
        {u"Tag der Arbeit", "@0501"},
        {u"Christi Himmelfahrt", "#EASTER+39"},
        {u"Pfingstmontag", "#EASTER+50"},
        {u"Tag der Deutschen Einheit", "@1003"},
        {u"1. Weihnachtstag", "@1225"},
        {u"2. Weihnachtstag", "@1226"},
    });
}

// The holidays of the Feiertagsruhegesetz.
QStringList Austria()
{
    return Records({
        {u"Neujahr", "@0101"},
        {u"Heilige Drei Könige", "@0106"},
        {u"Ostermontag", "#EASTER+1"},
        {u"Staatsfeiertag", "@0501"},
        {u"Christi Himmelfahrt", "#EASTER+39"},
        {u"Pfingstmontag", "#EASTER+50"},
        {u"Fronleichnam", "#EASTER+60"},
        {u"Mariä Himmelfahrt", "@0815"},
        {u"Nationalfeiertag", "@1026"},
        {u"Allerheiligen", "@1101"},
        {u"Mariä Empfängnis", "@1208"},
        {u"Christtag", "@1225"},
        {u"Stefanitag", "@1226"},
    });
}

// The eleven holidays of the Code du travail (Alsace-Moselle and the overseas departments have
// more).
QStringList France()
{
    return Records({
        {u"Jour de l'an", "@0101"},
        {u"Lundi de Pâques", "#EASTER+1"},
        {u"Fête du Travail", "@0501"},
        {u"Victoire 1945", "@0508"},
        {u"Ascension", "#EASTER+39"},
        {u"Lundi de Pentecôte", "#EASTER+50"},
        {u"Fête nationale", "@0714"},
        {u"Assomption", "@0815"},
        {u"Toussaint", "@1101"},
        {u"Armistice 1918", "@1111"},
        {u"Noël", "@1225"},
    });
}

// The holidays of law 260 of 27 May 1949. The 4th of October is one again from 2026 (law 151 of
// 2025); a record has no first year, so the catalogue shows it in earlier years too.
QStringList Italy()
{
    return Records({
        {u"Capodanno", "@0101"},
        {u"Epifania", "@0106"},
        {u"Pasqua", "#EASTER"},
        {u"Lunedì dell'Angelo", "#EASTER+1"},
        {u"Festa della Liberazione", "@0425"},
        {u"Festa del Lavoro", "@0501"},
        {u"Festa della Repubblica", "@0602"},
        {u"Assunzione di Maria", "@0815"},
        {u"San Francesco d'Assisi", "@1004"},
        {u"Ognissanti", "@1101"},
        {u"Immacolata Concezione", "@1208"},
        {u"Natale", "@1225"},
        {u"Santo Stefano", "@1226"},
    });
}

// The national holidays the state's yearly resolution lists for every region.
QStringList Spain()
{
    return Records({
        {u"Año Nuevo", "@0101"},
        {u"Epifanía del Señor", "@0106"},
        {u"Viernes Santo", "#EASTER-2"},
        {u"Fiesta del Trabajo", "@0501"},
        {u"Asunción de la Virgen", "@0815"},
        {u"Fiesta Nacional de España", "@1012"},
        {u"Todos los Santos", "@1101"},
        {u"Día de la Constitución Española", "@1206"},
        {u"Inmaculada Concepción", "@1208"},
        {u"Natividad del Señor", "@1225"},
    });
}

// The twelve national holidays, the movable ones after Orthodox Easter. Labour Day stays on the
// 1st of May: when it falls in Holy Week or Easter Week the government moves it by a decision of
// that year, which no rule foretells.
QStringList Greece()
{
    return Records({
        {u"Πρωτοχρονιά", "@0101"},
        {u"Θεοφάνεια", "@0106"},
        {u"Καθαρά Δευτέρα", "#OEASTER-48"},
        {u"Εικοστή Πέμπτη Μαρτίου", "@0325"},
        {u"Μεγάλη Παρασκευή", "#OEASTER-2"},
        {u"Δευτέρα του Πάσχα", "#OEASTER+1"},
        {u"Εργατική Πρωτομαγιά", "@0501"},
        {u"Αγίου Πνεύματος", "#OEASTER+50"},
        {u"Κοίμηση της Θεοτόκου", "@0815"},
        {u"Επέτειος του Όχι", "@1028"},
        {u"Χριστούγεννα", "@1225"},
        {u"Σύναξη της Θεοτόκου", "@1226"},
    });
}

struct TCatalogue {
    THolidayCountry Country;
    QStringList (*Records)();
};

const QList<TCatalogue>& Catalogues()
{
    static const QList<TCatalogue> catalogues = {
        {{"US", "United States", QLocale::UnitedStates}, UnitedStates},
        {{"GB", "United Kingdom (England and Wales)", QLocale::UnitedKingdom}, UnitedKingdom},
        {{"DE", "Germany", QLocale::Germany}, Germany},
        {{"AT", "Austria", QLocale::Austria}, Austria},
        {{"FR", "France", QLocale::France}, France},
        {{"IT", "Italy", QLocale::Italy}, Italy},
        {{"ES", "Spain", QLocale::Spain}, Spain},
        {{"GR", "Greece", QLocale::Greece}, Greece},
    };
    return catalogues;
}

} // namespace

const QList<THolidayCountry>& HolidayCountries()
{
    static const QList<THolidayCountry> countries = [] {
        QList<THolidayCountry> list;
        for (const TCatalogue& catalogue : Catalogues())
            list += catalogue.Country;
        return list;
    }();
    return countries;
}

QString HolidayCountryCode(QLocale::Territory territory)
{
    const QList<TCatalogue>& catalogues = Catalogues();
    const auto found = std::find_if(catalogues.begin(), catalogues.end(), [territory](const TCatalogue& catalogue) {
        return catalogue.Country.Territory == territory;
    });
    return found == catalogues.end() ? QString("US") : found->Country.Code;
}

QStringList HolidayCatalogue(const QString& countryCode)
{
    for (const TCatalogue& catalogue : Catalogues()) {
        if (catalogue.Country.Code.compare(countryCode, Qt::CaseInsensitive) == 0)
            return catalogue.Records();
    }
    return QStringList();
}
