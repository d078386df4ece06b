// The rich-text engine: the "Data" block of a day cell, reading RTF as word processors write it,
// damaged RTF, writing, rendering at a zoom, the editor and its writing attributes, the tool bar.

#include "platform/MervaneError.h"
#include "platform/ScreenPpi.h"
#include "richtext/FontNameBox.h"
#include "richtext/RtfPicture.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "richtext/WPDefaultFont.h"
#include "richtext/WPPageRenderer.h"
#include "richtext/WPRichText.h"
#include "richtext/WPRtfStorage.h"
#include "richtext/WPToolBar.h"
#include "stream/Reader.h"
#include "stream/Writer.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QComboBox>
#include <QFontDatabase>
#include <QPainter>
#include <QPicture>
#include <QTextBlock>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QString AlignmentLetter(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignHCenter)
        return "c";
    if (alignment & Qt::AlignRight)
        return "r";
    if (alignment & Qt::AlignJustify)
        return "j";
    return "l";
}

// "Family size [b] [i] [u] [s] [#rrggbb]" of a run.
QString Attributes(const QTextCharFormat& format, const QTextDocument& document)
{
    const QStringList families = format.fontFamilies().toStringList();
    QString text = families.isEmpty() ? document.defaultFont().family() : families.first();
    text += ' ' + QString::number(format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                                 : document.defaultFont().pointSizeF());
    if (format.fontWeight() >= QFont::DemiBold)
        text += " b";
    if (format.fontItalic())
        text += " i";
    if (format.fontUnderline())
        text += " u";
    if (format.fontStrikeOut())
        text += " s";
    if (format.hasProperty(QTextFormat::ForegroundBrush))
        text += ' ' + format.foreground().color().name();
    return text;
}

// Every paragraph as "alignment:" and its runs as "text{attributes}" or "<WxH>" for a picture.
QString Describe(const QTextDocument& document)
{
    QStringList blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString text = AlignmentLetter(block.blockFormat().alignment()) + ':';
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat()) {
                const QTextImageFormat image = fragment.charFormat().toImageFormat();
                text += QString("<%1x%2>").arg(image.width()).arg(image.height());
            } else {
                text += fragment.text() + '{' + Attributes(fragment.charFormat(), document) + '}';
            }
        }
        blocks += text;
    }
    return blocks.join(" | ");
}

// The paragraphs' texts joined by '|'.
QString Texts(const QTextDocument& document)
{
    QStringList blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        blocks += block.text();
    return blocks.join('|');
}

// The attributes and alignment of the first character of `word`.
QString AttributesOf(QTextDocument& document, const QString& word)
{
    const QTextCursor found = document.find(word);
    if (found.isNull())
        return "not found";
    QTextCursor at(&document);
    at.setPosition(found.selectionStart() + 1);
    return Attributes(at.charFormat(), document) + ' ' + AlignmentLetter(at.blockFormat().alignment());
}

QList<QTextImageFormat> Pictures(const QTextDocument& document)
{
    QList<QTextImageFormat> pictures;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                pictures += it.fragment().charFormat().toImageFormat();
        }
    }
    return pictures;
}

QImage PictureImage(const QTextDocument& document, const QTextImageFormat& format)
{
    return document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
}

QImage Filled(int width, int height, QColor color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QByteArray Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray Rtf(const QTextDocument& document)
{
    return TRtfWriter::Write(document);
}

QByteArray WrittenRecord(TComponent& component)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TWriter writer(buffer);
    writer.WriteRootComponent(component);
    writer.FlushBuffer();
    return bytes;
}

void ReadRecord(const QByteArray& bytes, TComponent& component)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer);
    reader.ReadRootComponent(component);
}

// A text with every attribute the writer knows, two paragraphs and a 32 x 32 picture.
void FillFormattedText(QTextDocument& document)
{
    document.clear();
    QTextCursor cursor(&document);
    QTextCharFormat plain;
    plain.setFontFamilies(QStringList{"Arial"});
    plain.setFontPointSize(10);
    cursor.insertText("Plain ", plain);
    QTextCharFormat styled = plain;
    styled.setFontWeight(QFont::Bold);
    styled.setFontItalic(true);
    cursor.insertText("bold italic ", styled);
    QTextCharFormat other;
    other.setFontFamilies(QStringList{"Times New Roman"});
    other.setFontPointSize(14.5);
    other.setFontUnderline(true);
    other.setFontStrikeOut(true);
    other.setForeground(QColor(200, 10, 30));
    cursor.insertText("Zo\u00EB \u0141\u00F3d\u017A \u20AC \U0001F600 {\\}\t", other);
    QImage icon = Filled(32, 32, Qt::blue);
    icon.setPixelColor(3, 5, Qt::yellow);
    cursor.insertImage(AddPictureResource(document, icon));
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.insertBlock(centred);
    cursor.insertText(QString("line") + QChar::LineSeparator + "break", plain);
}

// Rows of a rendering that hold dark pixels, grouped into bands: one band per text line.
struct TInkLine {
    int Top, Bottom, Right;
};

QList<TInkLine> InkLines(const QImage& image)
{
    QList<TInkLine> lines;
    bool inLine = false;
    for (int y = 0; y < image.height(); ++y) {
        int right = -1;
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                right = x;
        }
        if (right >= 0 && !inLine)
            lines += {y, y, right};
        if (right >= 0) {
            lines.last().Bottom = y;
            lines.last().Right = std::max(lines.last().Right, right);
        }
        inLine = right >= 0;
    }
    return lines;
}

QImage Rendered(QTextDocument& document, QSize size, int zoomPercent)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TWPPageRenderer::ForTarget(size, zoomPercent).Render(document, painter, QRect(QPoint(0, 0), size));
    return image;
}

// A cell's text that wraps into several lines in a cell 150 pixels wide.
const QByteArray WrappingCell = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
                                "\\pard\\f0\\fs24 Independence Day parade starts at the town hall at ten\\par}";

// A window holding the formatting tool bar above the editor it is attached to.
struct TToolBarWindow {
    TToolBarWindow()
    {
        auto* layout = new QVBoxLayout(&Window);
        layout->addWidget(ToolBar);
        layout->addWidget(Editor);
        ToolBar->Attach(Editor);
    }

    QWidget Window;
    TWPToolBar* ToolBar = new TWPToolBar(&Window);
    TWPRichText* Editor = new TWPRichText(nullptr, &Window);
};

} // namespace

class TestRichText : public QObject {
    Q_OBJECT

private slots:
    void EmptyStorageIsTwentyOneBytes();
    void DataBlockRoundTripsFormattedTextAndPicture();
    void AssignCopiesTextAndPictures();

