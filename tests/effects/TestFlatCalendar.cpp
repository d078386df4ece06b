// The floating mini calendar: its calendar arithmetic and name tables, its drawing (bands,
// shadow, transparency, zoom, lines), its setters and their guards, its stream record inside a
// calendar file, and its print picture.

#include "../common/PdfTools.h"
#include "RecordBytes.h"
#include "calendar/CalendarPanel32.h"
#include "effects/GFlatCalendar.h"
#include "platform/MervaneError.h"
#include "platform/ProgramFolders.h"
#include "print/ReportPrinter.h"
#include "stream/ValueType.h"

#include <QFile>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QColor CalendarGround(0, 200, 0); // what lies under the calendar in the pixel tests

QByteArray FontRecord(const QByteArray& name, int height)
{
    return Str(name + ".Charset") + Ident("DEFAULT_CHARSET") + Str(name + ".Color") + Ident("clWindowText") +
           Str(name + ".Height") + Int8(height) + Str(name + ".Name") + char(vaString) + Str("Arial") +
           Str(name + ".Style") + QByteArray("\x0B\x00", 2);
}

// The record of a calendar as created (January 2024), laid out property by property: the
// inherited ones, then all nineteen of the calendar, none left out for being at a default.
QByteArray CreatedRecord(const QByteArray& name, const QByteArray& extra = {})
{
    return "TPF0" + Str("TGFlatCalendar") + Str(name) + Str("Left") + Int8(40) + Str("Top") + Int8(30) + Str("Width") +
           Int16(180) + Str("Height") + Int8(120) + Str("Locked") + Boolean(false) + Str("Unselectable") +
           Boolean(false) + Str("StartOfWeek") + Int8(1) + Str("Month") + Int8(1) + Str("Year") + Int16(2024) +
           FontRecord("TitleFont", -11) + FontRecord("DayNameFont", -11) + FontRecord("CellFont", -9) +
           Str("ShowYear") + Boolean(false) + Str("DayNameBGColor") + Ident("clWhite") + Str("CalendarBorderStyle") +
           Ident("fcbAll") + Str("DayNameBorderStyle") + Ident("fcbAll") + Str("CellBorderStyle") + Ident("fcbNone") +
           Str("DayNameStyle") + Ident("fdsFirstChar") + Str("TitleBGcolor") + Ident("clWhite") +
           Str("Backgroundcolor") + Ident("clWhite") + Str("ShadowColor") + Ident("clBlack") + Str("ShadowDepth") +
           Int8(0) + Str("ShadowPosition") + Ident("fcpLowerRight") + Str("Language") + Ident("fclEnglish") +
           Str("CalTransparent") + Boolean(false) + extra + QByteArray(2, '\0');
}

// The calendar drawn at `size` and `zoom` over the ground colour.
QImage Drawn(const TGFlatCalendar& calendar, QSize size, float zoom = 1.0f)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(CalendarGround);
    QPainter painter(&image);
    calendar.Draw(painter, size, zoom);
    return image;
}

bool IsBlack(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y) == QColor(Qt::black);
}

// A calendar with fills that the pixel tests can tell apart.
void Colour(TGFlatCalendar& calendar)
{
    calendar.SetMonth(3);
    calendar.SetYear(2024);
    calendar.SetTitleBGcolor(clYellow);
    calendar.SetDayNameBGColor(clAqua);
    calendar.SetBackgroundcolor(clSilver);
    calendar.SetShadowColor(clRed);
}

} // namespace

class TestFlatCalendar : public QObject {
    Q_OBJECT

private slots:
    void DayPlacement_data();
    void DayPlacement();
    void Headers_data();
    void Headers();
    void NameTablesOfEveryLanguage_data();
    void NameTablesOfEveryLanguage();
    void TrailingBlankTakesPartInTheCentring();
    void CreationValues();
    void SettersKeepTheirGuards_data();
    void SettersKeepTheirGuards();
    void FontsAreCopiedNeverReplaced();
    void ShadowForEachPosition_data();
    void ShadowForEachPosition();
    void TransparentDrawsNoFillsAndNoShadow();
    void TitleBandGrowsToATallFont_data();
    void TitleBandGrowsToATallFont();
    void ZoomScalesShadowAndFontsNotLines();
    void OutlineAndHeaderLines_data();
    void OutlineAndHeaderLines();
    void GridLinesPerCellBorderStyle_data();
    void GridLinesPerCellBorderStyle();
    void DateOutOfRangeDrawsNothing_data();
    void DateOutOfRangeDrawsNothing();
    void PaintingSuspendedDrawsNothing();
    void MenuEndsWithProperties();
    void HandWrittenFileIsReadAndWrittenBackUnchanged();
    void EveryPropertySurvivesAFile();
    void RecordValuesFromAFile_data();
    void RecordValuesFromAFile();
    void PrintsIntoItsRectangle_data();
    void PrintsIntoItsRectangle();
};

