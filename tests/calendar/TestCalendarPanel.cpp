// The calendar page: settings and their presets, copying and comparing settings, defaults, the
// painted cell geometry, cell text, the click dispatch and object creation with the tools.

#include "../common/PdfTools.h"
#include "CalendarFixtures.h"
#include "calendar/CalendarPanel32.h"
#include "objects/GGraphicControl.h"
#include "objects/GPLabel.h"
#include "platformui/ScriptedUiServices.h"
#include "print/ReportPrinter.h"
#include "richtext/WPRtfStorage.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <QtTest>

namespace {

// Paints the page once so that the cell geometry exists; returns the picture.
QImage Painted(TCalendarPanel32& page)
{
    QImage image(page.size(), QImage::Format_RGB32);
    page.render(&image);
    return image;
}

// Stands in for a special-effects text object: only its class name matters here.
class TSuperTextStandIn : public TGGraphicControl {
public:
    using TGGraphicControl::TGGraphicControl;
    QString ClassName() const override { return "TGSuperText"; }
};

// Every word on the PDF's first page with its box, sorted by word, then top to bottom and left
// to right, so that two prints compare word by word even where one moved a word.
QList<TPdfWord> SortedWords(const QString& pdf)
{
    QList<TPdfWord> words = PdfWords(pdf);
    std::sort(words.begin(), words.end(), [](const TPdfWord& a, const TPdfWord& b) {
        return std::tuple(a.Text, a.Box.top(), a.Box.left()) < std::tuple(b.Text, b.Box.top(), b.Box.left());
    });
    return words;
}

// Paints the page at its zoom, as the window shows it, then prints it onto a letter page.
QList<TPdfWord> PaintedThenPrinted(TCalendarPanel32& page, const QString& pdf)
{
    Painted(page);
    TReportPrinter report(pdf);
    report.Device().setPageSize(QPageSize(QPageSize::Letter));
    report.OnPrint = [&](TReportPrinter& r) { page.PrintPage(r, 0, 0); };
    report.Execute();
    return SortedWords(pdf);
}

} // namespace

class TestCalendarPanel : public QObject {
    Q_OBJECT

private slots:
    void LineLayoutsSetTheirBorders();
    void OrientationFollowsTheLayout();
    void AssignAndCompareSettings();
    void NamesFromTheLocaleStandAlone_data();
    void NamesFromTheLocaleStandAlone();
    void DefaultsApplyTheLayoutsMiniFonts();
    void PaintLeavesCellsForClicks();
    void ClickWithinTheDragDistanceOpensTheCell_data();
    void ClickWithinTheDragDistanceOpensTheCell();
    void PageSizeTruncatesAtEveryZoom_data();
    void PageSizeTruncatesAtEveryZoom();
    void CentredNumbersAreNotEditable();
    void CellTextIsPainted();
    void UserTitleOnlyOnTheMainMonth();
    void PrintedPageCarriesTitleNumbersAndText();
    void PrintedObjectsKeepTheirSizeAtAnyZoom_data();
    void PrintedObjectsKeepTheirSizeAtAnyZoom();
    void SmallCreationRectanglesAreEnlarged_data();
    void SmallCreationRectanglesAreEnlarged();
    void FindsSpecialEffectsText();
    void LabelToolCreatesALabel_data();
    void LabelToolCreatesALabel();
    void RichTextToolWithoutMasterPlacesNothing();
};

void TestCalendarPanel::LineLayoutsSetTheirBorders()
{
    TCalendarPanel32 page(nullptr);
    page.SetCalendarLineLayout(llCellsOnly);
    QCOMPARE(page.CalendarBorder(), cbNone);
    QCOMPARE(page.HeadersBorder(), cbNone);
    QCOMPARE(page.CellBorder(), cbAll);
    page.SetHeadersBorder(cbBottom);
    page.SetCalendarLineLayout(llCellsOnly); // unchanged: the edited border stays
    QCOMPARE(page.HeadersBorder(), cbBottom);

    page.SetMiniCalendarLineLayout(mllMinimal);
    QCOMPARE(page.MiniCalBorder(), cbNone);
    QCOMPARE(page.MiniCellBorder(), cbNone);
    QCOMPARE(page.MiniHeadersBorder(), cbTop);
}