    void ReadsTextAsWordProcessorsWriteIt_data();
    void ReadsTextAsWordProcessorsWriteIt();
    void ReadsFormatting_data();
    void ReadsFormatting();
    void ReadsPictures_data();
    void ReadsPictures();
    void DamagedInputKeepsWhatIsReadable_data();
    void DamagedInputKeepsWhatIsReadable();

    void WriterEscapesAndEncodes();
    void SourcePicturesAreWrittenBackUnchanged();

    void ZoomKeepsTheLineBreaks();
    void LongTextDrawsAsItsBeginning_data();
    void FontNamesWithControlCharactersReadAsTheyAreWritten();
    void DeviceBitmapTakesNoMoreMemoryThanItsBits_data();
    void DeviceBitmapTakesNoMoreMemoryThanItsBits();
    void LongTextDrawsAsItsBeginning();
    void RenderingStaysInPageAndTarget();
    void OnlyWholeLinesShow_data();
    void OnlyWholeLinesShow();
    void PictureRecordingDrawsTheSameLines();

    void EditorTakesAndGivesText();
    void EditorAtSixtyPercentShowsTheSameLinesAndHitsTheRightCharacter();
    void PictureGoesInAtTheCaret();
    void SetDefaultFontNowAppliesThePreferences_data();
    void SetDefaultFontNowAppliesThePreferences();
    void FillingAppendsParagraphsWithTheLoadedAttributes();

    void ToolBarFormatsTheSelectionAndShowsTheCaretAttributes();
    void ToolBarCopiesAndPastesWithFormatting();
    void ToolBarListsTheFontsWhenTheUserReachesThem();
};

void TestRichText::EmptyStorageIsTwentyOneBytes()
{
    TWPRtfStorage storage(nullptr);
    QVERIFY(storage.IsEmpty());
    QCOMPARE(WrittenRecord(storage), QByteArray("TPF0\x0dTWPRtfStorage\0\0\0", 21));

    storage.RtfText().SetRtf("{\\rtf1 Hi}");
    QVERIFY(!storage.IsEmpty());
    storage.RtfText().Clear();
    QCOMPARE(WrittenRecord(storage).size(), 21);
}

void TestRichText::DataBlockRoundTripsFormattedTextAndPicture()
{
    TWPRtfStorage storage(nullptr);
    FillFormattedText(storage.RtfText().Document());
    const QByteArray record = WrittenRecord(storage);

    // "RtfText.Data", vaBinary, a length, the RTF and four zero bytes, then the two ends.
    const QByteArray head = "TPF0\x0dTWPRtfStorage" + QByteArray(1, '\0') + "\x0cRtfText.Data\x0a";
    QVERIFY(record.startsWith(head));
    const qint32 length = qFromLittleEndian<qint32>(record.constData() + head.size());
    const QByteArray data = record.mid(head.size() + 4, length);
    QCOMPARE(record.size(), head.size() + 4 + length + 2);
    QVERIFY(data.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    QVERIFY(data.endsWith(QByteArray("}") + QByteArray(4, '\0')));
    QVERIFY(data.contains("\\pngblip"));

    TWPRtfStorage read(nullptr);
    ReadRecord(record, read);
    QCOMPARE(Describe(read.RtfText().Document()), Describe(storage.RtfText().Document()));
    const QList<QTextImageFormat> pictures = Pictures(read.RtfText().Document());
    QCOMPARE(pictures.size(), 1);
    const QImage icon = PictureImage(read.RtfText().Document(), pictures[0]);
    QCOMPARE(icon.size(), QSize(32, 32));
    QCOMPARE(icon.pixelColor(3, 5), QColor(Qt::yellow));
    QCOMPARE(icon.pixelColor(4, 5), QColor(Qt::blue));
    // The same text gives the same bytes again.
    QCOMPARE(WrittenRecord(read), record);
}

void TestRichText::AssignCopiesTextAndPictures()
{
    TWPRtfStorage source(nullptr);
    FillFormattedText(source.RtfText().Document());
    TWPRtfStorage copy(nullptr);
    copy.Assign(source);
    QCOMPARE(Describe(copy.RtfText().Document()), Describe(source.RtfText().Document()));
    QCOMPARE(PictureImage(copy.RtfText().Document(), Pictures(copy.RtfText().Document())[0]).pixelColor(3, 5),
             QColor(Qt::yellow));

    // The copy is independent of its source.
    source.RtfText().Clear();
    QVERIFY(source.IsEmpty());
    QVERIFY(!copy.IsEmpty());
    copy.Assign(source);
    QVERIFY(copy.IsEmpty());
}

void TestRichText::ReadsTextAsWordProcessorsWriteIt_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("texts");
    QTest::newRow("wordpad")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 "
                      "Calibri;}}\r\n"
                      "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
                      "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang9 First caf\\'e9\\par\r\nSecond\\par\r\n}\r\n") +
               QByteArray(1, '\0')
        << "First caf\u00E9|Second";
    QTest::newRow("word header, stylesheet and info skipped")
        << QByteArray("{\\rtf1\\adeflang1025\\ansi\\ansicpg1252\\uc1\\adeff31507\\deff0{\\fonttbl{\\f0\\fbidi "
                      "\\froman\\fcharset0\\fprq2{\\*\\panose 02020603050405020304}Times New Roman;}}"
                      "{\\stylesheet{\\ql \\li0\\ri0\\widctlpar \\fs24\\lang1033 \\snext0 \\sqformat Normal;}}"
                      "{\\*\\rsidtbl \\rsid1}{\\*\\generator Microsoft Word 16.0;}{\\info{\\author Jo}"
                      "{\\creatim\\yr2024\\mo1}}\\paperw12240\\paperh15840{\\*\\latentstyles\\lsdstimax376"
                      "{\\lsdlockedexcept \\lsdqformat1 Normal;}}\\pard\\plain \\ltrpar\\ql {\\rtlch\\fcs1 "
                      "\\af0 \\ltrch\\fcs0 \\insrsid1 Body text}{\\insrsid1 \\par }}")
        << "Body text";
    QTest::newRow("libreoffice unicode with fallback")
        << QByteArray("{\\rtf1\\ansi\\deff3\\adeflang1025{\\fonttbl{\\f3\\froman\\fprq2\\fcharset0 Liberation "
                      "Serif{\\*\\falt Times New Roman};}}{\\*\\generator LibreOffice/7.4}\\uc1\\pard\\plain "
                      "\\loch\\f3\\fs24 Gr\\u252\\'fcn \\u8364\\'80 5}")
        << "Gr\u00FCn \u20AC 5";
    QTest::newRow("ansicpg1251 cyrillic")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0 "
                      "\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}")
        << "\u041F\u0440\u0438\u0432\u0435\u0442";
    QTest::newRow("font charset 238 beside charset 0")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset238 Arial "
                      "CE;}}\\f0 caf\\'e9 \\f1 \\'b3\\'f3d\\'9f}")
        << "caf\u00E9 \u0142\u00F3d\u017A";
    QTest::newRow("shift-jis double bytes") << QByteArray("{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 "
                                                          "MS Mincho;}}\\f0 \\'93\\'fa\\'96\\'7b}")
                                            << "\u65E5\u672C";
    QTest::newRow("code page no writer uses reads as 1252")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251\\ansicpg12345{\\fonttbl{\\f0 Arial;}}\\f0 caf\\'e9}") << "caf\u00E9";
    QTest::newRow("symbol charset") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset2 Wingdings;}}\\f0 \\'4a}")
                                    << "\uF04A";
    QTest::newRow("mac roman") << QByteArray("{\\rtf1\\mac\\deff0{\\fonttbl{\\f0 Helvetica;}}\\f0 \\'8e}") << "\u00E9";
    QTest::newRow("uc0 and uc2") << QByteArray("{\\rtf1\\uc0\\u8364 x\\uc2\\u8364\\'80\\'80!}") << "\u20ACx\u20AC!";
    QTest::newRow("uc restored after group") << QByteArray("{\\rtf1{\\uc2 x}\\u8364?y}") << "x\u20ACy";
    QTest::newRow("negative u and surrogate pair")
        << QByteArray("{\\rtf1\\uc1\\u-3913?\\u-10179?\\u-8704?}") << "\uF0B7\U0001F600";
    QTest::newRow("line, tab and symbols")
        << QByteArray("{\\rtf1 a\\line b\\tab c\\~d\\emdash\\{\\}\\\\\\ldblquote q\\rdblquote}")
        << QString("a") + QChar::LineSeparator + "b\tc\u00A0d\u2014{}\\\u201Cq\u201D";
    QTest::newRow("field result kept, instruction skipped")
        << QByteArray("{\\rtf1 see {\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt link}} now}")
        << "see link now";
    QTest::newRow("unknown words and ignorable destinations")
        << QByteArray("{\\rtf1 {\\*\\unknowndest junk {\\nested more}}\\foobar42 ok\\*\\bkmkstart}") << "ok";
    QTest::newRow("paragraphs") << QByteArray("{\\rtf1 A\\par\\par B\\par}") << "A||B";
    QTest::newRow("final empty paragraph") << QByteArray("{\\rtf1 A\\par\\par}") << "A|";
    QTest::newRow("cr and lf are no text") << QByteArray("{\\rtf1 a\r\nb\\\r\nc}") << "ab|c";
}