void TestFlatCalendar::DayPlacement_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("startOfWeek");
    QTest::addColumn<int>("days");
    QTest::addColumn<QPoint>("first"); // column, row of day 1
    QTest::addColumn<QPoint>("last");  // column, row of the last day
    QTest::newRow("February 2000, a leap century") << 2 << 2000 << 1 << 29 << QPoint(2, 0) << QPoint(2, 4);
    QTest::newRow("February 1900, no leap year") << 2 << 1900 << 1 << 28 << QPoint(4, 0) << QPoint(3, 4);
    QTest::newRow("February 2100, no leap year") << 2 << 2100 << 1 << 28 << QPoint(1, 0) << QPoint(0, 4);
    QTest::newRow("October 2023 starts in column 0") << 10 << 2023 << 1 << 31 << QPoint(0, 0) << QPoint(2, 4);
    QTest::newRow("July 2023, Saturday first, ends in row 5") << 7 << 2023 << 1 << 31 << QPoint(6, 0) << QPoint(1, 5);
    QTest::newRow("October 2023, Monday start, ends in row 5") << 10 << 2023 << 2 << 31 << QPoint(6, 0) << QPoint(1, 5);
    QTest::newRow("January 2024, Monday start, Monday first") << 1 << 2024 << 2 << 31 << QPoint(0, 0) << QPoint(2, 4);
    QTest::newRow("year 1, month 1") << 1 << 1 << 1 << 31 << QPoint(1, 0) << QPoint(3, 4);
}

void TestFlatCalendar::DayPlacement()
{
    QFETCH(int, month);
    QFETCH(int, year);
    QFETCH(int, startOfWeek);
    QFETCH(int, days);
    QFETCH(QPoint, first);
    QFETCH(QPoint, last);
    QCOMPARE(FlatCalendarDaysInMonth(month, year), days);
    const std::optional<int> column = FlatCalendarFirstColumn(month, year, startOfWeek);
    QVERIFY(column);
    QCOMPARE(*column, first.x() + 1);
    // Every cell of the six rows: the days run 1..days from `first` on, and end at `last`.
    const int firstIndex = 7 * first.y() + first.x();
    QCOMPARE(firstIndex + days - 1, 7 * last.y() + last.x());
    for (int row = 0; row < 6; ++row) {
        for (int c = 0; c < 7; ++c) {
            const int day = 7 * row + c - firstIndex + 1;
            QCOMPARE(FlatCalendarDayAt(row, c, *column, days), day >= 1 && day <= days ? day : 0);
        }
    }
}

void TestFlatCalendar::Headers_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("startOfWeek");
    QTest::addColumn<int>("style");
    QTest::addColumn<QStringList>("headers");
    QTest::newRow("Monday start, first characters")
        << int(fclEnglish) << 2 << int(fdsFirstChar) << QStringList{"M", "T", "W", "T", "F", "S", "S"};
    QTest::newRow("Sunday start, first characters")
        << int(fclEnglish) << 1 << int(fdsFirstChar) << QStringList{"S", "M", "T", "W", "T", "F", "S"};
    QTest::newRow("Monday start, three characters")
        << int(fclEnglish) << 2 << int(fdsThreeChars) << QStringList{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    QTest::newRow("German whole names keep Friday's blank")
        << int(fclGerman) << 1 << int(fdsWhole)
        << QStringList{"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag ", "Samstag"};
    QTest::newRow("Spanish, Monday start, three characters")
        << int(fclSpanish) << 2 << int(fdsThreeChars)
        << QStringList{"Lun", "Mar", "Mi\u00e9", "Jue", "Vie", "S\u00e1b", "Dom"};
}

void TestFlatCalendar::Headers()
{
    QFETCH(int, language);
    QFETCH(int, startOfWeek);
    QFETCH(int, style);
    QFETCH(QStringList, headers);
    TGFlatCalendar calendar(nullptr);
    calendar.SetLanguage(TFlatCalLanguage(language));
    calendar.SetStartOfWeek(startOfWeek);
    calendar.SetDayNameStyle(TFlatCalHeadersStyle(style));
    const TFlatCalendarDrawRecord record = calendar.DrawRecord({200, 150}, 1.0f);
    QStringList shown;
    for (int c = 0; c < 7; ++c)
        shown += FlatCalendarHeader(record, c);
    QCOMPARE(shown, headers);
}

void TestFlatCalendar::NameTablesOfEveryLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("march");
    QTest::addColumn<QString>("august");
    QTest::addColumn<QString>("december");
    QTest::addColumn<QString>("sunday");
    QTest::addColumn<QString>("monday");
    QTest::addColumn<QString>("saturday");
    QTest::newRow("English") << int(fclEnglish) << "March"
                             << "August"
                             << "December"
                             << "Sunday"
                             << "Monday"
                             << "Saturday";
    QTest::newRow("German") << int(fclGerman) << "M\u00e4rz"
                            << "August"
                            << "Dezember"
                            << "Sonntag"
                            << "Montag"
                            << "Samstag";
    QTest::newRow("French") << int(fclFrench) << "Mars"
                            << "Ao\u00fbt"
                            << "D\u00e9cembre"
                            << "Dimanche"
                            << "Lundi"
                            << "Samedi";
    QTest::newRow("Italian") << int(fclItalian) << "Marzo"
                             << "Agosto"
                             << "Dicembre"
                             << "Domenica"
                             << "Luned\u00ec"
                             << "Sabato";
    QTest::newRow("Spanish") << int(fclSpanish) << "Marzo"
                             << "Agosto"
                             << "Diciembre"
                             << "Domingo"
                             << "Lunes"
                             << "S\u00e1bado";
}

void TestFlatCalendar::NameTablesOfEveryLanguage()
{
    QFETCH(int, language);
    QFETCH(QString, march);
    QFETCH(QString, august);
    QFETCH(QString, december);
    QFETCH(QString, sunday);
    QFETCH(QString, monday);
    QFETCH(QString, saturday);
    const QStringList months = FlatCalendarMonthNames(TFlatCalLanguage(language));
    const QStringList days = FlatCalendarDayNames(TFlatCalLanguage(language));
    QCOMPARE(months.size(), 12);
    QCOMPARE(days.size(), 7);
    QCOMPARE(months[2], march);
    QCOMPARE(months[7], august);
    QCOMPARE(months[11], december);
    QCOMPARE(days[0], sunday);
    QCOMPARE(days[1], monday);
    QCOMPARE(days[6], saturday);
    // Names fit the Windows-1252 code page that files and older systems use.
    for (const QString& name : months + days) {
        for (const QChar ch : name)
            QVERIFY2(ch.unicode() < 0x100, qPrintable(name));
    }
}

