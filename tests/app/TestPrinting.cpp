// Printing and export through the main window's menus, without a real printer: the print
// command on a printer that writes a PDF file (its driver makes no copies, so the pass sends
// each one), the margin warning, the print preview, Save As PDF and Save As Bitmap. Real CUPS
// queues are tested in tests/cups.

#include "../common/Centring.h"
#include "../common/PdfTools.h"
#include "MainWindowFixture.h"
#include "app/CalendarDocument.h"
#include "objects/GPLabel.h"
#include "platform/MervaneError.h"
#include "platformui/QtUiServices.h"
#include "print/ReportPrinter.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>
#include <QToolButton>

Q_DECLARE_METATYPE(TPrinterMargins)
Q_DECLARE_METATYPE(TCalendarLayout)

namespace {

// Every word on page `page` of the PDF by its text, with its box in points.
QMultiMap<QString, QRectF> WordMap(const QString& pdf, int page = 1)
{
    QMultiMap<QString, QRectF> words;
    for (const TPdfWord& word : PdfWords(pdf, page))
        words.insert(word.Text, word.Box);
    return words;
}

// Screen pixels at 96 per inch to PDF points.
QRectF PixelsToPoints(const QRect& pixels)
{
    const double scale = 72.0 / 96;
    return {pixels.x() * scale, pixels.y() * scale, pixels.width() * scale, pixels.height() * scale};
}

QString CellWord(int cell)
{
    return QString("Note%1").arg(cell, 2, 10, QChar('0'));
}

const QStringList LabelWords{"Picnic", "Concert", "Holidays"};

QRect LabelBounds(int index)
{
    return {60 + 200 * index, 40 + 150 * index, 150, 30};
}

// A month page with a word in each of the 42 cells and three labels; landscape or portrait.
void WriteFilledCalendar(const QString& fileName, TCalendarLayout layout)
{
    TCalendarPanel32 page(nullptr);
    page.ResetToDefaults();
    page.SetCalendarLayout(layout);
    page.SetMainCalMonth(12);
    page.SetMainCalYear(2027);
    for (int cell = 1; cell <= 42; ++cell) {
        TWPRtfStorage storage(nullptr);
        storage.RtfText().Document().setPlainText(CellWord(cell));
        page.SetCellRtf(cell, storage);
    }
    for (int i = 0; i < LabelWords.size(); ++i) {
        auto* label = new TGPLabel(nullptr);
        label->Loaded();
        label->SetCaption(LabelWords[i]);
        label->Font().SetSize(14);
        page.PlaceObject(*label, LabelBounds(i));
        label->SetName(QString("Special%1").arg(i + 1));
    }
    page.SaveToFile(fileName);
}

// The main window opened on a filled calendar written as `name`.
TCalendarMain& StartOnFilledCalendar(TMainWindowFixture& f, const QString& name = "print.MVF",
                                     TCalendarLayout layout = LOFullCalendarLS)
{
    WriteFilledCalendar(f.Path(name), layout);
    return f.Start(f.Path(name));
}

// A page object of the special-effects text class, as far as the print command asks.
class TSuperTextStandIn : public TGGraphicControl {
public:
    using TGGraphicControl::TGGraphicControl;
    QString ClassName() const override { return "TGSuperText"; }
};

// A page object that cannot be printed.
class TFailingObject : public TGGraphicControl {
public:
    using TGGraphicControl::TGGraphicControl;
    QString ClassName() const override { return "TFailingObject"; }
    void PrintTo(TReportPrinter&, double, double) override { throw EMervaneError("the object failed"); }
};

// Chooses a printer that writes `pdf`, with `copies` copies.
std::function<void(QPrinter&)> FilePrinter(const QString& pdf, int copies)
{
    return [pdf, copies](QPrinter& printer) {
        printer.setOutputFileName(pdf);
        printer.setCopyCount(copies);
    };
}

const QString Completed = "Print job completed and sent to printer!";

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT

private slots:
    void PrintCalendarSendsEachCopyOnAFilePrinter_data();
    void PrintCalendarSendsEachCopyOnAFilePrinter();
    void PrintingAtAZoomPrintsFullSize();
    void CompletionNoteForSpecialEffectsText_data();
    void CompletionNoteForSpecialEffectsText();
    void CompletionMessageShowsOverTheMainWindow();
    void MarginWarning_data();
    void MarginWarning();
    void CancelledDialogPrintsNothing();
    void FailedPrintRestoresTheState_data();
    void FailedPrintRestoresTheState();
    void PrintPreviewShowsThePassPages_data();
    void PrintPreviewShowsThePassPages();
    void SaveAsPdfPutsEveryTextInItsPlace_data();
    void SaveAsPdfPutsEveryTextInItsPlace();
    void SaveAsBitmap_data();
    void SaveAsBitmap();
    void SaveAsBitmapDrawsDayPlannersFromEight();
    void ExportNamesForACalendarWithoutFile();
};