void TestRichText::ReadsTextAsWordProcessorsWriteIt()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, texts);
    TWPRtfText text;
    text.SetRtf(rtf);
    QCOMPARE(Texts(text.Document()), texts);

    // What was read survives being written and read again.
    TWPRtfText again;
    again.SetRtf(text.Rtf());
    QCOMPARE(Describe(again.Document()), Describe(text.Document()));
}

void TestRichText::ReadsFormatting_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("attributes");
    const QByteArray wordpad =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}{\\f1\\fswiss"
        "\\fcharset0 Arial;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n\\viewkind4\\uc1 \r\n\\pard\\f0\\fs22 "
        "Plain \\b bold\\b0  \\i italic\\i0  \\ul under\\ulnone  \\strike gone\\strike0  \\cf1 red\\cf0\\par\r\n"
        "\\pard\\qc\\f1\\fs32 Centre\\par\r\n\\pard\\qj Justified\\par\r\n}";
    QTest::newRow("wordpad plain") << wordpad << "Plain"
                                   << "Calibri 11 l";
    QTest::newRow("wordpad bold") << wordpad << "bold"
                                  << "Calibri 11 b l";
    QTest::newRow("wordpad italic") << wordpad << "italic"
                                    << "Calibri 11 i l";
    QTest::newRow("wordpad underline") << wordpad << "under"
                                       << "Calibri 11 u l";
    QTest::newRow("wordpad strike") << wordpad << "gone"
                                    << "Calibri 11 s l";
    QTest::newRow("wordpad colour") << wordpad << "red"
                                    << "Calibri 11 #ff0000 l";
    QTest::newRow("wordpad centre") << wordpad << "Centre"
                                    << "Arial 16 c";
    QTest::newRow("justified") << wordpad << "Justified"
                               << "Arial 16 j";
    QTest::newRow("word run in group")
        << QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}{\\f1\\fswiss"
                      "\\fcharset0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;}\\pard\\plain "
                      "\\ltrpar\\qr\\fs24 {\\rtlch\\fcs1 \\ltrch\\fcs0 \\b\\f1\\fs28\\cf2\\insrsid1 Right blue}"
                      "{\\insrsid1 \\par }}")
        << "Right"
        << "Arial 14 b #0000ff r";
    QTest::newRow("plain resets to the default font")
        << QByteArray("{\\rtf1\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}\\f1\\fs40\\b\\i x \\plain y}") << "y"
        << "Arial 12 l";
    QTest::newRow("group restores") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 {\\b\\i\\ul in} out}")
                                    << "out"
                                    << "Arial 10 l";
    QTest::newRow("pard resets alignment") << QByteArray("{\\rtf1\\qc A\\par\\pard B}") << "B"
                                           << "Arial 12 l";
    QTest::newRow("uldb is underline, b0 ends bold") << QByteArray("{\\rtf1\\b\\uldb x\\b0 y}") << "y"
                                                     << "Arial 12 u l";
    QTest::newRow("colour index past the table")
        << QByteArray("{\\rtf1{\\colortbl;\\red0\\green128\\blue0;}\\cf9 x}") << "x"
        << "Arial 12 l";
    QTest::newRow("libreoffice font with alternative")
        << QByteArray("{\\rtf1\\deff3{\\fonttbl{\\f3\\froman\\fprq2\\fcharset0 Liberation Serif{\\*\\falt Times "
                      "New Roman};}}{\\colortbl;\\red0\\green128\\blue0;}\\pard\\plain\\f3\\fs24{\\cf1\\i\\loch "
                      "Gr\\u252\\'fcn}\\par}")
        << "Gr"
        << "Liberation Serif 12 i #008000 l";
}

void TestRichText::ReadsFormatting()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, word);
    QFETCH(QString, attributes);
    TWPRtfText text;
    text.SetRtf(rtf);
    QCOMPARE(AttributesOf(text.Document(), word), attributes);

    TWPRtfText again;
    again.SetRtf(text.Rtf());
    QCOMPARE(AttributesOf(again.Document(), word), attributes);
}