// Friday's German name ends in a blank, which the centring counts: the word stands half a blank
// further left than "Freitag" alone would.
void TestFlatCalendar::TrailingBlankTakesPartInTheCentring()
{
    TGFlatCalendar calendar(nullptr);
    calendar.SetLanguage(fclGerman);
    calendar.SetDayNameStyle(fdsWhole);
    calendar.SetMonth(5);
    calendar.SetYear(2024);
    TFont large;
    large.Assign(calendar.DayNameFont());
    large.SetSize(11);
    calendar.SetDayNameFont(&large);
    const QSize size(700, 240);
    TFlatCalendarDrawRecord record = calendar.DrawRecord(size, 1.0f);
    const TFlatCalendarBands bands = FlatCalendarBands(record);
    const auto leftmostInk = [&](const TFlatCalendarDrawRecord& drawn) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            DrawFlatCalendar(painter, drawn);
        }
        const int from = 5 * bands.ColumnWidth + 1;
        for (int x = from; x < from + bands.ColumnWidth - 2; ++x) {
            for (int y = bands.TitleBottom + 1; y < bands.HeaderBottom; ++y) {
                if (qGray(image.pixel(x, y)) < 128)
                    return x;
            }
        }
        return -1;
    };
    QCOMPARE(record.DayNames[5], QString("Freitag "));
    const int withBlank = leftmostInk(record);
    record.DayNames[5] = "Freitag";
    const int withoutBlank = leftmostInk(record);
    QVERIFY(withBlank > 0 && withoutBlank > 0);
    const int halfBlank = QFontMetrics(large.ToQFont()).horizontalAdvance(' ') / 2;
    QVERIFY2(withoutBlank - withBlank >= halfBlank - 1 && withoutBlank - withBlank <= halfBlank + 1,
             qPrintable(QString("%1 %2 %3").arg(withBlank).arg(withoutBlank).arg(halfBlank)));
}

void TestFlatCalendar::CreationValues()
{
    TGFlatCalendar calendar(nullptr);
    const QDate today = QDate::currentDate();
    QCOMPARE(calendar.Month(), today.month());
    QCOMPARE(calendar.Year(), today.year());
    QCOMPARE(calendar.StartOfWeek(), 1);
    for (const TFont* font : {&calendar.TitleFont(), &calendar.DayNameFont(), &calendar.CellFont()}) {
        QCOMPARE(font->Name(), QString("Arial"));
        QCOMPARE(font->Color(), clWindowText);
        QCOMPARE(font->Style(), TFontStyles(0));
    }
    QCOMPARE(calendar.TitleFont().Size(), 8);
    QCOMPARE(calendar.DayNameFont().Size(), 8);
    QCOMPARE(calendar.CellFont().Size(), 7);
    QCOMPARE(calendar.ShowYear(), false);
    QCOMPARE(calendar.DayNameBGColor(), clWhite);
    QCOMPARE(calendar.TitleBGcolor(), clWhite);
    QCOMPARE(calendar.Backgroundcolor(), clWhite);
    QCOMPARE(calendar.CalendarBorderStyle(), fcbAll);
    QCOMPARE(calendar.DayNameBorderStyle(), fcbAll);
    QCOMPARE(calendar.CellBorderStyle(), fcbNone);
    QCOMPARE(calendar.DayNameStyle(), fdsFirstChar);
    QCOMPARE(calendar.ShadowColor(), clBlack);
    QCOMPARE(calendar.ShadowDepth(), 0);
    QCOMPARE(calendar.ShadowPosition(), fcpLowerRight);
    QCOMPARE(calendar.Language(), fclEnglish);
    QCOMPARE(calendar.CalTransparent(), false);
}

void TestFlatCalendar::SettersKeepTheirGuards_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("kept");
    QTest::newRow("Monday start") << "StartOfWeek" << 2 << 2;
    QTest::newRow("week starting on Tuesday") << "StartOfWeek" << 3 << 1;
    QTest::newRow("week starting on Saturday") << "StartOfWeek" << 7 << 1;
    QTest::newRow("week day 0") << "StartOfWeek" << 0 << 1;
    QTest::newRow("deepest shadow") << "ShadowDepth" << 10 << 10;
    QTest::newRow("shadow too deep") << "ShadowDepth" << 11 << 0;
    QTest::newRow("negative shadow: none") << "ShadowDepth" << -4 << -4;
    QTest::newRow("month beyond the year") << "Month" << 13 << 13;
    QTest::newRow("year before the calendar") << "Year" << 0 << 0;
}

void TestFlatCalendar::SettersKeepTheirGuards()
{
    QFETCH(QString, property);
    QFETCH(int, value);
    QFETCH(int, kept);
    TGFlatCalendar calendar(nullptr);
    if (property == "StartOfWeek") {
        calendar.SetStartOfWeek(value);
        QCOMPARE(calendar.StartOfWeek(), kept);
    } else if (property == "ShadowDepth") {
        calendar.SetShadowDepth(value);
        QCOMPARE(calendar.ShadowDepth(), kept);
    } else if (property == "Month") {
        calendar.SetMonth(value);
        QCOMPARE(calendar.Month(), kept);
    } else {
        calendar.SetYear(value);
        QCOMPARE(calendar.Year(), kept);
    }
}

