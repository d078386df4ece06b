// mvtool render: the screen image, the exported bitmap and the printed PDF of a calendar file.

#include "../common/PdfTools.h"
#include "ToolFixtures.h"
#include "calendar/CalendarPanel32.h"
#include "platform/MervaneError.h"
#include "tools/CalendarFile.h"
#include "tools/CalendarRenderer.h"

#include <QImage>
#include <QPageSize>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The page size pdfinfo reports, in points.
QSizeF PdfPageSize(const QString& pdf)
{
    const QRegularExpressionMatch match =
        QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+) pts").match(RunTool("pdfinfo", {pdf}));
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QSizeF();
}

QString RenderError(const QString& fileName, const QString& outFile, float zoom)
{
    try {
        TCalendarRenderer::Render(fileName, outFile, zoom);
    } catch (const EMervaneError& error) {
        return error.Message();
    }
    return {};
}

int NonWhitePixels(const QImage& image, const QRect& rect)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += image.pixel(x, y) != qRgb(255, 255, 255);
    }
    return count;
}

} // namespace

class TestCalendarRenderer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void ScreenImageIsTheBitmapWithObjects_data();
    void ScreenImageIsTheBitmapWithObjects();
    void BitmapFileIsWhatSaveAsBitmapDraws_data();
    void BitmapFileIsWhatSaveAsBitmapDraws();
    void PdfIsThePrintedPage_data();
    void PdfIsThePrintedPage();
    void LabelsAreDrawnAndPrinted();
    void RefusedOutputsKeepTheOldFile_data();
    void RefusedOutputsKeepTheOldFile();

private:
    QTemporaryDir m_Dir;
    QString m_Filled;
    QString m_Planner;
};

void TestCalendarRenderer::initTestCase()
{
    TCalendarPanel32 filled(nullptr);
    FillPage(filled);
    m_Filled = m_Dir.filePath("filled.MVF");
    filled.SaveToFile(m_Filled);

    // The screen shows the planner from its start time; the bitmap always from 8:00 am.
    TCalendarPanel32 planner(nullptr);
    planner.SetCalendarLayout(loDay10);
    planner.SetStartTime(14.0 / 24);
    SetCellRtf(planner, 2, "{\\rtf1 Meeting\\par}");
    m_Planner = m_Dir.filePath("planner.MVF");
    planner.SaveToFile(m_Planner);
}

void TestCalendarRenderer::ScreenImageIsTheBitmapWithObjects_data()
{
    QTest::addColumn<float>("zoom");
    QTest::newRow("100%") << 1.0f;
    QTest::newRow("60%") << 0.6f;
    QTest::newRow("20%") << 0.2f;
}

void TestCalendarRenderer::ScreenImageIsTheBitmapWithObjects()
{
    QFETCH(float, zoom);
    const QString png = m_Dir.filePath("screen.png");
    QCOMPARE(RenderError(m_Filled, png, zoom), QString());
    const QImage screen = QImage(png).convertToFormat(QImage::Format_RGB32);

    // The same page drawn by the program's bitmap export, which leaves the objects out.
    TCalendarPanel32 page(nullptr);
    TCalendarFile::Load(page, m_Filled);
    page.SetZoom(zoom);
    const QImage bitmap = page.RenderToBitmap();
    QCOMPARE(screen.size(), bitmap.size());

    const QList<TGGraphicControl*> objects = page.Objects();
    QCOMPARE(objects.size(), 2);
    for (int y = 0; y < screen.height(); ++y) {
        for (int x = 0; x < screen.width(); ++x) {
            QRgb expected = bitmap.pixel(x, y);
            for (TGGraphicControl* object : objects) {
                if (object->geometry().contains(x, y))
                    expected = ColorToQColor(static_cast<TTestPageObject*>(object)->Color).rgb();
            }
            if (screen.pixel(x, y) != expected)
                QFAIL(qPrintable(QString("pixel (%1, %2) differs").arg(x).arg(y)));
        }
    }
    // The cell text is drawn, at the zoom.
    QVERIFY(NonWhitePixels(screen, page.CellRecord(1).Free.ToQRect()) > 0);
}

void TestCalendarRenderer::BitmapFileIsWhatSaveAsBitmapDraws_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<float>("zoom");
    QTest::newRow("month at 100%") << m_Filled << 1.0f;
    QTest::newRow("month at 60%") << m_Filled << 0.6f;
    QTest::newRow("day planner") << m_Planner << 1.0f;
}

void TestCalendarRenderer::BitmapFileIsWhatSaveAsBitmapDraws()
{
    QFETCH(QString, fileName);
    QFETCH(float, zoom);
    const QString bmp = m_Dir.filePath("page.bmp");
    QCOMPARE(RenderError(fileName, bmp, zoom), QString());
    QCOMPARE(FileBytes(bmp).left(2), QByteArray("BM"));
    const QImage written = QImage(bmp, "BMP").convertToFormat(QImage::Format_RGB32);

    TCalendarPanel32 page(nullptr);
    TCalendarFile::Load(page, fileName);
    const QSize fullSize = page.size();
    page.SetZoom(zoom);
    const QImage expected = page.RenderToBitmap();
    QCOMPARE(written.size(), expected.size());
    QVERIFY(written == expected);
    QVERIFY(qAbs(written.width() - fullSize.width() * zoom) <= 1);

    // The screen shows what the bitmap leaves out or draws otherwise: objects, the start time.
    const QString png = m_Dir.filePath("page.png");
    QCOMPARE(RenderError(fileName, png, zoom), QString());
    QVERIFY(QImage(png).convertToFormat(QImage::Format_RGB32) != written);
}