void TestRichText::ReadsPictures_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QSize>("size");   // as shown, in pixels
    QTest::addColumn<QColor>("pixel"); // at (0, 0); invalid: an empty box
    const QByteArray png = Encoded(Filled(4, 2, Qt::red), "PNG");
    const QByteArray jpeg = Encoded(Filled(8, 8, Qt::blue), "JPEG");
    const QByteArray bmp = Encoded(Filled(2, 2, Qt::green), "BMP");
    auto pict = [](const QByteArray& words, const QByteArray& data) {
        return "{\\rtf1 {\\pict" + words + "\n" + data.toHex() + "}}";
    };
    QTest::newRow("png with goal") << pict("\\pngblip\\picw4\\pich2\\picwgoal600\\pichgoal300", png) << QSize(40, 20)
                                   << QColor(Qt::red);
    QTest::newRow("png without goal") << pict("\\pngblip\\picw4\\pich2", png) << QSize(4, 2) << QColor(Qt::red);
    QTest::newRow("png scaled") << pict("\\pngblip\\picw4\\pich2\\picwgoal600\\pichgoal300\\picscalex50"
                                        "\\picscaley200",
                                        png)
                                << QSize(20, 40) << QColor(Qt::red);
    QTest::newRow("png as bin") << "{\\rtf1 {\\pict\\pngblip\\picw4\\pich2\\bin" + QByteArray::number(png.size()) +
                                       " " + png + "}}"
                                << QSize(4, 2) << QColor(Qt::red);
    QTest::newRow("jpeg") << pict("\\jpegblip\\picw8\\pich8\\picwgoal120\\pichgoal120", jpeg) << QSize(8, 8)
                          << QColor(Qt::blue);
    QTest::newRow("packed dib") << pict("\\dibitmap0\\picw2\\pich2", bmp.mid(14)) << QSize(2, 2) << QColor(Qt::green);
    QTest::newRow("device bitmap 24 bit")
        << pict("\\wbitmap0\\wbmbitspixel24\\wbmplanes1\\wbmwidthbytes8\\picw2\\pich1",
                QByteArray::fromHex("0000ff00ff000000"))
        << QSize(2, 1) << QColor(Qt::red);
    QTest::newRow("device bitmap 1 bit") << pict("\\wbitmap0\\wbmbitspixel1\\wbmplanes1\\wbmwidthbytes2\\picw8\\pich1",
                                                 QByteArray::fromHex("7f00"))
                                         << QSize(8, 1) << QColor(Qt::black);
    QTest::newRow("device bitmap 8 bit") << pict("\\wbitmap0\\wbmbitspixel8\\wbmplanes1\\wbmwidthbytes4\\picw3\\pich1",
                                                 QByteArray::fromHex("80ff0000"))
                                         << QSize(3, 1) << QColor(128, 128, 128);
    QTest::newRow("device bitmap 32 bit")
        << pict("\\wbitmap0\\wbmbitspixel32\\wbmplanes1\\wbmwidthbytes8\\picw2\\pich1",
                QByteArray::fromHex("ff00000000000000"))
        << QSize(2, 1) << QColor(Qt::blue);
    QTest::newRow("windows metafile") << pict("\\wmetafile8\\picw2540\\pich1270", "0100090000") << QSize(96, 48)
                                      << QColor();
    QTest::newRow("enhanced metafile") << pict("\\emfblip\\picw100\\pich100\\picwgoal720\\pichgoal360", "01000000")
                                       << QSize(48, 24) << QColor();
    QTest::newRow("word shppict preferred") << "{\\rtf1 {\\*\\shppict{\\pict\\pngblip\\picw4\\pich2\n" + png.toHex() +
                                                   "}}{\\nonshppict{\\pict\\wmetafile8\\picw2540\\pich1270 0100}}}"
                                            << QSize(4, 2) << QColor(Qt::red);
}

void TestRichText::ReadsPictures()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QSize, size);
    QFETCH(QColor, pixel);
    TWPRtfText text;
    text.SetRtf(rtf);
    const QList<QTextImageFormat> pictures = Pictures(text.Document());
    QCOMPARE(pictures.size(), 1);
    QCOMPARE(QSize(pictures[0].width(), pictures[0].height()), size);
    const QImage image = PictureImage(text.Document(), pictures[0]);
    QVERIFY(!image.isNull());
    if (pixel.isValid()) {
        const QColor read = image.pixelColor(0, 0);
        // JPEG is lossy: near enough.
        QVERIFY2(std::abs(read.red() - pixel.red()) < 16 && std::abs(read.green() - pixel.green()) < 16 &&
                     std::abs(read.blue() - pixel.blue()) < 16,
                 qPrintable(read.name()));
    } else {
        QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2).alpha(), 0);
    }
}

void TestRichText::DamagedInputKeepsWhatIsReadable_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("texts");
    QTest::newRow("empty") << QByteArray() << "";
    QTest::newRow("not rtf at all") << QByteArray("plain words") << "plain words";
    QTest::newRow("unclosed groups") << QByteArray("{\\rtf1 Hello {\\b world") << "Hello world";
    QTest::newRow("stray closing braces") << QByteArray("{\\rtf1 A}}} B}") << "A B";
    QTest::newRow("bin past the end") << QByteArray("{\\rtf1 A{\\pict\\pngblip\\bin99999999 xyz") << "A";
    QTest::newRow("negative bin") << QByteArray("{\\rtf1 A\\bin-5 B}") << "AB";
    QTest::newRow("bad hex escapes") << QByteArray("{\\rtf1 a\\'zzb\\'4}") << "azzb";
    QTest::newRow("bad picture hex") << QByteArray("{\\rtf1 A{\\pict\\pngblip zz12gg}B}") << "A\uFFFCB";
    QTest::newRow("cut in a control word") << QByteArray("{\\rtf1 A\\b") << "A";
    QTest::newRow("cut after backslash quote") << QByteArray("{\\rtf1 A\\'") << "A";
    QTest::newRow("huge numbers")
        << QByteArray("{\\rtf1\\fs99999999999999999999 Big\\u99999999999 ?\\uc99999999 x\\f-2147483648 y}")
        << "Big\uFFFDxy";
    QTest::newRow("very deep nesting") << "{\\rtf1 A" + QByteArray(100000, '{') + "B" + QByteArray(100000, '}') + "C}"
                                       << "AC";
    QTest::newRow("long control word") << "{\\rtf1 A\\" + QByteArray(100000, 'x') + " B}"
                                       << "AB";
    QByteArray controls;
    for (int c = 0; c < 32; ++c)
        controls += char(c);
    QTest::newRow("control bytes") << "{\\rtf1 A" + controls + "B}"
                                   << "A\tB"; // a tab byte is a tab
    QTest::newRow("unterminated font table") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial") << "";
    QTest::newRow("colour components out of range")
        << QByteArray("{\\rtf1{\\colortbl;\\red999\\green-5\\blue300;}\\cf1 A\\cf-1 B}") << "AB";
    QTest::newRow("picture sizes beyond reason")
        << QByteArray("{\\rtf1 A{\\pict\\wmetafile8\\picwgoal2147483647\\pichgoal999999999\\picscalex99999 00}}")
        << "A\uFFFC";
    QTest::newRow("device bitmap larger than its data")
        << QByteArray("{\\rtf1 {\\pict\\wbitmap0\\wbmbitspixel24\\wbmwidthbytes30000\\picw10000\\pich10000 00}}")
        << "\uFFFC";
}