void TestPrinting::PrintCalendarSendsEachCopyOnAFilePrinter_data()
{
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("modified");
    QTest::newRow("one copy") << 1 << false;
    QTest::newRow("two copies, changes not saved") << 2 << true;
    QTest::newRow("three copies") << 3 << false;
}

void TestPrinting::PrintCalendarSendsEachCopyOnAFilePrinter()
{
    QFETCH(int, copies);
    QFETCH(bool, modified);
    TMainWindowFixture f;
    TCalendarMain& main = StartOnFilledCalendar(f);
    main.Document().SetModified(modified);
    const int zoom = main.ZoomPercent();

    const QString pdf = f.Path("printed.pdf");
    f.Ui.AcceptPrinterDialog(FilePrinter(pdf, copies));
    QTest::mouseClick(f.Widget<QToolButton>("Printbutton"), Qt::LeftButton);

    QVERIFY2(f.Ui.Unexpected.isEmpty(), qPrintable(f.Ui.Unexpected.join("; ")));
    QCOMPARE(PdfPages(pdf), copies);
    for (int page = 1; page <= copies; ++page) {
        const auto words = WordMap(pdf, page);
        QVERIFY2(words.contains("Note01") && words.contains("Note42") && words.contains("Picnic"),
                 qPrintable(QString("page %1").arg(page)));
    }
    QCOMPARE(main.Document().CopiesToPrint(), copies);
    QCOMPARE(f.Ui.Messages.size(), 1);
    QCOMPARE(f.Ui.Messages[0].Text, Completed);
    QCOMPARE(f.Ui.Messages[0].Caption, QString("Information"));
    // Printing leaves the design as changed as it was, the screen as it was, and the printer
    // with the copies the user chose.
    QCOMPARE(main.Modified(), modified);
    QCOMPARE(f.Widget<QToolButton>("Savebutton")->isVisible(), modified);
    QCOMPARE(main.ZoomPercent(), zoom);
    QVERIFY(!f.Page().PaintingSuspended());
    QVERIFY(!f.Page().Printing());
    QCOMPARE(main.Document().Printer().copyCount(), copies);
}

void TestPrinting::PrintingAtAZoomPrintsFullSize()
{
    TMainWindowFixture f;
    TCalendarMain& main = StartOnFilledCalendar(f);
    const auto printAt = [&](const QString& pdf) {
        f.Ui.AcceptPrinterDialog(FilePrinter(pdf, 1));
        f.Trigger("mnuPrintCalendar");
        return WordMap(pdf);
    };
    while (main.ZoomPercent() < 100)
        QTest::mouseClick(f.Widget<QToolButton>("ZoomPlusButton"), Qt::LeftButton);
    const auto full = printAt(f.Path("full.pdf"));
    while (main.ZoomPercent() > 60)
        QTest::mouseClick(f.Widget<QToolButton>("ZoomMinusButton"), Qt::LeftButton);
    const QSize zoomedSize = f.Page().size();
    const auto zoomed = printAt(f.Path("zoomed.pdf"));

    QVERIFY(full.contains("Note15"));
    for (const char* word : {"Note01", "Note15", "Note42", "Picnic", "Holidays"})
        QCOMPARE(zoomed.value(word), full.value(word));
    QCOMPARE(main.ZoomPercent(), 60);
    QCOMPARE(f.Page().size(), zoomedSize);
    QVERIFY(!main.Modified());
}