void TestCalendarPanel::OrientationFollowsTheLayout()
{
    TCalendarPanel32 page(nullptr);
    page.SetCalendarOrientation(coLandscape);
    QCOMPARE(page.CalendarOrientation(), coPortrait);
    QCOMPARE(page.size(), QSize(816, 1056));
    page.SetCalendarLayout(LOFullCalendarLS);
    page.SetUseA4Paper(true);
    QCOMPARE(page.CalendarOrientation(), coLandscape);
    QCOMPARE(page.size(), QSize(1122, 793));
}

void TestCalendarPanel::AssignAndCompareSettings()
{
    TCalendarPanel32 source(nullptr), target(nullptr);
    source.SetCalendarLayout(loWeek);
    source.SetMainCalMonth(5);
    source.SetUserTitle("Team Rota");
    source.SetNumberPosition(cnpCenter);
    source.SetMonthName(5, "Mai");
    source.SetCalendarLineLayout(llHeadersAndCells);
    source.TitleFont().SetSize(40);
    QVERIFY(!target.SameSettings(source));

    target.AssignSettings(source);
    QCOMPARE(target.CalendarLayout(), loWeek);
    QCOMPARE(target.MainCalMonth(), 5);
    QCOMPARE(target.UserTitle(), QString("Team Rota"));
    QCOMPARE(target.GetMonthName(5), QString("Mai"));
    QCOMPARE(target.CalendarBorder(), cbNone); // the line layout's preset applied
    QCOMPARE(target.TitleFont().Size(), 40);
    QCOMPARE(target.NumberPosition(), cnpUpperRight); // not copied
    QVERIFY(target.SameSettings(source));

    target.CellFont().SetSize(30); // sizes are not compared
    QVERIFY(target.SameSettings(source));
    target.CellFont().SetColor(clRed);
    QVERIFY(!target.SameSettings(source));
}

void TestCalendarPanel::NamesFromTheLocaleStandAlone_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("monthName");
    QTest::addColumn<int>("day"); // 1 = Sunday
    QTest::addColumn<QString>("dayName");
    QTest::newRow("Polish") << "pl_PL" << 1 << QString("stycze\u0144") << 2 << QString("poniedzia\u0142ek");
    QTest::newRow("Russian") << "ru_RU" << 1 << QString("\u044F\u043D\u0432\u0430\u0440\u044C") << 1
                             << QString("\u0432\u043E\u0441\u043A\u0440\u0435\u0441\u0435\u043D\u044C\u0435");
    QTest::newRow("Catalan") << "ca_ES" << 1 << "gener" << 7 << "dissabte";
    QTest::newRow("Finnish") << "fi_FI" << 5 << "toukokuu" << 2 << "maanantai";
    QTest::newRow("German") << "de_DE" << 3 << QString("M\u00E4rz") << 1 << "Sonntag";
    QTest::newRow("English") << "en_US" << 12 << "December" << 4 << "Wednesday";
}

void TestCalendarPanel::NamesFromTheLocaleStandAlone()
{
    QFETCH(QString, locale);
    QFETCH(int, month);
    QFETCH(QString, monthName);
    QFETCH(int, day);
    QFETCH(QString, dayName);
    const TDefaultLocale chosen(locale);
    TCalendarPanel32 page(nullptr);
    QCOMPARE(page.GetMonthName(month), monthName);
    QCOMPARE(page.GetDayName(day), dayName);
    // Defaults bring the same names back after they were typed over.
    page.SetMonthName(month, "typed");
    page.SetDayName(day, "typed");
    page.ResetToDefaults();
    QCOMPARE(page.GetMonthName(month), monthName);
    QCOMPARE(page.GetDayName(day), dayName);
}