void TestRichText::DamagedInputKeepsWhatIsReadable()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, texts);
    TWPRtfText text;
    text.SetRtf(rtf);
    QCOMPARE(Texts(text.Document()), texts);
    for (const QTextImageFormat& picture : Pictures(text.Document())) {
        QVERIFY(picture.width() >= 1 && picture.width() <= MaxPictureSide);
        QVERIFY(picture.height() >= 1 && picture.height() <= MaxPictureSide);
        QVERIFY(PictureImage(text.Document(), picture).width() <= MaxPictureSide);
    }
    TWPRtfText again;
    again.SetRtf(text.Rtf());
    QCOMPARE(Texts(again.Document()), texts);
}

void TestRichText::WriterEscapesAndEncodes()
{
    QTextDocument document;
    document.setDefaultFont(DefaultRichTextFont());
    QTextCursor cursor(&document);
    cursor.insertText(QString("a\\b{c}\t\u00E9\u0141\U0001F600") + QChar::LineSeparator + "\u00A0");
    const QByteArray rtf = Rtf(document);
    QVERIFY2(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}"), rtf);
    QVERIFY2(rtf.contains("a\\\\b\\{c\\}\\tab \\'e9\\u321?\\u-10179?\\u-8704?\\line \\~\\par"), rtf);
    QVERIFY(rtf.endsWith("}"));
    for (char c : rtf)
        QVERIFY(uchar(c) < 0x80);
}

void TestRichText::SourcePicturesAreWrittenBackUnchanged()
{
    const QByteArray metafile = QByteArray::fromHex("010009000003220000000000");
    const QByteArray jpeg = Encoded(Filled(8, 8, Qt::blue), "JPEG");
    TWPRtfText text;
    text.SetRtf("{\\rtf1 {\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal1440\\pichgoal720 " + metafile.toHex() +
                "}{\\pict\\jpegblip\\picw8\\pich8 " + jpeg.toHex() + "}}");
    const QByteArray rtf = text.Rtf();
    QVERIFY(rtf.contains("\\wmetafile8\\picw2540\\pich1270\\picwgoal1440\\pichgoal720\n" + metafile.toHex()));
    QVERIFY(rtf.contains("\\jpegblip"));
    QVERIFY(!rtf.contains("\\pngblip"));

    TWPRtfText again;
    again.SetRtf(rtf);
    const QList<QTextImageFormat> pictures = Pictures(again.Document());
    QCOMPARE(pictures.size(), 2);
    QCOMPARE(pictures[0].property(RtfPictureDataProperty).toByteArray(), metafile);
    QCOMPARE(pictures[1].property(RtfPictureDataProperty).toByteArray(), jpeg);
}

void TestRichText::ZoomKeepsTheLineBreaks()
{
    TWPRtfText text;
    text.SetRtf(WrappingCell);
    const QSize full(150, 120);
    const QImage atFull = Rendered(text.Document(), full, 100);
    const QImage atSixty = Rendered(text.Document(), QSize(90, 72), 60);

    const QList<TInkLine> fullLines = InkLines(atFull);
    const QList<TInkLine> sixtyLines = InkLines(atSixty);
    QVERIFY2(fullLines.size() >= 3, qPrintable(QString::number(fullLines.size())));
    QCOMPARE(sixtyLines.size(), fullLines.size());
    for (int i = 0; i < fullLines.size(); ++i) {
        // Each line ends where 60% of the full-size line ends: the same words on each line.
        QVERIFY2(std::abs(sixtyLines[i].Right - fullLines[i].Right * 0.6) <= 3,
                 qPrintable(QString("line %1: %2 vs %3").arg(i).arg(sixtyLines[i].Right).arg(fullLines[i].Right)));
        QVERIFY(std::abs(sixtyLines[i].Top - fullLines[i].Top * 0.6) <= 2);
    }
}

// What is read must write back to what reads the same: a font name with control characters
// (from a damaged or hostile file) is read without them, as the writer writes names.
void TestRichText::FontNamesWithControlCharactersReadAsTheyAreWritten()
{
    TWPRtfText text;
    text.SetRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Ti\\'01mes\\tab  New\\'7f Roman;}}\\f0 Word}");
    QTextCursor cursor(&text.Document());
    cursor.movePosition(QTextCursor::NextCharacter);
    QCOMPARE(cursor.charFormat().fontFamilies().toStringList().value(0), QString("Times New Roman"));
    const QByteArray written = text.Rtf();
    TWPRtfText again;
    again.SetRtf(written);
    QCOMPARE(again.Rtf(), written);
}

void TestRichText::DeviceBitmapTakesNoMoreMemoryThanItsBits_data()
{
    QTest::addColumn<int>("bitsPixel");
    for (const int bits : {1, 8, 24, 32})
        QTest::addRow("%d bit", bits) << bits;
}

// A cell's device bitmap may claim any size its bits cover: the image made from it must not
// take many times the memory of those bits, and every row must land in its place.
void TestRichText::DeviceBitmapTakesNoMoreMemoryThanItsBits()
{
    QFETCH(int, bitsPixel);
    TRtfPicture picture;
    picture.Kind = pkDdb;
    picture.PicW = 256;
    picture.PicH = 64;
    picture.BitsPixel = bitsPixel;
    picture.WidthBytes = 256 * bitsPixel / 8;
    picture.Data = QByteArray(picture.WidthBytes * picture.PicH, '\0');
    // Pixel (200, 40) white, all others black.
    const int bit = 200 * bitsPixel;
    for (int i = 0; i < bitsPixel; ++i)
        picture.Data[40 * picture.WidthBytes + (bit + i) / 8] |= char(0x80 >> ((bit + i) % 8));
    const QImage image = picture.Decode(96);
    QCOMPARE(image.size(), QSize(256, 64));
    QVERIFY2(image.sizeInBytes() <= picture.Data.size(), qPrintable(QString::number(image.sizeInBytes())));
    QCOMPARE(image.pixel(200, 40), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(199, 40), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(200, 39), qRgb(0, 0, 0));
}