void TestPrinting::CompletionNoteForSpecialEffectsText_data()
{
    QTest::addColumn<bool>("superText");
    QTest::addColumn<QString>("message");
    QTest::newRow("plain design") << false << Completed;
    QTest::newRow("special-effects text") << true
                                          << "Print job completed and sent to printer!\r\rNote: this design contains "
                                             "complex shapes or text.\rPlease be patient while the printer produces "
                                             "its\routput...";
}

void TestPrinting::CompletionNoteForSpecialEffectsText()
{
    QFETCH(bool, superText);
    QFETCH(QString, message);
    TMainWindowFixture f;
    TCalendarMain& main = StartOnFilledCalendar(f);
    if (superText) {
        auto* object = new TSuperTextStandIn(&main);
        object->Loaded();
        f.Page().PlaceObject(*object, QRect(10, 10, 50, 20));
    }
    f.Ui.AcceptPrinterDialog(FilePrinter(f.Path("printed.pdf"), 1));
    f.Trigger("mnuPrintCalendar");
    QCOMPARE(f.Ui.Messages.size(), 1);
    QCOMPARE(f.Ui.Messages[0].Text, message);
}

// Scripted dialogs, but messages in real message boxes.
class TRealMessageBoxes : public TScriptedUiServices {
public:
    void ShowMessage(const QString& text, const QString& caption, TMessageIcon icon) override
    {
        TQtUiServices().ShowMessage(text, caption, icon);
    }
};

void TestPrinting::CompletionMessageShowsOverTheMainWindow()
{
    TMainWindowFixture f;
    TCalendarMain& main = StartOnFilledCalendar(f);
    main.showNormal();
    main.setGeometry(30, 40, 640, 480);
    TRealMessageBoxes ui;
    ui.AcceptPrinterDialog([&f](QPrinter& printer) {
        FilePrinter(f.Path("printed.pdf"), 1)(printer);
        // The print dialog closes: for a moment no window is active.
        QApplication::setActiveWindow(nullptr);
    });
    QString shown = "no message";
    QString offCentre;
    QObject lifetime;
    QTimer::singleShot(0, &lifetime, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            offCentre = OffCentre(*box, main.frameGeometry());
            box->accept();
        }
    });
    QTest::mouseClick(f.Widget<QToolButton>("Printbutton"), Qt::LeftButton);
    QVERIFY2(ui.Unexpected.isEmpty(), qPrintable(ui.Unexpected.join("; ")));
    QCOMPARE(shown, Completed);
    QVERIFY2(offCentre.isEmpty(), qPrintable(offCentre));
}

void TestPrinting::MarginWarning_data()
{
    // The page's margins are left `pageLeft`, top 0.29, right 0.75, bottom 1.
    QTest::addColumn<double>("pageLeft");
    QTest::addColumn<TPrinterMargins>("printer");
    QTest::addColumn<bool>("yes");         // the answer, when asked
    QTest::addColumn<QString>("question"); // empty: none
    QTest::addColumn<bool>("prints");
    const QString left = "\rLeft Margin is possibly outside of Printer printable area";
    const QString top = "\rTop Margin is possibly outside of Printer printable area";
    const QString right = "\rRight Margin is possibly outside of Printer printable area";
    const QString bottom = "\rBottom Margin is possibly outside of Printer printable area";
    const auto asked = [](const QString& list) { return "Margin Warning:\r" + list + "\r\rPrint anyways?"; };
    QTest::newRow("exactly the printer's")
        << 0.5 << TPrinterMargins{0.5, 0.29, 0.75, 1.0} << false << QString() << true;
    QTest::newRow("printer's cut, not rounded")
        << 0.5 << TPrinterMargins{0.509, 0.2999, 0.759, 1.0099} << false << QString() << true;
    // 0.57 is held as 0.5699999...: cut, it must stay 0.57, above a page margin of 0.565.
    QTest::newRow("0.57 stays 0.57") << 0.565 << TPrinterMargins{0.57, 0.29, 0.75, 1.0} << false << asked(left)
                                     << false;
    QTest::newRow("left 0.01 less, No") << 0.5 << TPrinterMargins{0.51, 0.29, 0.75, 1.0} << false << asked(left)
                                        << false;
    QTest::newRow("top 0.01 less, Yes") << 0.5 << TPrinterMargins{0.5, 0.3, 0.75, 1.0} << true << asked(top) << true;
    QTest::newRow("all four, in order") << 0.5 << TPrinterMargins{0.6, 0.4, 0.8, 1.2} << false
                                        << asked(left + top + right + bottom) << false;
}