void TestFlatCalendar::FontsAreCopiedNeverReplaced()
{
    TOwner owner;
    TGBasePanel host(&owner);
    int changes = 0;
    host.LabelChangedEvent = [&changes](TComponent*) { ++changes; };
    auto* calendar = new TGFlatCalendar(&owner);
    calendar->Loaded();
    host.PlaceObject(*calendar, {10, 10, 200, 150});
    changes = 0;
    const TFont* owned = &calendar->TitleFont();
    TFont given;
    given.SetName("Liberation Serif");
    given.SetSize(14);
    given.SetStyle(FontStyleBit(fsItalic));
    given.SetColor(clNavy);
    calendar->SetTitleFont(&given);
    QCOMPARE(&calendar->TitleFont(), owned);
    QVERIFY(calendar->TitleFont() == given);
    // A font change marks the page modified, as a font change of any object does.
    QVERIFY(changes > 0);
    given.SetColor(clRed);
    QCOMPARE(calendar->TitleFont().Color(), clNavy);
    calendar->SetCellFont(nullptr);
    QCOMPARE(calendar->CellFont().Size(), 7);

    // Every setter of a published value tells the host, once per value it changes, so that no
    // setting escapes the undo history; one left as it was tells nothing.
    changes = 0;
    calendar->SetLanguage(fclItalian);
    calendar->SetShadowDepth(4);
    calendar->SetCalTransparent(true);
    calendar->SetCalTransparent(true);
    QCOMPARE(changes, 3);
}

void TestFlatCalendar::ShadowForEachPosition_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QRect>("calendar"); // left, top, right, bottom
    QTest::addColumn<QRect>("shadow");
    // 120 x 90 pixels with a shadow of 4.
    QTest::newRow("lower right") << int(fcpLowerRight) << QRect(QPoint(0, 0), QPoint(116, 86))
                                 << QRect(QPoint(4, 4), QPoint(120, 90));
    QTest::newRow("lower left") << int(fcpLowerLeft) << QRect(QPoint(4, 0), QPoint(120, 86))
                                << QRect(QPoint(0, 4), QPoint(116, 90));
    QTest::newRow("upper right") << int(fcpUpperRight) << QRect(QPoint(0, 4), QPoint(116, 90))
                                 << QRect(QPoint(4, 0), QPoint(120, 86));
    QTest::newRow("upper left") << int(fcpUpperLeft) << QRect(QPoint(4, 4), QPoint(120, 90))
                                << QRect(QPoint(0, 0), QPoint(116, 86));
}

void TestFlatCalendar::ShadowForEachPosition()
{
    QFETCH(int, position);
    QFETCH(QRect, calendar);
    QFETCH(QRect, shadow);
    TGFlatCalendar object(nullptr);
    Colour(object);
    object.SetShadowDepth(4);
    object.SetShadowPosition(TFlatShadowPosition(position));
    const QSize size(120, 90);
    const TRect drawn = object.DrawRecord(size, 1.0f).CalendarRect;
    QCOMPARE(QRect(QPoint(drawn.Left, drawn.Top), QPoint(drawn.Right, drawn.Bottom)), calendar);

    // Every pixel: the calendar's rectangle (its outline black), else the shadow's in red
    // (inclusive corners), else the ground.
    const QImage image = Drawn(object, size);
    const QRect inside(QPoint(calendar.left(), calendar.top()), QPoint(calendar.right() - 1, calendar.bottom() - 1));
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (inside.contains(x, y)) {
                const bool outline =
                    x == inside.left() || x == inside.right() || y == inside.top() || y == inside.bottom();
                if (outline)
                    QVERIFY2(pixel == QColor(Qt::black), qPrintable(QString("%1,%2").arg(x).arg(y)));
                else
                    QVERIFY2(pixel != CalendarGround && pixel != QColor(Qt::red),
                             qPrintable(QString("%1,%2").arg(x).arg(y)));
            } else if (shadow.contains(x, y)) {
                QVERIFY2(pixel == QColor(Qt::red), qPrintable(QString("%1,%2").arg(x).arg(y)));
            } else {
                QVERIFY2(pixel == CalendarGround, qPrintable(QString("%1,%2").arg(x).arg(y)));
            }
        }
    }
}

void TestFlatCalendar::TransparentDrawsNoFillsAndNoShadow()
{
    TGFlatCalendar object(nullptr);
    Colour(object);
    object.SetShadowDepth(6);
    object.SetCellBorderStyle(fcbAll);
    object.SetCalTransparent(true);
    const QSize size(140, 100);
    const TFlatCalendarDrawRecord record = object.DrawRecord(size, 1.0f);
    QCOMPARE(record.CalendarRect, (TRect{0, 0, 140, 100}));
    const QImage image = Drawn(object, size);
    // Only the ground, black lines and the text's own pixels: no fill, no shadow.
    QSet<QRgb> colours;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            colours.insert(image.pixel(x, y));
    }
    for (const TColor fill : {clYellow, clAqua, clSilver, clRed, clWhite})
        QVERIFY2(!colours.contains(ColorToQColor(fill).rgb()), qPrintable(ColorToQColor(fill).name()));
    QVERIFY(colours.contains(CalendarGround.rgb()));
    // The outline lies on the object's own last column and row.
    QVERIFY(IsBlack(image, 139, 50));
    QVERIFY(IsBlack(image, 70, 99));
}