void TestCalendarPanel::DefaultsApplyTheLayoutsMiniFonts()
{
    TCalendarPanel32 page(nullptr);
    page.ResetToDefaults();
    QCOMPARE(page.CalendarLayout(), loFCMinisInTitleLS);
    QCOMPARE(page.MiniTitleFont().Size(), 10);
    QCOMPARE(page.MiniHeadersFont().Size(), 8);
    QCOMPARE(page.MiniCellFont().Size(), 8);
    QCOMPARE(page.MiniHeadersBorder(), cbTopBottom); // mllBoxed
    QCOMPARE(page.LeftMarginInch(), 0.5);
    QCOMPARE(page.MainCalMonth(), QDate::currentDate().month());

    // The layout setter keeps the user's mini font sizes.
    page.SetCalendarLayout(loMC24Month);
    QCOMPARE(page.MiniTitleFont().Size(), 10);
    page.RecalcLayout(true);
    QCOMPARE(page.MiniTitleFont().Size(), 12);
    QCOMPARE(page.MiniCellFont().Size(), 9);
}

void TestCalendarPanel::PaintLeavesCellsForClicks()
{
    TCalendarPanel32 page(nullptr);
    page.SetMainCalMonth(6);                 // June 1997 begins on a Sunday
    QCOMPARE(page.CellAtPoint(100, 300), 0); // no geometry before a paint
    Painted(page);
    QCOMPARE(page.DayOfCell(1), 1);
    QCOMPARE(page.CellOfDay(30), 30);
    QCOMPARE(page.CellOfDay(31), -1);

    QList<int> cells;
    page.ClickedInCellEvent = [&](QPainter*, const TRect&, const TRect& free, int cell, int day,
                                  TWPRtfStorage*& storage) {
        cells += cell;
        QCOMPARE(day, page.DayOfCell(cell));
        QVERIFY(!free.IsEmpty());
        QCOMPARE(storage, page.GetCellRtf(cell));
    };
    int headerClicks = 0;
    page.OnClickedHeader = [&](TComponent*) { ++headerClicks; };
    page.show();

    const TCellRecord& third = page.CellRecord(3);
    QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(third.Whole.Left + 10, third.Whole.Top + 40));
    QCOMPARE(cells, QList<int>{3});
    QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(400, 100)); // the title
    QCOMPARE(headerClicks, 1);
    QCOMPARE(cells.size(), 1);

    // With a creation tool a click raises no page event; it creates a label, whose text dialog
    // is cancelled here.
    TScriptedUiServices ui;
    ui.AnswerDialog([](QDialog&) { return int(QDialog::Rejected); });
    page.SetPanelState(psLabel);
    QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(third.Whole.Left + 10, third.Whole.Top + 40));
    QCOMPARE(cells.size(), 1);
    QCOMPARE(page.Objects().size(), 1);
    QCOMPARE(page.PanelState(), psPointing);

    page.EditNextCell(3);
    page.EditPreviousCell(1);
    page.EditNextCell(42);
    QCOMPARE(cells, (QList<int>{3, 4}));
}

// A page whose owner is no window carrying the master editor cannot make rich labels: the
// user is told, nothing is left on the page and the selection tool is back.
void TestCalendarPanel::RichTextToolWithoutMasterPlacesNothing()
{
    TScriptedUiServices ui;
    TOwner owner;
    auto* page = new TCalendarPanel32(&owner);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page));
    const qsizetype components = owner.Components().size();
    page->SetPanelState(psRichLabel);
    QTest::mousePress(page, Qt::LeftButton, {}, QPoint(100, 300));
    QTest::mouseMove(page, QPoint(300, 340));
    QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(300, 340));
    QCOMPARE(ui.Messages.size(), 1);
    QCOMPARE(ui.Messages.first().Text, QString("No master rich text object found"));
    QVERIFY(page->Objects().isEmpty());
    QCOMPARE(owner.Components().size(), components);
    QCOMPARE(page->PanelState(), psPointing);
    QVERIFY(ui.DialogsShown.isEmpty());
}