void TestPrinting::MarginWarning()
{
    QFETCH(double, pageLeft);
    QFETCH(TPrinterMargins, printer);
    QFETCH(bool, yes);
    QFETCH(QString, question);
    QFETCH(bool, prints);
    TMainWindowFixture f;
    TCalendarMain& main = StartOnFilledCalendar(f);
    f.Page().SetLeftMarginInch(pageLeft);
    f.Page().SetTopMarginInch(0.29);
    f.Page().SetRightMarginInch(0.75);
    f.Page().SetBottomMarginInch(1.0);
    if (!question.isEmpty())
        f.Ui.AnswerYesNo(yes);

    QCOMPARE(main.Document().CheckPrinterMargins(printer), prints);
    QCOMPARE(f.Ui.Questions.size(), question.isEmpty() ? 0 : 1);
    if (!question.isEmpty()) {
        QCOMPARE(f.Ui.Questions[0].Text, question);
        QCOMPARE(f.Ui.Questions[0].Caption, QString("Margin Warning"));
    }
    QVERIFY(f.Ui.ScriptFinished());
}

void TestPrinting::CancelledDialogPrintsNothing()
{
    TMainWindowFixture f;
    TCalendarMain& main = StartOnFilledCalendar(f);
    main.Document().SetModified(true);
    f.Ui.CancelChoice();
    f.Trigger("mnuPrintCalendar");
    QVERIFY(f.Ui.ScriptFinished());
    QVERIFY(f.Ui.Messages.isEmpty());
    QVERIFY(!main.Document().PrintDone());
    QVERIFY(main.Modified());
}

void TestPrinting::FailedPrintRestoresTheState_data()
{
    QTest::addColumn<bool>("failingObject"); // else the job cannot start
    QTest::newRow("the job cannot start") << false;
    QTest::newRow("an object fails while printing") << true;
}

void TestPrinting::FailedPrintRestoresTheState()
{
    QFETCH(bool, failingObject);
    TMainWindowFixture f;
    TCalendarMain& main = StartOnFilledCalendar(f);
    QString printer = f.Path("no such folder/printed.pdf");
    if (failingObject) {
        auto* object = new TFailingObject(&main);
        object->Loaded();
        f.Page().PlaceObject(*object, QRect(10, 10, 50, 20));
        printer = f.Path("printed.pdf");
    }
    main.Document().SetModified(true);
    const int zoom = main.ZoomPercent();
    QVERIFY(zoom != 100);
    f.Ui.AcceptPrinterDialog(FilePrinter(printer, 2));
    f.Trigger("mnuPrintCalendar");

    // One message saying so, and no word of a completed job.
    QCOMPARE(f.Ui.Messages.size(), 1);
    QVERIFY2(f.Ui.Messages[0].Text.startsWith("Unable to print the calendar.\r"), qPrintable(f.Ui.Messages[0].Text));
    QVERIFY(!f.Ui.Messages[0].Text.contains(Completed));
    QCOMPARE(main.Document().PrintDone(), false);
    QVERIFY(main.Modified());
    QCOMPARE(main.ZoomPercent(), zoom);
    QVERIFY(!f.Page().PaintingSuspended());
    QVERIFY(!f.Page().Printing());
}

void TestPrinting::PrintPreviewShowsThePassPages_data()
{
    QTest::addColumn<int>("copies");
    QTest::addColumn<TCalendarLayout>("layout");
    QTest::addColumn<QPageLayout::Orientation>("orientation");
    QTest::newRow("one copy, landscape") << 1 << LOFullCalendarLS << QPageLayout::Landscape;
    QTest::newRow("two copies, portrait") << 2 << loFullCalendar << QPageLayout::Portrait;
}