void TestFlatCalendar::TitleBandGrowsToATallFont_data()
{
    QTest::addColumn<int>("titleSize");
    QTest::addColumn<bool>("grows");
    QTest::newRow("8 points: 17 % of the height") << 8 << false;
    QTest::newRow("36 points: the text height") << 36 << true;
}

void TestFlatCalendar::TitleBandGrowsToATallFont()
{
    QFETCH(int, titleSize);
    QFETCH(bool, grows);
    TGFlatCalendar object(nullptr);
    Colour(object);
    TFont title;
    title.Assign(object.TitleFont());
    title.SetSize(titleSize);
    object.SetTitleFont(&title);
    const QSize size(210, 151);
    const TFlatCalendarDrawRecord record = object.DrawRecord(size, 1.0f);
    const TFlatCalendarBands bands = FlatCalendarBands(record);
    const int textHeight = QFontMetrics(title.ToQFont()).height();
    QCOMPARE(textHeight > int(150 * 0.17), grows);
    QCOMPARE(bands.TitleBottom, grows ? textHeight : int(150 * 0.17));

    // The title fill ends exactly there; the header band follows in its own colour.
    const QImage image = Drawn(object, size);
    QCOMPARE(image.pixelColor(1, bands.TitleBottom - 1), QColor(Qt::yellow));
    QCOMPARE(image.pixelColor(1, bands.TitleBottom + 1), QColor(Qt::cyan));
    QCOMPARE(bands.HeaderBottom, bands.TitleBottom + int(std::abs(object.DayNameFont().Height()) * 1.5));
}

void TestFlatCalendar::ZoomScalesShadowAndFontsNotLines()
{
    TGFlatCalendar object(nullptr);
    Colour(object);
    object.SetShadowDepth(3);
    object.SetCellBorderStyle(fcbAll);
    const QSize size(300, 200);
    const TFlatCalendarDrawRecord record = object.DrawRecord(size, 2.0f);
    QCOMPARE(record.TitleFont.Size, 16);
    QCOMPARE(record.DayNameFont.Size, 16);
    QCOMPARE(record.CellFont.Size, 14);
    QCOMPARE(record.CalendarRect, (TRect{0, 0, 294, 194}));
    // Shadow 6 pixels at the right; at 0.5 the depth 1.5 truncates to 1.
    const QImage image = Drawn(object, size, 2.0f);
    QCOMPARE(image.pixelColor(299, 5), CalendarGround);
    QCOMPARE(image.pixelColor(299, 6), QColor(Qt::red));
    QCOMPARE(image.pixelColor(294, 100), QColor(Qt::red));
    QCOMPARE(object.DrawRecord(size, 0.5f).CalendarRect, (TRect{0, 0, 299, 199}));
    QCOMPARE(object.DrawRecord(size, 0.5f).CellFont.Size, 3);

    // The outline and the grid stay one pixel wide.
    QVERIFY(IsBlack(image, 293, 100));
    QVERIFY(!IsBlack(image, 292, 100));
    QVERIFY(IsBlack(image, 3, 0));
    QVERIFY(!IsBlack(image, 3, 1));
    const TFlatCalendarBands bands = FlatCalendarBands(record);
    const int x = bands.ColumnWidth;
    const int y = bands.HeaderBottom + bands.RowHeight + 1;
    QVERIFY(IsBlack(image, x, y));
    QVERIFY(!IsBlack(image, x - 1, y));
    QVERIFY(!IsBlack(image, x + 1, y));
}

void TestFlatCalendar::OutlineAndHeaderLines_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("top");
    QTest::addColumn<bool>("bottom");
    QTest::addColumn<bool>("sides");
    QTest::newRow("none") << int(fcbNone) << false << false << false;
    QTest::newRow("all") << int(fcbAll) << true << true << true;
    QTest::newRow("top") << int(fcbTop) << true << false << false;
    QTest::newRow("bottom") << int(fcbBottom) << false << true << false;
    QTest::newRow("top and bottom") << int(fcbTopBottom) << true << true << false;
}

// The outline of the calendar (its last pixel column and row included) and of the header band
// follow their border styles.
void TestFlatCalendar::OutlineAndHeaderLines()
{
    QFETCH(int, style);
    QFETCH(bool, top);
    QFETCH(bool, bottom);
    QFETCH(bool, sides);
    const QSize size(211, 161);
    for (const bool header : {false, true}) {
        TGFlatCalendar object(nullptr);
        Colour(object);
        object.SetCalendarBorderStyle(header ? fcbNone : TFlatCalBorderStyle(style));
        object.SetDayNameBorderStyle(header ? TFlatCalBorderStyle(style) : fcbNone);
        const TFlatCalendarBands bands = FlatCalendarBands(object.DrawRecord(size, 1.0f));
        const QImage image = Drawn(object, size);
        // Header band: (0, TitleBottom) .. (210, HeaderBottom); the calendar: (0, 0) .. (210, 160).
        const int upper = header ? bands.TitleBottom : 0;
        const int lower = header ? bands.HeaderBottom : 160;
        const int middle = (upper + lower) / 2;
        const QString which = header ? "header " : "outline ";
        QVERIFY2(IsBlack(image, 3, upper) == top, qPrintable(which + "top"));
        QVERIFY2(IsBlack(image, 3, lower) == bottom, qPrintable(which + "bottom"));
        QVERIFY2(IsBlack(image, 0, middle) == sides, qPrintable(which + "left"));
        QVERIFY2(IsBlack(image, 210, middle) == sides, qPrintable(which + "right"));
        // Corners close: the line ends are drawn where two lines meet.
        if (sides)
            QVERIFY(IsBlack(image, 210, lower) && IsBlack(image, 0, lower) && IsBlack(image, 210, upper));
    }
}