void TestCalendarRenderer::PdfIsThePrintedPage_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<bool>("a4");
    QTest::addColumn<bool>("landscape");
    QTest::newRow("month, Letter") << int(loFullCalendar) << false << false;
    QTest::newRow("month, Letter landscape") << int(LOFullCalendarLS) << false << true;
    QTest::newRow("minis in title, A4 landscape") << int(loFCMinisInTitleLS) << true << true;
    QTest::newRow("twelve months, A4") << int(loFC12After) << true << false;
    QTest::newRow("week planner") << int(loWeek) << false << false;
}

void TestCalendarRenderer::PdfIsThePrintedPage()
{
    QFETCH(int, layout);
    QFETCH(bool, a4);
    QFETCH(bool, landscape);
    TCalendarPanel32 page(nullptr);
    page.SetCalendarLayout(TCalendarLayout(layout));
    page.SetUseA4Paper(a4);
    page.SetUserTitle("Titleword");
    SetCellRtf(page, 2, "{\\rtf1 Cellword\\par}");
    AddTestObject(page, "Special1", QRect(100, 300, 200, 40))->Caption = "Objectword";
    const QString fileName = m_Dir.filePath("print.MVF");
    page.SaveToFile(fileName);

    const QString pdf = m_Dir.filePath("print.pdf");
    QCOMPARE(RenderError(fileName, pdf, 1.0f), QString());
    const QSizeF paper = QPageSize(a4 ? QPageSize::A4 : QPageSize::Letter).size(QPageSize::Point);
    const QSizeF expected = landscape ? paper.transposed() : paper;
    const QSizeF printed = PdfPageSize(pdf);
    QVERIFY2(qAbs(printed.width() - expected.width()) < 1 && qAbs(printed.height() - expected.height()) < 1,
             qPrintable(QString("%1 x %2").arg(printed.width()).arg(printed.height())));
    const QString text = PdfText(pdf);
    QVERIFY2(text.contains("Titleword"), qPrintable(text));
    QVERIFY2(text.contains("Cellword"), qPrintable(text));
    QVERIFY2(text.contains("Objectword"), qPrintable(text));
}

void TestCalendarRenderer::LabelsAreDrawnAndPrinted()
{
    TCalendarPanel32 page(nullptr);
    SetCellRtf(page, 9, "{\\rtf1 Cellword\\par}");
    AddLabel(page, "Component0", QRect(420, 40, 260, 50), "Labelword");
    const QString fileName = m_Dir.filePath("labels.MVF");
    page.SaveToFile(fileName);

    const QString png = m_Dir.filePath("labels.png");
    QCOMPARE(RenderError(fileName, png, 0.5f), QString());
    const QImage screen = QImage(png).convertToFormat(QImage::Format_RGB32);
    // At 50% the label starts at (210, 20) and is 130 pixels wide; its height shrinks to its
    // line of text. Yellow inside the border, right of the text; the black border on the left.
    QCOMPARE(screen.pixel(335, 23), qRgb(255, 255, 0));
    QCOMPARE(screen.pixel(210, 23), qRgb(0, 0, 0));

    const QString pdf = m_Dir.filePath("labels.pdf");
    QCOMPARE(RenderError(fileName, pdf, 1.0f), QString());
    const QString text = PdfText(pdf);
    QVERIFY2(text.contains("Labelword"), qPrintable(text));
    QVERIFY2(text.contains("Cellword"), qPrintable(text));
}

void TestCalendarRenderer::RefusedOutputsKeepTheOldFile_data()
{
    QTest::addColumn<QString>("outName");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QString>("field"); // empty: the output file
    QTest::addColumn<QString>("problem");
    const QString kinds = "expected an output file ending in .png, .bmp or .pdf";
    QTest::newRow("unknown kind") << "page.gif" << 1.0f << QString() << kinds;
    QTest::newRow("no extension") << "page" << 1.0f << QString() << kinds;
    QTest::newRow("zoom above 100%") << "page.png" << 1.5f << "--zoom"
                                     << "expected a factor from 0.2 to 1";
    QTest::newRow("zoom below 20%") << "page.bmp" << 0.1f << "--zoom"
                                    << "expected a factor from 0.2 to 1";
    QTest::newRow("zoom for a PDF") << "page.pdf" << 0.5f << "--zoom"
                                    << "a PDF is printed at full size";
}

void TestCalendarRenderer::RefusedOutputsKeepTheOldFile()
{
    QFETCH(QString, outName);
    QFETCH(float, zoom);
    QFETCH(QString, field);
    QFETCH(QString, problem);
    const QString outFile = m_Dir.filePath(outName);
    WriteBytes(outFile, "previous contents");
    QCOMPARE(RenderError(m_Filled, outFile, zoom), (field.isEmpty() ? outFile : field) + ": " + problem);
    QCOMPARE(FileBytes(outFile), QByteArray("previous contents"));

    // A folder that does not exist cannot take the output.
    const QString nowhere = m_Dir.filePath("no/such/folder/page.png");
    QCOMPARE(RenderError(m_Filled, nowhere, 1.0f), "Cannot create file " + nowhere);
}

QObject* NewTestCalendarRenderer()
{
    return new TestCalendarRenderer;
}

#include "TestCalendarRenderer.moc"