void TestPrinting::PrintPreviewShowsThePassPages()
{
    QFETCH(int, copies);
    QFETCH(TCalendarLayout, layout);
    QFETCH(QPageLayout::Orientation, orientation);
    TMainWindowFixture f;
    TCalendarMain& main = StartOnFilledCalendar(f, "print.MVF", layout);
    // The printer and copies chosen in Print Setup hold for the preview.
    f.Ui.AcceptPrinterDialog(FilePrinter(f.Path("printed.pdf"), copies));
    f.Trigger("mnuPrintSetup");
    int pages = -1;
    QPageLayout::Orientation shown = QPageLayout::Portrait;
    f.Ui.AnswerDialog([&](QDialog& dialog) {
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        pages = preview->pageCount();
        shown = preview->orientation();
        return int(QDialog::Rejected);
    });
    f.Trigger("mnuPrintPreview");
    QVERIFY2(f.Ui.Unexpected.isEmpty(), qPrintable(f.Ui.Unexpected.join("; ")));
    QCOMPARE(f.Ui.DialogsShown, QStringList{"QPrintPreviewDialog"});
    QCOMPARE(pages, copies);
    QCOMPARE(shown, orientation);
    QVERIFY(f.Ui.Messages.isEmpty());
    QVERIFY(!main.Modified());
    QCOMPARE(main.Document().Printer().copyCount(), copies);
}

void TestPrinting::SaveAsPdfPutsEveryTextInItsPlace_data()
{
    QTest::addColumn<bool>("printerInstalled");
    QTest::newRow("with a printer") << true;
    QTest::newRow("without any printer") << false;
}

void TestPrinting::SaveAsPdfPutsEveryTextInItsPlace()
{
    QFETCH(bool, printerInstalled);
    TMainWindowFixture f;
    if (!printerInstalled)
        OverridePrinters({[] { return QStringList(); }, [] { return QString(); }});
    TCalendarMain& main = StartOnFilledCalendar(f, "Club.MVF");
    const QString pdf = f.Path("saved.pdf");
    f.Ui.AnswerFileName(pdf);
    f.Trigger("mnuSaveAsPdf");

    QVERIFY(f.Ui.Messages.isEmpty());
    QCOMPARE(f.Ui.FileRequests.size(), 1);
    QCOMPARE(f.Ui.FileRequests[0].Title, QString("Save Calendar As PDF"));
    QCOMPARE(f.Ui.FileRequests[0].FileName, QString("Club.pdf"));
    QVERIFY(f.Ui.FileRequests[0].OverwritePrompt);
    QVERIFY(!main.Modified());

    // A landscape sheet of letter paper, every text where the page has it.
    const QString info = RunTool("pdfinfo", {pdf});
    QVERIFY2(info.contains("792 x 612 pts"), qPrintable(info));
    const auto words = WordMap(pdf);
    TCalendarPanel32 page(nullptr);
    page.LoadFromFile(f.Path("Club.MVF"), nullptr);
    page.repaint();
    QImage screen(page.size(), QImage::Format_RGB32);
    page.render(&screen);
    for (int cell = 1; cell <= 42; ++cell) {
        const QRectF box = words.value(CellWord(cell));
        const QRectF expected = PixelsToPoints(page.CellRecord(cell).Whole.ToQRect());
        QVERIFY2(expected.contains(box.center()), qPrintable(CellWord(cell)));
    }
    for (int i = 0; i < LabelWords.size(); ++i) {
        const QRectF box = words.value(LabelWords[i]);
        QVERIFY2(PixelsToPoints(LabelBounds(i)).contains(box.center()), qPrintable(LabelWords[i]));
    }
    // Vector output: the text is there as text, and no picture stands in for the page.
    const QStringList images = RunTool("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(images.size(), 2); // the heading lines only
}

void TestPrinting::SaveAsBitmap_data()
{
    QTest::addColumn<int>("zoom");
    QTest::newRow("full size") << 100;
    QTest::newRow("60 %") << 60;
}

void TestPrinting::SaveAsBitmap()
{
    QFETCH(int, zoom);
    TMainWindowFixture f;
    TCalendarMain& main = StartOnFilledCalendar(f, "Club.MVF");
    auto* label = f.Page().findChild<TGPLabel*>();
    label->SetTransparent(false);
    label->SetBackColor(TColor(0xFF00FF));
    main.Document().SetModified(false);
    while (main.ZoomPercent() < 100)
        QTest::mouseClick(f.Widget<QToolButton>("ZoomPlusButton"), Qt::LeftButton);
    const QSize full = f.Page().size();
    while (main.ZoomPercent() > zoom)
        QTest::mouseClick(f.Widget<QToolButton>("ZoomMinusButton"), Qt::LeftButton);

    const QString bmp = f.Path("saved.BMP");
    f.Ui.AnswerFileName(bmp);
    f.Trigger("mnuSaveAsBitmap");

    QVERIFY(f.Ui.Messages.isEmpty());
    QCOMPARE(f.Ui.FileRequests.size(), 1);
    QCOMPARE(f.Ui.FileRequests[0].Title, QString("Save Calendar As Bitmap"));
    QCOMPARE(f.Ui.FileRequests[0].Filter, QString("Bitmap File|*.BMP"));
    QCOMPARE(f.Ui.FileRequests[0].DefaultExtension, QString("BMP"));
    QCOMPARE(f.Ui.FileRequests[0].FileName, QString("Club.BMP"));
    QVERIFY(f.Ui.FileRequests[0].OverwritePrompt);

    QFile written(bmp);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.read(2), QByteArray("BM")); // a Windows bitmap
    const QImage image(bmp, "bmp");
    // The page's size at the zoom, cut to whole pixels as the page's geometry is.
    QCOMPARE(image.size(), QSize(full.width() * zoom / 100, full.height() * zoom / 100));
    // The page's own drawing: the object, shown on screen, is not in it.
    QVERIFY(f.Page()
                .grab()
                .toImage()
                .convertToFormat(QImage::Format_RGB32)
                .pixelColor(LabelBounds(0).center() * zoom / 100) == QColor(255, 0, 255));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == QColor(255, 0, 255))
                QFAIL(qPrintable(QString("object colour at (%1, %2)").arg(x).arg(y)));
        }
    }
    QCOMPARE(main.ZoomPercent(), zoom);
    QVERIFY(!main.Modified());
}