void TestFlatCalendar::GridLinesPerCellBorderStyle_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QList<int>>("rows"); // row lines k drawn
    QTest::addColumn<bool>("columns");
    QTest::newRow("none") << int(fcbNone) << QList<int>{} << false;
    QTest::newRow("all") << int(fcbAll) << QList<int>{0, 1, 2, 3, 4, 5, 6} << true;
    QTest::newRow("top") << int(fcbTop) << QList<int>{0, 1, 2, 3, 4, 5} << false;
    QTest::newRow("bottom") << int(fcbBottom) << QList<int>{1, 2, 3, 4, 5, 6} << false;
    QTest::newRow("top and bottom") << int(fcbTopBottom) << QList<int>{0, 1, 2, 3, 4, 5, 6} << false;
}

void TestFlatCalendar::GridLinesPerCellBorderStyle()
{
    QFETCH(int, style);
    QFETCH(QList<int>, rows);
    QFETCH(bool, columns);
    TGFlatCalendar object(nullptr);
    Colour(object);
    object.SetCalendarBorderStyle(fcbNone);
    object.SetDayNameBorderStyle(fcbNone);
    object.SetCellBorderStyle(TFlatCalBorderStyle(style));
    const QSize size(211, 161);
    const TFlatCalendarDrawRecord record = object.DrawRecord(size, 1.0f);
    const TFlatCalendarBands bands = FlatCalendarBands(record);
    const QImage image = Drawn(object, size);
    // Probed one pixel right of the left edge, away from the day numbers.
    for (int k = 0; k <= 6; ++k) {
        const int y = k == 6 ? 160 : bands.HeaderBottom + k * bands.RowHeight;
        QVERIFY2(IsBlack(image, 1, y) == rows.contains(k), qPrintable(QString("row line %1").arg(k)));
    }
    // Just below the top row line, where no day number reaches.
    const int probeY = bands.HeaderBottom + bands.RowHeight + 1;
    for (int k = 1; k <= 7; ++k) {
        const int x = k == 7 ? 210 : k * bands.ColumnWidth;
        QVERIFY2(IsBlack(image, x, probeY) == columns, qPrintable(QString("column line %1").arg(k)));
    }
}

void TestFlatCalendar::DateOutOfRangeDrawsNothing_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::newRow("month 0") << 0 << 2024;
    QTest::newRow("month 13") << 13 << 2024;
    QTest::newRow("year 0") << 5 << 0;
    QTest::newRow("year 10000") << 5 << 10000;
    QTest::newRow("negative month") << -2147483647 - 1 << 2024;
}

void TestFlatCalendar::DateOutOfRangeDrawsNothing()
{
    QFETCH(int, month);
    QFETCH(int, year);
    TGFlatCalendar object(nullptr);
    Colour(object);
    object.SetShadowDepth(5);
    object.SetMonth(month);
    object.SetYear(year);
    QImage expected(QSize(100, 80), QImage::Format_RGB32);
    expected.fill(CalendarGround);
    QCOMPARE(Drawn(object, {100, 80}), expected);
    QVERIFY(!FlatCalendarFirstColumn(month, year, 1));
}

void TestFlatCalendar::PaintingSuspendedDrawsNothing()
{
    TOwner owner;
    TGBasePanel host(&owner);
    host.resize(300, 200);
    auto* calendar = new TGFlatCalendar(&owner);
    calendar->Loaded();
    Colour(*calendar);
    host.PlaceObject(*calendar, {10, 10, 200, 150});
    host.SetPaintingSuspended(true);
    const QImage suspended = calendar->grab().toImage();
    host.SetPaintingSuspended(false);
    const QImage painted = calendar->grab().toImage();
    QCOMPARE(painted.pixelColor(2, 2), QColor(Qt::yellow));
    QVERIFY(suspended.pixelColor(2, 2) != QColor(Qt::yellow));
}

void TestFlatCalendar::MenuEndsWithProperties()
{
    TGFlatCalendar calendar(nullptr);
    calendar.Loaded();
    calendar.ObjectMenu();
    const QList<QAction*> items = calendar.ObjectMenu()->actions(); // built once, used again
    QVERIFY(items.size() > 2);
    QCOMPARE(items.last()->text(), QString("Properties"));
    QVERIFY(items[items.size() - 2]->isSeparator());
    QCOMPARE(items[items.size() - 3]->text(), QString("Center Horizontally"));
}

// A calendar file holding one mini calendar, written here byte by byte, is read and written
// back unchanged.
void TestFlatCalendar::HandWrittenFileIsReadAndWrittenBackUnchanged()
{
    QTemporaryDir dir;
    const QString empty = dir.filePath("empty.MVF");
    {
        TCalendarPanel32 page(nullptr);
        page.SaveToFile(empty);
    }
    QByteArray bytes = FileBytes(empty);
    QVERIFY(bytes.endsWith(QByteArray("\x01\x00", 2))); // the empty object list
    bytes.insert(bytes.size() - 1, CreatedRecord("Component0"));
    const QString written = dir.filePath("written.MVF");
    WriteBytes(written, bytes);

    TOwner owner;
    TCalendarPanel32 page(&owner);
    page.LoadFromFile(written, &owner);
    QCOMPARE(page.Objects().size(), 1);
    auto* calendar = dynamic_cast<TGFlatCalendar*>(page.Objects().first());
    QVERIFY(calendar);
    QCOMPARE(calendar->Month(), 1);
    QCOMPARE(calendar->Year(), 2024);
    QCOMPARE(calendar->DocumentBounds(), QRect(40, 30, 180, 120));
    QCOMPARE(calendar->CellFont().Size(), 7);
    // Read objects get their menu.
    QCOMPARE(calendar->ObjectMenu()->actions().last()->text(), QString("Properties"));
    const QString again = dir.filePath("again.MVF");
    page.SaveToFile(again);
    QCOMPARE(FileBytes(again).toHex(), bytes.toHex());
}