void TestRichText::LongTextDrawsAsItsBeginning_data()
{
    QTest::addColumn<QString>("body"); // RTF body, repeated to a long text
    QTest::addColumn<int>("repeats");
    QTest::newRow("one endless word") << "W" << 50000;
    QTest::newRow("formatted justified words") << "\\qj Parade {\\b at} {\\fs40 ten} caf\\'e9 " << 4000;
    QTest::newRow("many short paragraphs") << "Meeting\\par " << 6000;
}

// A long text is drawn from its beginning only, as far as it shows: what shows must be what its
// first 500 characters alone show (they fill the target many times over).
void TestRichText::LongTextDrawsAsItsBeginning()
{
    QFETCH(QString, body);
    QFETCH(int, repeats);
    const QByteArray head = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\\f0\\fs20 ";
    TWPRtfText whole;
    whole.SetRtf(head + body.repeated(repeats).toLatin1() + "}");
    QVERIFY(whole.Document().characterCount() > 40000);
    TWPRtfText beginning;
    beginning.SetRtf(whole.Rtf());
    QTextCursor cut(&beginning.Document());
    cut.setPosition(500);
    cut.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cut.removeSelectedText();

    const QImage shown = Rendered(whole.Document(), QSize(150, 60), 100);
    QCOMPARE(shown, Rendered(beginning.Document(), QSize(150, 60), 100));
    QVERIFY(!InkLines(shown).isEmpty());
}

void TestRichText::OnlyWholeLinesShow_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<double>("pageLines"); // the page's height, in lines of the text
    QTest::addColumn<int>("inkLines");     // -1: every line of the text
    QTest::addColumn<bool>("everything");
    QTest::newRow("room for all") << WrappingCell << 10.0 << -1 << true;
    QTest::newRow("a line and a half") << WrappingCell << 1.5 << 1 << false;
    QTest::newRow("two lines and a bit") << WrappingCell << 2.2 << 2 << false;
    QTest::newRow("half of the first line, cut") << WrappingCell << 0.6 << 1 << false;
    const QByteArray trailing = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 One\\par\\par}";
    QTest::newRow("an empty last paragraph left out") << trailing << 1.5 << 1 << true;
}

void TestRichText::OnlyWholeLinesShow()
{
    QFETCH(QByteArray, rtf);
    QFETCH(double, pageLines);
    QFETCH(int, inkLines);
    QFETCH(bool, everything);
    TWPRtfText text;
    text.SetRtf(rtf);
    QTextDocument& document = text.Document();
    const int width = 150;
    document.setTextWidth(width);
    const QTextLayout* first = document.begin().layout();
    document.size();
    const qreal lineHeight = first->lineAt(0).height();
    int allLines = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        allLines += block.length() > 1 ? block.layout()->lineCount() : 0;
    QVERIFY(allLines >= 3 || inkLines != -1);

    const QSize size(width, int(lineHeight * pageLines + document.documentMargin()));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const bool shown = TWPPageRenderer::ForTarget(size, 100).Render(document, painter, QRect(QPoint(0, 0), size));
    painter.end();
    QCOMPARE(InkLines(image).size(), inkLines == -1 ? allLines : inkLines);
    QCOMPARE(shown, everything);
}

void TestRichText::RenderingStaysInPageAndTarget()
{
    TWPRtfText text;
    text.SetRtf(WrappingCell);
    TWPPageRenderer renderer;
    renderer.SetPageSize(PixelsToTwips(150), PixelsToTwips(45)); // room for two whole lines
    renderer.SetMargins(PixelsToTwips(10), PixelsToTwips(5), 0, 0);
    QImage image(300, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.Render(text.Document(), painter, QRect(20, 30, 140, 200));
    painter.end();

    const QList<TInkLine> lines = InkLines(image);
    QCOMPARE(lines.size(), 2);              // page 1 only
    QVERIFY(lines.first().Top >= 30 + 5);   // below the target's top and the top margin
    QVERIFY(lines.last().Bottom < 30 + 45); // within the page
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < 30; ++x) // left of target plus left margin
            QVERIFY(qGray(image.pixel(x, y)) > 200);
    }
    QVERIFY(renderer.LayoutWidth() == 140);
}

void TestRichText::PictureRecordingDrawsTheSameLines()
{
    TWPRtfText text;
    text.SetRtf(WrappingCell);
    QPicture picture;
    QPainter recorder(&picture);
    TWPPageRenderer::ForTarget(QSize(150, 120), 100).Render(text.Document(), recorder, QRect(0, 0, 150, 120));
    recorder.end();

    QImage replayed(300, 240, QImage::Format_RGB32);
    replayed.fill(Qt::white);
    QPainter painter(&replayed);
    painter.scale(2, 2); // stretched, as a metafile into a printed cell
    painter.drawPicture(0, 0, picture);
    painter.end();

    const QList<TInkLine> direct = InkLines(Rendered(text.Document(), QSize(150, 120), 100));
    const QList<TInkLine> stretched = InkLines(replayed);
    QCOMPARE(stretched.size(), direct.size());
    for (int i = 0; i < direct.size(); ++i)
        QVERIFY(std::abs(stretched[i].Right - 2 * direct[i].Right) <= 6);
}

void TestRichText::EditorTakesAndGivesText()
{
    TWPRtfStorage cell(nullptr);
    FillFormattedText(cell.RtfText().Document());
    TWPRichText editor(nullptr);
    editor.resize(300, 200);
    editor.SetText(cell.RtfText());
    QCOMPARE(Describe(editor.Text().Document()), Describe(cell.RtfText().Document()));
    QVERIFY(!editor.IsEmpty());

    QSignalSpy changed(&editor, &TWPRichText::Changed);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    editor.setFocus();
    editor.MoveCaretToEnd();
    QTest::keyClicks(&editor, "xyz");
    QVERIFY(!changed.isEmpty());

    TWPRtfStorage back(nullptr);
    back.RtfText().Assign(editor.Text());
    QVERIFY(Texts(back.RtfText().Document()).endsWith("breakxyz"));
    QVERIFY(!Texts(cell.RtfText().Document()).endsWith("xyz")); // the cell kept its own copy

    editor.Clear();
    QVERIFY(editor.IsEmpty());
}