void TestCalendarPanel::ClickWithinTheDragDistanceOpensTheCell_data()
{
    QTest::addColumn<QPoint>("move"); // from press to release
    QTest::addColumn<bool>("opens");
    const int distance = QApplication::startDragDistance();
    QVERIFY(distance > 2);
    QTest::newRow("still") << QPoint(0, 0) << true;
    QTest::newRow("one pixel right") << QPoint(1, 0) << true;
    QTest::newRow("one pixel up and left") << QPoint(-1, -1) << true;
    QTest::newRow("just inside the drag distance") << QPoint(0, distance - 1) << true;
    QTest::newRow("at the drag distance") << QPoint(distance, 0) << false;
    QTest::newRow("diagonally at the drag distance") << QPoint(-(distance / 2), distance - distance / 2) << false;
}

void TestCalendarPanel::ClickWithinTheDragDistanceOpensTheCell()
{
    QFETCH(QPoint, move);
    QFETCH(bool, opens);
    TCalendarPanel32 page(nullptr);
    page.SetMainCalMonth(6);
    Painted(page);
    QList<int> cells;
    page.ClickedInCellEvent = [&](QPainter*, const TRect&, const TRect&, int cell, int, TWPRtfStorage*&) {
        cells += cell;
    };
    page.show();

    const QPoint press = page.CellRecord(10).Whole.ToQRect().center();
    QTest::mousePress(&page, Qt::LeftButton, {}, press);
    QTest::mouseMove(&page, press + move);
    QTest::mouseRelease(&page, Qt::LeftButton, {}, press + move);
    QCOMPARE(cells, opens ? QList<int>{10} : QList<int>{});
}

void TestCalendarPanel::PageSizeTruncatesAtEveryZoom_data()
{
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QSize>("size"); // of a letter portrait page, 816 x 1056 at full size
    QTest::newRow("20%") << 0.2f << QSize(163, 211);
    QTest::newRow("30%") << 0.3f << QSize(244, 316);
    QTest::newRow("60%") << 0.6f << QSize(489, 633);
    QTest::newRow("70%") << 0.7f << QSize(571, 739);
    QTest::newRow("80%") << 0.8f << QSize(652, 844);
    QTest::newRow("90%") << 0.9f << QSize(734, 950);
}

// The page's size at a zoom is the same whether a zoom or a new layout sized it last.
void TestCalendarPanel::PageSizeTruncatesAtEveryZoom()
{
    QFETCH(float, zoom);
    QFETCH(QSize, size);
    TCalendarPanel32 page(nullptr);
    QCOMPARE(page.size(), QSize(816, 1056));

    page.SetZoom(zoom);
    QCOMPARE(page.size(), size);
    page.RecalcLayout(false);
    QCOMPARE(page.size(), size);
    page.SetZoom(1.0f);
    QCOMPARE(page.size(), QSize(816, 1056));

    // Zoomed from another zoom, and after a relayout at that other zoom.
    page.SetZoom(0.5f);
    page.RecalcLayout(false);
    page.SetZoom(zoom);
    QCOMPARE(page.size(), size);
    // Landscape and back at this zoom, then to full size.
    page.SetCalendarLayout(LOFullCalendarLS);
    QCOMPARE(page.size(), size.transposed());
    page.SetCalendarLayout(loFullCalendar);
    QCOMPARE(page.size(), size);
    page.SetZoom(1.0f);
    QCOMPARE(page.size(), QSize(816, 1056));
}