void TestFlatCalendar::EveryPropertySurvivesAFile()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath("changed.MVF");
    TOwner owner;
    {
        TCalendarPanel32 page(&owner);
        auto* calendar = new TGFlatCalendar(&owner);
        calendar->Loaded();
        page.PlaceObject(*calendar, {50, 60, 240, 170});
        calendar->SetName("Component0"); // the name reading gives it
        calendar->SetStartOfWeek(2);
        calendar->SetMonth(calendar->Month() == 2 ? 3 : 2);
        calendar->SetYear(1999);
        TFont font;
        font.SetName("Liberation Serif");
        font.SetSize(12);
        font.SetStyle(FontStyleBit(fsBold) | FontStyleBit(fsUnderline));
        font.SetColor(clMaroon);
        calendar->SetTitleFont(&font);
        font.SetSize(9);
        font.SetColor(clGreen);
        calendar->SetDayNameFont(&font);
        font.SetName("Liberation Mono");
        font.SetStyle(FontStyleBit(fsItalic));
        calendar->SetCellFont(&font);
        calendar->SetShowYear(true);
        calendar->SetDayNameBGColor(clAqua);
        calendar->SetCalendarBorderStyle(fcbTopBottom);
        calendar->SetDayNameBorderStyle(fcbBottom);
        calendar->SetCellBorderStyle(fcbTop);
        calendar->SetDayNameStyle(fdsWhole);
        calendar->SetTitleBGcolor(TColor(0x123456));
        calendar->SetBackgroundcolor(clBtnFace);
        calendar->SetShadowColor(clGray);
        calendar->SetShadowDepth(7);
        calendar->SetShadowPosition(fcpUpperLeft);
        calendar->SetLanguage(fclSpanish);
        calendar->SetCalTransparent(true);
        calendar->SetLocked(true);
        page.SaveToFile(fileName);
        delete calendar;
    }
    TCalendarPanel32 page(&owner);
    page.LoadFromFile(fileName, &owner);
    QCOMPARE(page.Objects().size(), 1);
    auto* read = dynamic_cast<TGFlatCalendar*>(page.Objects().first());
    QVERIFY(read);
    QCOMPARE(read->StartOfWeek(), 2);
    QCOMPARE(read->Month(), QDate::currentDate().month() == 2 ? 3 : 2);
    QCOMPARE(read->Year(), 1999);
    QCOMPARE(read->TitleFont().Name(), QString("Liberation Serif"));
    QCOMPARE(read->TitleFont().Size(), 12);
    QCOMPARE(read->TitleFont().Style(), TFontStyles(FontStyleBit(fsBold) | FontStyleBit(fsUnderline)));
    QCOMPARE(read->TitleFont().Color(), clMaroon);
    QCOMPARE(read->DayNameFont().Size(), 9);
    QCOMPARE(read->DayNameFont().Color(), clGreen);
    QCOMPARE(read->CellFont().Name(), QString("Liberation Mono"));
    QCOMPARE(read->CellFont().Style(), TFontStyles(FontStyleBit(fsItalic)));
    QCOMPARE(read->ShowYear(), true);
    QCOMPARE(read->DayNameBGColor(), clAqua);
    QCOMPARE(read->CalendarBorderStyle(), fcbTopBottom);
    QCOMPARE(read->DayNameBorderStyle(), fcbBottom);
    QCOMPARE(read->CellBorderStyle(), fcbTop);
    QCOMPARE(read->DayNameStyle(), fdsWhole);
    QCOMPARE(read->TitleBGcolor(), TColor(0x123456));
    QCOMPARE(read->Backgroundcolor(), clBtnFace);
    QCOMPARE(read->ShadowColor(), clGray);
    QCOMPARE(read->ShadowDepth(), 7);
    QCOMPARE(read->ShadowPosition(), fcpUpperLeft);
    QCOMPARE(read->Language(), fclSpanish);
    QCOMPARE(read->CalTransparent(), true);
    QCOMPARE(read->Locked(), true);
    QCOMPARE(read->DocumentBounds(), QRect(50, 60, 240, 170));
    const QString again = dir.filePath("again.MVF");
    page.SaveToFile(again);
    QCOMPARE(FileBytes(again).toHex(), FileBytes(fileName).toHex());
}