void TestRichText::EditorAtSixtyPercentShowsTheSameLinesAndHitsTheRightCharacter()
{
    TWPRtfText text;
    text.SetRtf(WrappingCell);
    TWPRichText editor(nullptr);
    editor.SetText(text);
    editor.SetPageSize(PixelsToTwips(150), PixelsToTwips(120));
    editor.SetZoom(60);
    editor.resize(90, 72);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));

    const QImage shown = editor.grab().toImage();
    const QList<TInkLine> editorLines = InkLines(shown);
    const QList<TInkLine> rendered = InkLines(Rendered(text.Document(), QSize(90, 72), 60));
    QCOMPARE(editorLines.size(), rendered.size());
    for (int i = 0; i < rendered.size(); ++i)
        QVERIFY(std::abs(editorLines[i].Right - rendered[i].Right) <= 2);

    // A click at 60% of an unzoomed point puts the caret where the text has that point.
    QTextDocument& document = const_cast<QTextDocument&>(editor.Text().Document());
    const QTextLine second = document.begin().layout()->lineAt(1);
    const QPointF unzoomed(40, second.y() + second.height() / 2);
    const int expected = document.documentLayout()->hitTest(unzoomed, Qt::FuzzyHit);
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, (unzoomed * 0.6).toPoint());
    QVERIFY(std::abs(editor.TextCursor().position() - expected) <= 1);
    QVERIFY(editor.TextCursor().position() > second.textStart());
}

void TestRichText::PictureGoesInAtTheCaret()
{
    TWPRichText editor(nullptr);
    editor.InsertText("abcd");
    QTextCursor cursor = editor.TextCursor();
    cursor.setPosition(2);
    editor.SetTextCursor(cursor);
    editor.InsertPicture(Filled(32, 32, Qt::green));
    QCOMPARE(Texts(editor.Text().Document()), QString("ab\uFFFCcd"));
    QCOMPARE(Describe(editor.Text().Document()).count("<32x32>"), 1);

    editor.SelectAll();
    QCOMPARE(editor.TextCursor().selectionStart(), 0);
    QCOMPARE(editor.TextCursor().selectionEnd(), 5);
}

void TestRichText::SetDefaultFontNowAppliesThePreferences_data()
{
    QTest::addColumn<int>("presentStyle");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("styles"); // wps bits set in the preferences
    QTest::addColumn<int>("color");
    QTest::addColumn<QString>("fontName");
    QTest::addColumn<int>("expectedStyle");
    QTest::addColumn<int>("colorIndex");
    QTest::newRow("defaults") << 0 << "Arial" << 10 << 0 << int(clBlack) << "Arial" << 0 << 0;
    QTest::newRow("new font, bold red") << 0 << "Times New Roman" << 12 << int(wpsBold) << int(clRed)
                                        << "Times New Roman" << int(wpsBold) << 5;
    QTest::newRow("styles are added") << int(wpsUnderline) << "Arial" << 9 << int(wpsItalic | wpsStrikeOut)
                                      << int(clNavy) << "Arial" << int(wpsUnderline | wpsItalic | wpsStrikeOut) << 8;
    QTest::newRow("colour not in the table") << 0 << "Arial" << 10 << 0 << 0x123456 << "Arial" << 0 << 0;
    QTest::newRow("name cut to 31 characters") << 0 << "Extraordinarily Long Font Family Name" << 11 << 0
                                               << int(clBlack) << "Extraordinarily Long Font Famil" << 0 << 0;
    QTest::newRow("known font ignoring case") << 0 << "arial" << 10 << 0 << int(clSilver) << "Arial" << 0 << 15;
}

void TestRichText::SetDefaultFontNowAppliesThePreferences()
{
    QFETCH(int, presentStyle);
    QFETCH(QString, name);
    QFETCH(int, size);
    QFETCH(int, styles);
    QFETCH(int, color);
    QFETCH(QString, fontName);
    QFETCH(int, expectedStyle);
    QFETCH(int, colorIndex);

    TWPRichText editor(nullptr);
    TWPCharAttr present = editor.CurrentAttr();
    present.Style = presentStyle;
    editor.SetCurrentAttr(present);

    TWPDefaultFont font;
    font.Name = name;
    font.Size = size;
    font.Bold = styles & wpsBold;
    font.Italic = styles & wpsItalic;
    font.Underline = styles & wpsUnderline;
    font.Strikeout = styles & wpsStrikeOut;
    font.Color = color;
    SetDefaultFontNow(editor, font);

    const TWPCharAttr attr = editor.CurrentAttr();
    QCOMPARE(editor.FontName(attr.FontIndex), fontName);
    QCOMPARE(attr.Size, size);
    QCOMPARE(attr.Style, expectedStyle);
    QCOMPARE(attr.ColorIndex, colorIndex);

    // The text typed next carries them.
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    editor.setFocus();
    QTest::keyClicks(&editor, "x");
    QTextCursor typed(const_cast<QTextDocument*>(&editor.Text().Document()));
    typed.setPosition(1);
    const QTextCharFormat format = typed.charFormat();
    QCOMPARE(format.fontFamilies().toStringList().value(0), fontName);
    QCOMPARE(format.fontPointSize(), double(size));
    QCOMPARE(format.fontWeight() >= QFont::DemiBold, bool(expectedStyle & wpsBold));
    QCOMPARE(format.fontItalic(), bool(expectedStyle & wpsItalic));
    QCOMPARE(format.fontUnderline(), bool(expectedStyle & wpsUnderline));
    QCOMPARE(format.fontStrikeOut(), bool(expectedStyle & wpsStrikeOut));
    QCOMPARE(ColorFromQColor(format.foreground().color()), TWPRichText::TextColor(colorIndex));
}

void TestRichText::FillingAppendsParagraphsWithTheLoadedAttributes()
{
    TWPRtfStorage cell(nullptr);
    cell.RtfText().SetRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}\\f1\\fs28\\b Meeting\\f0\\b0 "
                          " at noon}");
    TWPRichText editor(nullptr);
    auto fill = [&](const QString& event) {
        editor.SetText(cell.RtfText());
        const QTextCharFormat attributes = editor.CurrentCharFormat();
        editor.MoveCaretToEnd();
        if (!editor.IsEmpty())
            editor.NewParagraph();
        editor.SetCurrentCharFormat(attributes);
        editor.InsertText(event);
        editor.NewParagraph();
        cell.RtfText().Assign(editor.Text());
    };
    fill("Holiday");
    QCOMPARE(Texts(cell.RtfText().Document()), QString("Meeting at noon|Holiday|"));
    QCOMPARE(AttributesOf(cell.RtfText().Document(), "Holiday"), QString("Times New Roman 14 b l"));

    // The empty paragraph the first fill left is used, not a second one.
    fill("Holiday");
    QCOMPARE(Texts(cell.RtfText().Document()), QString("Meeting at noon|Holiday|Holiday|"));

    // It survives the stream too.
    TWPRtfStorage read(nullptr);
    ReadRecord(WrittenRecord(cell), read);
    QCOMPARE(Texts(read.RtfText().Document()), QString("Meeting at noon|Holiday|Holiday|"));

    TWPRtfStorage empty(nullptr);
    cell.Assign(empty);
    fill("Only");
    QCOMPARE(Texts(cell.RtfText().Document()), QString("Only|"));
}

