// The print engine, printing into PDF files that poppler's tools read back.

#include "../common/PdfTools.h"
#include "platform/MervaneError.h"
#include "print/ReportPrinter.h"

#include <QImage>
#include <QPdfWriter>
#include <QPicture>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TestReportPrinter : public QObject {
    Q_OBJECT

private slots:
    void TextLandsWhereItIsAddressed();
    void PagesAndOrientation_data();
    void PagesAndOrientation();
    void ShapesAndPicturesFillTheirInchRectangles();
    void TextPathsClipFills();
    void FailuresEndTheJob();
    void PrintsOnTheCallersDevice_data();
    void PrintsOnTheCallersDevice();

private:
    QTemporaryDir m_Dir;
};

void TestReportPrinter::TextLandsWhereItIsAddressed()
{
    const QString pdf = m_Dir.filePath("text.pdf");
    TReportPrinter report(pdf);
    double lineHeight = 0;
    report.OnPrint = [&](TReportPrinter& r) {
        r.SetFont("Arial", 12, false, false, false, Qt::black);
        lineHeight = r.LineHeight();
        r.PrintXY(1.0, 2.0, "Left");
        r.PrintCenter(4.25, 3.0, "Centred");
        r.PrintRight(7.5, 4.0, "Right");
    };
    report.Execute();

    QVERIFY(lineHeight > 12.0 / 72 && lineHeight < 16.0 / 72);
    const QRectF left = PdfWordBox(pdf, "Left");
    QVERIFY2(std::abs(left.left() - 72) < 1.5, qPrintable(QString::number(left.left())));
    QVERIFY2(std::abs(left.top() - 144) < 3, qPrintable(QString::number(left.top())));
    const QRectF centred = PdfWordBox(pdf, "Centred");
    QVERIFY2(std::abs(centred.center().x() - 306) < 1.5, qPrintable(QString::number(centred.center().x())));
    const QRectF right = PdfWordBox(pdf, "Right");
    QVERIFY2(std::abs(right.right() - 540) < 1.5, qPrintable(QString::number(right.right())));
}

void TestReportPrinter::PagesAndOrientation_data()
{
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QString>("pageSize");
    QTest::newRow("portrait") << false << "612 x 792";
    QTest::newRow("landscape") << true << "792 x 612";
}

void TestReportPrinter::PagesAndOrientation()
{
    QFETCH(bool, landscape);
    QFETCH(QString, pageSize);
    const QString pdf = m_Dir.filePath(QString("pages-%1.pdf").arg(landscape));
    TReportPrinter report(pdf);
    report.Device().setPageSize(QPageSize(QPageSize::Letter));
    report.SetOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    QStringList calls;
    report.OnBeforePrint = [&](TReportPrinter&) { calls += "before"; };
    report.OnPrint = [&](TReportPrinter& r) {
        calls += "print";
        QVERIFY(r.Printing());
        QCOMPARE(r.XI2D(1.0), r.XDPI());
        r.SetFont("Arial", 10, false, false, false, Qt::black);
        r.PrintXY(1, 1, "First");
        r.NewPage();
        r.PrintXY(1, 1, "Second");
    };
    report.Execute();
    QCOMPARE(calls, (QStringList{"before", "print"}));
    QVERIFY(!report.Printing());

    const QString info = RunTool("pdfinfo", {pdf});
    QVERIFY2(info.contains(QRegularExpression("Pages:\\s+2\\n")), qPrintable(info));
    QVERIFY2(info.contains("Page size:       " + pageSize), qPrintable(info));
    QVERIFY(PdfText(pdf, {"-f", "2", "-l", "2"}).contains("Second"));
}

void TestReportPrinter::ShapesAndPicturesFillTheirInchRectangles()
{
    const QString pdf = m_Dir.filePath("shapes.pdf");
    TReportPrinter report(pdf);
    report.Device().setPageSize(QPageSize(QPageSize::Letter));
    report.OnPrint = [](TReportPrinter& r) {
        r.SetPen(Qt::black);
        r.SetBrush(Qt::blue);
        r.Rectangle(1, 1, 2, 2);
        r.FillDeviceRect(r.InchRectToDevice(QRectF(QPointF(3, 1), QPointF(4, 2))), Qt::red);

        // A picture framed 100x50 with its right half green, stretched over 2x1 inches.
        QPicture picture;
        QPainter painter(&picture);
        painter.fillRect(50, 0, 50, 50, Qt::green);
        painter.end();
        picture.setBoundingRect(QRect(0, 0, 100, 50));
        r.StretchDraw(QRectF(QPointF(1, 3), QPointF(3, 4)), picture);
    };
    report.Execute();

    const QImage page = PdfPageImage(pdf, m_Dir.path(), 72);
    QCOMPARE(page.size(), QSize(612, 792));
    QCOMPARE(page.pixelColor(108, 108), QColor(Qt::blue));
    QCOMPARE(page.pixelColor(60, 108), QColor(Qt::white));
    QCOMPARE(page.pixelColor(252, 108), QColor(Qt::red));
    QCOMPARE(page.pixelColor(300, 108), QColor(Qt::white));
    QCOMPARE(page.pixelColor(100, 252), QColor(Qt::white)); // left half of the picture is empty
    QCOMPARE(page.pixelColor(200, 252), QColor(Qt::green));
    QCOMPARE(page.pixelColor(230, 252), QColor(Qt::white)); // the picture ends at 3 inches
}