void TestFlatCalendar::RecordValuesFromAFile_data()
{
    QTest::addColumn<QByteArray>("extra"); // a property written once more after the others
    QTest::addColumn<bool>("leftOut");
    QTest::addColumn<int>("startOfWeek");
    QTest::addColumn<int>("shadowDepth");
    QTest::addColumn<int>("month");
    QTest::newRow("Monday start") << Str("StartOfWeek") + Int8(2) << false << 2 << 0 << 1;
    QTest::newRow("week day 5 is ignored") << Str("StartOfWeek") + Int8(5) << false << 1 << 0 << 1;
    QTest::newRow("week day 8 is no week day") << Str("StartOfWeek") + Int8(8) << true << 1 << 0 << 1;
    QTest::newRow("week day 0 is no week day") << Str("StartOfWeek") + Int8(0) << true << 1 << 0 << 1;
    QTest::newRow("shadow 11 is ignored") << Str("ShadowDepth") + Int8(11) << false << 1 << 0 << 1;
    QTest::newRow("shadow 10") << Str("ShadowDepth") + Int8(10) << false << 1 << 10 << 1;
    QTest::newRow("month 13 is kept, and draws nothing") << Str("Month") + Int8(13) << false << 1 << 0 << 13;
    QTest::newRow("unknown border style") << Str("CellBorderStyle") + Ident("fcbLeft") << true << 1 << 0 << 1;
    QTest::newRow("unknown language") << Str("Language") + Ident("fclDutch") << true << 1 << 0 << 1;
    QTest::newRow("shadow position as a number") << Str("ShadowPosition") + Int8(1) << true << 1 << 0 << 1;
    QTest::newRow("unknown colour name") << Str("ShadowColor") + Ident("clShadow") << true << 1 << 0 << 1;
}

void TestFlatCalendar::RecordValuesFromAFile()
{
    QFETCH(QByteArray, extra);
    QFETCH(bool, leftOut);
    QFETCH(int, startOfWeek);
    QFETCH(int, shadowDepth);
    QFETCH(int, month);
    QTemporaryDir dir;
    const QString fileName = dir.filePath("values.MVF");
    {
        TCalendarPanel32 page(nullptr);
        page.SaveToFile(fileName);
    }
    QByteArray bytes = FileBytes(fileName);
    bytes.insert(bytes.size() - 1, CreatedRecord("Component0", extra));
    WriteBytes(fileName, bytes);

    TOwner owner;
    TCalendarPanel32 page(&owner);
    QString message;
    try {
        page.LoadFromFile(fileName, &owner);
    } catch (const EMervaneError& e) {
        message = e.Message();
    }
    // A damaged object list raises nothing: the page keeps what it read before the fault and
    // names the objects it left out, for the document to tell the user.
    QCOMPARE(message, QString());
    if (leftOut) {
        QVERIFY(page.Objects().isEmpty());
        QCOMPARE(page.ObjectsLeftOut(), QStringList{"TGFlatCalendar"});
        return;
    }
    QVERIFY(page.ObjectsLeftOut().isEmpty());
    QCOMPARE(page.Objects().size(), 1);
    auto* calendar = dynamic_cast<TGFlatCalendar*>(page.Objects().first());
    QVERIFY(calendar);
    QCOMPARE(calendar->StartOfWeek(), startOfWeek);
    QCOMPARE(calendar->ShadowDepth(), shadowDepth);
    QCOMPARE(calendar->Month(), month);
    // Painted with whatever was read, without a crash.
    page.resize(400, 300);
    calendar->grab();
}

void TestFlatCalendar::PrintsIntoItsRectangle_data()
{
    QTest::addColumn<float>("zoom");
    QTest::newRow("100 %") << 1.0f;
    QTest::newRow("60 %") << 0.6f;
}

void TestFlatCalendar::PrintsIntoItsRectangle()
{
    QFETCH(float, zoom);
    QTemporaryDir dir;
    TOwner owner;
    TGBasePanel host(&owner);
    host.resize(600, 500);
    auto* calendar = new TGFlatCalendar(&owner);
    calendar->Loaded();
    host.PlaceObject(*calendar, {96, 192, 240, 180});
    calendar->SetBounds(96, 192, 240, 180);
    Colour(*calendar);
    calendar->SetShowYear(true);
    calendar->SetShadowDepth(8);
    host.SetZoom(zoom);
    const QString pdf = dir.filePath("calendar.pdf");
    {
        TReportPrinter report(pdf);
        report.OnPrint = [calendar](TReportPrinter& r) { calendar->PrintTo(r, 0.5, 0.25); };
        report.Execute();
    }
    // The title stands in the top band of the rectangle (1.5, 2.25) .. (4, 4.125) inches, at
    // full size whatever the zoom shown.
    const QString html = PdfText(pdf, {"-bbox", "-f", "1", "-l", "1"});
    const QRectF title = PdfWordBox(pdf, "March");
    QVERIFY2(!title.isEmpty(), qPrintable(html.left(2000)));
    const double left = title.left() / 72;
    const double top = title.top() / 72;
    QVERIFY2(left > 1.5 && left < 4.0 && top > 2.25 && top < 2.25 + 0.5,
             qPrintable(QString("%1 %2").arg(left).arg(top)));
    QVERIFY(html.contains(">2024<"));
    // The day numbers are printed as text too.
    for (const char* day : {">1<", ">17<", ">31<"})
        QVERIFY2(html.contains(day), day);

    const QImage page = PdfPageImage(pdf, dir.path(), 96);
    QVERIFY(!page.isNull());
    const QPoint corner(int(1.5 * 96), int(2.25 * 96));
    const auto near = [&page](QPoint at, QColor colour) {
        const QColor pixel = page.pixelColor(at);
        return std::abs(pixel.red() - colour.red()) < 40 && std::abs(pixel.green() - colour.green()) < 40 &&
               std::abs(pixel.blue() - colour.blue()) < 40;
    };
    QVERIFY(near(corner + QPoint(4, 4), Qt::yellow));
    // The shadow of 8 pixels at full size in the lower right corner, the page white beyond it.
    QVERIFY(near(corner + QPoint(236, 176), Qt::red));
    QVERIFY(near(corner + QPoint(236, 3), Qt::white));
    QVERIFY(near(corner + QPoint(244, 90), Qt::white));
}

QObject* NewTestFlatCalendar()
{
    return new TestFlatCalendar;
}

#include "TestFlatCalendar.moc"