void TestCalendarPanel::CentredNumbersAreNotEditable()
{
    TCalendarPanel32 page(nullptr);
    page.SetNumberPosition(cnpCenter);
    Painted(page);
    int raised = 0;
    page.ClickedInCellEvent = [&](QPainter*, const TRect&, const TRect&, int, int, TWPRtfStorage*&) { ++raised; };
    page.EditNextCell(1);
    QCOMPARE(raised, 0);
    QVERIFY(page.CellRecord(2).Free.IsEmpty());
    QVERIFY(page.CellAtPoint(page.CellRecord(2).Whole.Left + 1, page.CellRecord(2).Whole.Top + 1) == 2);
}

void TestCalendarPanel::CellTextIsPainted()
{
    TCalendarPanel32 page(nullptr);
    page.SetMainCalMonth(6);
    Painted(page);
    const TRect free = page.CellRecord(10).Free;
    auto inkIn = [&](const QImage& image) {
        int ink = 0;
        for (int y = free.Top + 2; y < free.Bottom - 2; ++y)
            for (int x = free.Left + 2; x < free.Right - 2; ++x)
                ink += image.pixelColor(x, y) != QColor(Qt::white);
        return ink;
    };
    QCOMPARE(inkIn(Painted(page)), 0);
    TWPRtfStorage text(nullptr);
    text.RtfText().SetRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs40 Picnic at noon\\par}");
    page.SetCellRtf(10, text);
    QVERIFY(page.HasCellText());
    QVERIFY(inkIn(Painted(page)) > 50);
    page.ClearAllCells();
    QVERIFY(!page.HasCellText());
    QCOMPARE(page.CellAtPoint(free.Left + 1, free.Top + 1), 0); // geometry emptied until the next paint
}

void TestCalendarPanel::UserTitleOnlyOnTheMainMonth()
{
    TCalendarPanel32 page(nullptr);
    page.SetCalendarLayout(loFCMinisInTitle);
    page.SetMainCalMonth(6);
    Painted(page);
    // The title band is at least 1.5 inch high, so the minis fit inside it.
    const TRect title = page.CellRecord(1).Whole; // first row begins below title and headers
    QVERIFY(title.Top > 26 + 144);
    QVERIFY(page.Geometry().Minis[0].Rect.Bottom < 26 + 144);

    page.SetUserTitle("Summer Camp");
    QTemporaryDir dir;
    TReportPrinter report(dir.filePath("title.pdf"));
    report.Device().setPageSize(QPageSize(QPageSize::Letter));
    report.OnPrint = [&](TReportPrinter& r) { page.PrintPage(r, 0, 0); };
    report.Execute();
    const QString printed = PdfText(dir.filePath("title.pdf"));
    QCOMPARE(printed.count("Summer Camp"), 1);
    QVERIFY(printed.contains("May 1997")); // the minis keep their own titles
    QVERIFY(printed.contains("July 1997"));
    QVERIFY(!printed.contains("June 1997"));
}

void TestCalendarPanel::PrintedPageCarriesTitleNumbersAndText()
{
    TCalendarPanel32 page(nullptr);
    page.SetMainCalMonth(6);
    TWPRtfStorage text(nullptr);
    text.RtfText().SetRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Picnic\\par}");
    page.SetCellRtf(10, text);
    page.SetZoom(0.6f);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("page.pdf");
    TReportPrinter report(pdf);
    report.Device().setPageSize(QPageSize(QPageSize::Letter));
    report.OnPrint = [&](TReportPrinter& r) { page.PrintPage(r, 0, 0); };
    report.Execute();

    const QString printed = PdfText(pdf, {"-layout"});
    QVERIFY(printed.contains("June 1997"));
    QVERIFY(printed.contains("Wed"));
    QVERIFY(printed.contains("30"));
    QVERIFY(printed.contains("Picnic"));
    // The text sits in its cell: the line of day numbers 8..14 comes before it.
    QVERIFY(printed.indexOf("14") < printed.indexOf("Picnic"));
    QVERIFY(printed.indexOf("Picnic") < printed.indexOf("21"));
}