void TestPrinting::SaveAsBitmapDrawsDayPlannersFromEight()
{
    TMainWindowFixture f;
    const QString file = f.Path("Days.MVF");
    {
        TCalendarPanel32 page(nullptr);
        page.ResetToDefaults();
        page.SetCalendarLayout(loDay10);
        page.SetStartTime((14 * 60 + 30) / 1440.0);
        page.SaveToFile(file);
    }
    f.Start(file);
    const QString bmp = f.Path("days.BMP");
    f.Ui.AnswerFileName(bmp);
    f.Trigger("mnuSaveAsBitmap");

    // The same page starting at 8:00 am, drawn on screen at the same zoom.
    f.Page().SetStartTime(8.0 / 24);
    f.Page().repaint();
    const QImage eight = f.Page().grab().toImage().convertToFormat(QImage::Format_RGB32);
    f.Page().SetStartTime((14 * 60 + 30) / 1440.0);
    const QImage afternoon = f.Page().grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(eight != afternoon); // the start time shows on the page
    QCOMPARE(QImage(bmp, "bmp").convertToFormat(QImage::Format_RGB32), eight);
}

void TestPrinting::ExportNamesForACalendarWithoutFile()
{
    TMainWindowFixture f;
    TCalendarMain& main = StartOnFilledCalendar(f);
    // New, accepted in the properties dialog: the calendar has no file.
    f.Ui.AnswerDialog([](QDialog&) { return int(QDialog::Accepted); });
    f.Trigger("New1");
    QVERIFY(main.CurrentFileName().isEmpty());
    f.Page().SetMainCalMonth(12);
    f.Page().SetMainCalYear(1997);

    f.Ui.AnswerFileName(QString());
    f.Trigger("mnuSaveAsBitmap");
    f.Ui.AnswerFileName(QString());
    f.Trigger("mnuSaveAsPdf");
    QCOMPARE(f.Ui.FileRequests.size(), 2);
    QCOMPARE(f.Ui.FileRequests[0].FileName, QString("Dec1997.BMP"));
    QCOMPARE(f.Ui.FileRequests[1].FileName, QString("Dec1997.pdf"));
    QVERIFY(f.Ui.Messages.isEmpty());
}

QObject* NewTestPrinting()
{
    return new TestPrinting;
}

#include "TestPrinting.moc"