void TestReportPrinter::TextPathsClipFills()
{
    const QString pdf = m_Dir.filePath("path.pdf");
    TReportPrinter report(pdf);
    report.Device().setPageSize(QPageSize(QPageSize::Letter));
    report.OnPrint = [](TReportPrinter& r) {
        r.SetFont("Arial", 72, true, false, false, Qt::black);
        r.BeginPath();
        r.PathText(1, 1, "I");
        r.EndPath();
        r.SelectClipPath();
        r.FillDeviceRect(r.InchRectToDevice(QRectF(0, 0, 8, 4)), Qt::red);
        r.ClearClip();
        r.FillDeviceRect(r.InchRectToDevice(QRectF(6, 6, 1, 1)), Qt::blue);
    };
    report.Execute();

    const QImage page = PdfPageImage(pdf, m_Dir.path(), 72);
    // The fill shows only inside the letter: red in its stem, white beside it.
    int red = 0;
    for (int y = 72; y < 144; ++y) {
        for (int x = 72; x < 144; ++x)
            red += page.pixelColor(x, y) == QColor(Qt::red);
    }
    QVERIFY2(red > 200 && red < 72 * 72 / 2, qPrintable(QString::number(red)));
    QCOMPARE(page.pixelColor(300, 100), QColor(Qt::white));
    QCOMPARE(page.pixelColor(468, 468), QColor(Qt::blue)); // clipping was removed
}

void TestReportPrinter::FailuresEndTheJob()
{
    const QString unwritable = m_Dir.filePath("no/such/folder/out.pdf");
    TReportPrinter report(unwritable);
    bool printed = false;
    report.OnPrint = [&](TReportPrinter&) { printed = true; };
    try {
        report.Execute();
        QFAIL("a job on an unwritable file started");
    } catch (const EMervaneError& error) {
        QCOMPARE(error.Message(), "Unable to start printing on " + unwritable);
    }
    QVERIFY(!printed);

    TReportPrinter failing(m_Dir.filePath("failing.pdf"));
    failing.OnPrint = [](TReportPrinter&) { throw EMervaneError("drawing failed"); };
    QVERIFY_THROWS_EXCEPTION(EMervaneError, failing.Execute());
    QVERIFY(!failing.Printing());
}

void TestReportPrinter::PrintsOnTheCallersDevice_data()
{
    QTest::addColumn<bool>("printer"); // a QPrinter writing PDF, else a QPdfWriter
    QTest::addColumn<int>("paper");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QString>("pageSize");
    QTest::newRow("printer, letter") << true << int(QPageSize::Letter) << false << "612 x 792";
    QTest::newRow("printer, legal landscape") << true << int(QPageSize::Legal) << true << "1008 x 612";
    QTest::newRow("PDF writer, letter") << false << int(QPageSize::Letter) << false << "612 x 792";
}

void TestReportPrinter::PrintsOnTheCallersDevice()
{
    QFETCH(bool, printer);
    QFETCH(int, paper);
    QFETCH(bool, landscape);
    QFETCH(QString, pageSize);
    const QString pdf = m_Dir.filePath(QString("device-%1.pdf").arg(QTest::currentDataTag()));
    std::unique_ptr<QPagedPaintDevice> device;
    if (printer) {
        auto job = std::make_unique<QPrinter>(QPrinter::HighResolution);
        job->setOutputFormat(QPrinter::PdfFormat);
        job->setOutputFileName(pdf);
        device = std::move(job);
    } else {
        device = std::make_unique<QPdfWriter>(pdf);
    }
    // The caller's own margins do not move the canvas off the paper's corner; the smallest
    // margins its layout allows are the unprintable border.
    device->setPageLayout(QPageLayout(QPageSize(QPageSize::PageSizeId(paper)), QPageLayout::Portrait,
                                      QMarginsF(72, 72, 72, 72), QPageLayout::Point, QMarginsF(18, 36, 54, 72)));
    {
        TReportPrinter report(*device);
        QCOMPARE(&report.Device(), device.get());
        const TPrinterMargins margins = report.UnprintableMargins();
        QCOMPARE(QList<double>({margins.Left, margins.Top, margins.Right, margins.Bottom}),
                 QList<double>({0.25, 0.5, 0.75, 1.0}));
        report.SetOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        report.OnPrint = [](TReportPrinter& r) {
            r.SetFont("Arial", 12, false, false, false, Qt::black);
            r.PrintXY(1.0, 2.0, "Handed");
            r.NewPage();
            r.PrintXY(1.0, 2.0, "Over");
        };
        report.Execute();
    }
    // The device is the caller's: it keeps the settings made through the report.
    QCOMPARE(device->pageLayout().orientation(), landscape ? QPageLayout::Landscape : QPageLayout::Portrait);

    const QString info = RunTool("pdfinfo", {pdf});
    QVERIFY2(info.contains(QRegularExpression("Pages:\\s+2\\n")), qPrintable(info));
    QVERIFY2(info.contains("Page size:       " + pageSize), qPrintable(info));
    for (const auto& [word, page] : {std::pair("Handed", 1), std::pair("Over", 2)}) {
        const QRectF box = PdfWordBox(pdf, word, page);
        QVERIFY2(!box.isEmpty(), word);
        QVERIFY2(std::abs(box.left() - 72) < 1.5, qPrintable(QString::number(box.left())));
        QVERIFY2(std::abs(box.top() - 144) < 3, qPrintable(QString::number(box.top())));
    }
}

QTEST_MAIN(TestReportPrinter)
#include "TestReportPrinter.moc"