void TestCalendarPanel::PrintedObjectsKeepTheirSizeAtAnyZoom_data()
{
    QTest::addColumn<float>("zoom");
    QTest::newRow("20%") << 0.2f;
    QTest::newRow("50%") << 0.5f;
    QTest::newRow("60%") << 0.6f;
}

void TestCalendarPanel::PrintedObjectsKeepTheirSizeAtAnyZoom()
{
    QFETCH(float, zoom);
    TOwner owner;
    TCalendarPanel32 page(&owner);
    page.SetMainCalMonth(6);
    auto* label = new TGPLabel(&owner);
    label->Loaded();
    page.PlaceObject(*label, QRect(192, 288, 400, 40)); // 2 inches from the left, 3 from the top
    label->SetCaption("Harvest fair tonight");
    label->Font().SetSize(20);
    label->SetAlignment(taCenter);
    QTemporaryDir dir;
    const QList<TPdfWord> full = PaintedThenPrinted(page, dir.filePath("full.pdf"));

    page.SetZoom(zoom);
    Painted(page);
    const QRect shown = label->geometry();
    const QList<TPdfWord> zoomed = PaintedThenPrinted(page, dir.filePath("zoomed.pdf"));
    QCOMPARE(label->geometry(), shown); // printing leaves the label on screen as it is

    // The label prints inside its rectangle at full size, centred in its 400 pixels.
    const auto harvest =
        std::find_if(full.cbegin(), full.cend(), [](const TPdfWord& w) { return w.Text == "Harvest"; });
    QVERIFY2(harvest != full.cend(), "the label did not print");
    QVERIFY2(harvest->Box.left() > 2 * 72 && harvest->Box.left() < 2 * 72 + 100,
             qPrintable(QString::number(harvest->Box.left())));
    QVERIFY2(harvest->Box.top() > 3 * 72 - 0.5 && harvest->Box.bottom() < 3 * 72 + 30,
             qPrintable(QString("%1 to %2").arg(harvest->Box.top()).arg(harvest->Box.bottom())));
    QVERIFY2(harvest->Box.height() > 12, qPrintable(QString::number(harvest->Box.height())));

    // Calendar and label print word for word in the same places as at full size.
    QCOMPARE(zoomed.size(), full.size());
    for (qsizetype i = 0; i < full.size(); ++i) {
        QCOMPARE(zoomed[i].Text, full[i].Text);
        const QRectF a = full[i].Box;
        const QRectF b = zoomed[i].Box;
        const double drift = std::max({std::abs(a.left() - b.left()), std::abs(a.top() - b.top()),
                                       std::abs(a.right() - b.right()), std::abs(a.bottom() - b.bottom())});
        QVERIFY2(drift < 0.05, qPrintable(QString("%1 moved by %2 points").arg(full[i].Text).arg(drift)));
    }
}

void TestCalendarPanel::SmallCreationRectanglesAreEnlarged_data()
{
    QTest::addColumn<QRect>("dragged");
    QTest::addColumn<QRect>("created");
    QTest::newRow("large enough") << QRect(10, 20, 25, 15) << QRect(10, 20, 25, 15);
    QTest::newRow("narrow") << QRect(10, 20, 24, 40) << QRect(10, 20, 50, 40);
    QTest::newRow("flat") << QRect(10, 20, 80, 14) << QRect(10, 20, 80, 15);
    QTest::newRow("a click") << QRect(10, 20, 0, 0) << QRect(10, 20, 50, 15);
}

void TestCalendarPanel::SmallCreationRectanglesAreEnlarged()
{
    QFETCH(QRect, dragged);
    QFETCH(QRect, created);
    QCOMPARE(TCalendarPanel32::CreationRect(dragged), created);
}