void TestRichText::ToolBarFormatsTheSelectionAndShowsTheCaretAttributes()
{
    TToolBarWindow fixture;
    QWidget& window = fixture.Window;
    TWPToolBar* toolBar = fixture.ToolBar;
    TWPRichText* editor = fixture.Editor;
    window.resize(700, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    TWPRtfText text;
    text.SetRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0\\fs20 plain "
                "{\\b\\cf1\\fs28 loud}\\par second}");
    editor->SetText(text);
    auto button = [&](const char* name) { return toolBar->widgetForAction(toolBar->findChild<QAction*>(name)); };

    // The caret inside "loud" shows its attributes.
    QTextCursor cursor = editor->TextCursor();
    cursor.setPosition(8);
    editor->SetTextCursor(cursor);
    QVERIFY(toolBar->findChild<QAction*>("Bold")->isChecked());
    QCOMPARE(toolBar->findChild<QComboBox*>("FontColor")->currentText(), QString("Red"));
    QCOMPARE(toolBar->findChild<QComboBox*>("FontSize")->currentText(), QString("14"));

    // Italic on the selection "plain".
    cursor.setPosition(0);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    editor->SetTextCursor(cursor);
    QVERIFY(!toolBar->findChild<QAction*>("Bold")->isChecked());
    QTest::mouseClick(button("Italic"), Qt::LeftButton);
    QCOMPARE(AttributesOf(const_cast<QTextDocument&>(editor->Text().Document()), "plain"), QString("Arial 10 i l"));

    // Size from the list, by keyboard, on the same selection.
    auto* sizes = toolBar->findChild<QComboBox*>("FontSize");
    QCOMPARE(sizes->itemText(0), QString("8"));
    sizes->setFocus();
    QTest::keyClick(sizes, Qt::Key_Down);
    QCOMPARE(AttributesOf(const_cast<QTextDocument&>(editor->Text().Document()), "plain"), QString("Arial 11 i l"));

    // Centre the second paragraph; the first stays left and the buttons follow the caret.
    cursor.setPosition(12);
    editor->SetTextCursor(cursor);
    QTest::mouseClick(button("AlignCenter"), Qt::LeftButton);
    QCOMPARE(AttributesOf(const_cast<QTextDocument&>(editor->Text().Document()), "second"), QString("Arial 10 c"));
    QVERIFY(toolBar->findChild<QAction*>("AlignCenter")->isChecked());
    cursor.setPosition(1);
    editor->SetTextCursor(cursor);
    QVERIFY(toolBar->findChild<QAction*>("AlignLeft")->isChecked());

    QTest::mouseClick(button("SelectAll"), Qt::LeftButton);
    QCOMPARE(editor->TextCursor().selectedText().size(), editor->Text().Document().characterCount() - 1);
}

void TestRichText::ToolBarCopiesAndPastesWithFormatting()
{
    TWPToolBar toolBar;
    TWPRichText source(nullptr);
    TWPRichText target(nullptr);
    TWPRtfText text;
    text.SetRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 keep {\\b\\i bold} end}");
    source.SetText(text);
    source.InsertPicture(Filled(8, 8, Qt::red));

    toolBar.Attach(&source);
    QTextCursor cursor = source.TextCursor();
    cursor.setPosition(6);                           // after the picture and "keep "
    cursor.setPosition(11, QTextCursor::KeepAnchor); // "bold" and the space after it
    source.SetTextCursor(cursor);
    toolBar.findChild<QAction*>("Cut")->trigger();
    QCOMPARE(Texts(source.Text().Document()), QString("\uFFFCkeep end"));

    toolBar.Attach(&target);
    target.InsertText("x");
    toolBar.findChild<QAction*>("Paste")->trigger();
    QCOMPARE(Texts(target.Text().Document()), QString("xbold "));
    QCOMPARE(AttributesOf(const_cast<QTextDocument&>(target.Text().Document()), "bold"), QString("Arial 12 b i l"));

    // A picture travels with its image.
    toolBar.Attach(&source);
    source.SelectAll();
    toolBar.findChild<QAction*>("Copy")->trigger();
    toolBar.Attach(&target);
    toolBar.findChild<QAction*>("Paste")->trigger();
    const QList<QTextImageFormat> pictures = Pictures(target.Text().Document());
    QCOMPARE(pictures.size(), 1);
    QCOMPARE(PictureImage(target.Text().Document(), pictures[0]).pixelColor(0, 0), QColor(Qt::red));
}

void TestRichText::ToolBarListsTheFontsWhenTheUserReachesThem()
{
    QStringList families;
    for (const QString& family : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(family))
            families << family;
    if (families.size() < 3)
        QSKIP("this system has fewer than three font families");
    const QString first = families[1];
    const QString second = families[2];

    TToolBarWindow fixture;
    QWidget& window = fixture.Window;
    TWPToolBar* toolBar = fixture.ToolBar;
    TWPRichText* editor = fixture.Editor;
    editor->setFocus();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    TWPRtfText text;
    text.SetRtf(QString("{\\rtf1{\\fonttbl{\\f0 %1;}{\\f1 NoSuchFamily Mervane;}}\\f0 named {\\f1 missing}}")
                    .arg(first)
                    .toLatin1());
    editor->SetText(text);
    QTextCursor cursor = editor->TextCursor();
    cursor.setPosition(1);
    editor->SetTextCursor(cursor);

    // Until the user reaches the list it holds only the caret's family.
    auto* names = toolBar->findChild<TFontNameBox*>("FontName");
    QVERIFY(names);
    QCOMPARE(names->currentText(), first);
    QCOMPARE(names->count(), 1);
    QVERIFY(!names->AllFamiliesListed());

    // The focus lists every family and keeps the shown one; a family the system lacks shows as
    // the one it is drawn with, taken from that list.
    names->setFocus();
    QTRY_VERIFY(names->AllFamiliesListed());
    QCOMPARE(names->count(), families.size());
    QCOMPARE(names->currentText(), first);
    cursor.setPosition(8);
    editor->SetTextCursor(cursor);
    QVERIFY(names->findText(names->currentText()) >= 0);
    QCOMPARE(names->count(), families.size());

    // The next family by keyboard goes onto the selection.
    cursor.setPosition(0);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    editor->SetTextCursor(cursor);
    QCOMPARE(names->currentText(), first);
    QTest::keyClick(names, Qt::Key_Down);
    QCOMPARE(names->currentText(), second);
    QTextCursor named(const_cast<QTextDocument*>(&editor->Text().Document()));
    named.setPosition(3);
    QCOMPARE(named.charFormat().fontFamilies().toStringList(), QStringList{second});
}

QTEST_MAIN(TestRichText)
#include "TestRichText.moc"