void TestCalendarPanel::FindsSpecialEffectsText()
{
    TOwner owner;
    TCalendarPanel32 page(&owner);
    QVERIFY(!page.HasSuperTextObject());
    auto* effects = new TSuperTextStandIn(&owner);
    effects->Loaded();
    page.PlaceObject(*effects, QRect(10, 10, 100, 40));
    QVERIFY(page.HasSuperTextObject());
}

void TestCalendarPanel::LabelToolCreatesALabel_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("Ok") << true;
    QTest::newRow("Cancel") << false;
}

void TestCalendarPanel::LabelToolCreatesALabel()
{
    QFETCH(bool, accept);
    TScriptedUiServices ui;
    TOwner owner;
    auto* page = new TCalendarPanel32(&owner);
    page->Font().SetName("Times New Roman");
    page->Font().SetSize(8);
    page->Font().SetStyle(FontStyleBit(fsItalic));
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page));
    QRect dropped;
    page->DroppedObjectEvent = [&](const QRect& rect) { dropped = rect; };
    page->SetPanelState(psLabel);

    // What the label looks like while its text dialog is open.
    TGPLabel* label = nullptr;
    QString shownText;
    QSize sizeWhileEditing;
    ui.AnswerDialog([&](QDialog& dialog) {
        const QList<TGGraphicControl*> objects = page->Objects();
        label = objects.size() == 1 ? dynamic_cast<TGPLabel*>(objects.first()) : nullptr;
        auto* text = dialog.findChild<QLineEdit*>("LabelText");
        if (!label || !text)
            return int(QDialog::Rejected);
        shownText = text->text();
        sizeWhileEditing = label->size();
        [&] {
            QCOMPARE(label->Caption(), QString("Enter text..."));
            QCOMPARE(label->Font().Name(), QString("Times New Roman"));
            QCOMPARE(label->Font().Size(), 20);
            QVERIFY(label->Font().HasStyle(fsItalic));
            QCOMPARE(label->BorderStyle(), bsSingle);
            QVERIFY(!label->Transparent());
            QCOMPARE(label->BackColor(), clWhite);
            QCOMPARE(page->PanelState(), psPointing);
            QVERIFY(page->Pointing());
            QCOMPARE(label->pos(), QPoint(100, 300));
        }();
        QTest::keyClicks(text, "Team meeting in the big room");
        QTest::mouseClick(dialog.findChild<QPushButton*>(accept ? "OKButton" : "CancelButton"), Qt::LeftButton);
        return dialog.result();
    });

    QTest::mousePress(page, Qt::LeftButton, {}, QPoint(100, 300));
    QTest::mouseMove(page, QPoint(200, 320));
    QTest::mouseMove(page, QPoint(300, 340));
    QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(300, 340));

    QCOMPARE(ui.DialogsShown, QStringList{"TGetLabelText"});
    QVERIFY(label);
    QCOMPARE(shownText, QString("Enter text..."));
    QVERIFY(!dropped.isEmpty());
    QCOMPARE(page->PanelState(), psPointing);
    QCOMPARE(label->Owner(), &owner);
    QCOMPARE(label->Name(), QString("Special1"));
    if (accept) {
        QCOMPARE(label->Caption(), QString("Team meeting in the big room"));
        QVERIFY(label->Width() > sizeWhileEditing.width());
    } else {
        QCOMPARE(label->Caption(), QString("Enter text..."));
        QCOMPARE(label->size(), sizeWhileEditing);
    }
    // Another drag with the selection tool creates nothing.
    QTest::mousePress(page, Qt::LeftButton, {}, QPoint(400, 500));
    QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(450, 520));
    QCOMPARE(page->Objects().size(), 1);
    QVERIFY(ui.Unexpected.isEmpty());
}

QObject* NewTestCalendarPanel()
{
    return new TestCalendarPanel;
}

#include "TestCalendarPanel.moc"
