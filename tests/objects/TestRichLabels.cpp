// Rich-text labels on a host panel owned by a window that carries the master editor: their
// stream records, finding the master, wrapping at the page zoom on the page and in the editor,
// the menu commands, the editor dialog and printing.

#define QTEST_QPA_MOUSE_HANDLING

#include "../common/PdfTools.h"
#include "ObjectTestTools.h"
#include "TestPageObjects.h"

#include "objects/GHandle.h"
#include "objects/GLabelObjectFiler.h"
#include "objects/GPLabel.h"
#include "objects/GPRichBaseLabel.h"
#include "objects/RichTextLabelEditor.h"
#include "platform/ProgramFolders.h"
#include "platformui/HelpWindow.h"
#include "platformui/ScriptedUiServices.h"
#include "richtext/WPRichText.h"
#include "richtext/WPToolBar.h"
#include "stream/ClassRegistry.h"
#include "stream/Reader.h"
#include "stream/StreamFile.h"
#include "stream/ValueType.h"
#include "stream/Writer.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QToolButton>
#include <QtTest>

namespace {

// A window standing in for the main window: it owns the page objects (and, when asked, the
// master editor).
class TTestForm : public QWidget, public TComponent {
public:
    explicit TTestForm(TComponent* owner = nullptr)
        : TComponent(owner)
    {
    }
    QString ClassName() const override { return "TTestForm"; }
};

// A component that is no window.
class TTestPlain : public TComponent {
public:
    using TComponent::TComponent;
    QString ClassName() const override { return "TTestPlain"; }
};

const char* const LongText = "The quick brown fox jumps over the lazy dog again and again";

// A binary value: vaBinary, its 4-byte length, the bytes.
QByteArray Binary(const QByteArray& bytes)
{
    QByteArray value(1, char(vaBinary));
    const quint32 size = quint32(bytes.size());
    for (int i = 0; i < 4; ++i)
        value += char(size >> (8 * i));
    return value + bytes;
}

// The record of a rich label named "Rich1" at (10, 20), 190 x 33, as the record layout gives
// it; `data` (RTF) is written as RTFText.Data when not empty.
QByteArray RichRecord(const QByteArray& data, const QByteArray& border, bool transparent, const QByteArray& color)
{
    QByteArray record = "TPF0" + Str("TGPRichBaseLabel") + Str("Rich1") + Str("Left") + QByteArray("\x02\x0A", 2) +
                        Str("Top") + QByteArray("\x02\x14", 2) + Str("Width") + QByteArray("\x03\xBE\x00", 3) +
                        Str("Height") + QByteArray("\x02\x21", 2) + Str("Locked") + '\x08' + Str("Unselectable") +
                        '\x08';
    if (!data.isEmpty())
        record += Str("RTFText.Data") + Binary(data + QByteArray(4, '\0'));
    return record + Str("BorderStyle") + Ident(border) + Str("Transparent") + (transparent ? '\x09' : '\x08') +
           Str("BGColor") + Ident(color) + QByteArray("\x00\x00", 2);
}

void SetPlainText(TGPRichBaseLabel& label, const QString& text)
{
    TWPRtfText rtf;
    rtf.Document().setPlainText(text);
    label.SetRTFText(rtf);
}

// The lines the document was last laid out in.
int LineCount(const QTextDocument& document)
{
    int lines = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        lines += block.layout()->lineCount();
    return lines;
}

// The rightmost column holding a dark pixel inside `area` (one pixel in from its edges, where a
// border runs); -1 when none does.
int RightmostInk(const QImage& image, const QRect& area)
{
    for (int x = area.right() - 1; x > area.left(); --x) {
        for (int y = area.top() + 1; y < area.bottom(); ++y) {
            if (IsDark(image.pixelColor(x, y)))
                return x - area.left();
        }
    }
    return -1;
}

} // namespace

class TestRichLabels : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void EmptyLabelRecordBytes();
    void RecordWithTextIsReadAndWrittenBackIdentically_data();
    void RecordWithTextIsReadAndWrittenBackIdentically();
    void ImpossibleRecordValuesAreRefused_data();
    void ImpossibleRecordValuesAreRefused();
    void MasterIsFoundUpTheOwnerChain_data();
    void MasterIsFoundUpTheOwnerChain();
    void ReadingWithoutMasterFailsAndKeepsTheRest();
    void PastingWithoutMasterShowsTheMessage();
    void WrapsAtTheUnzoomedWidth_data();
    void WrapsAtTheUnzoomedWidth();
    void BackgroundAndBorder();
    void MenuCommands_data();
    void MenuCommands();
    void EditorShowsTheLabelsPage();
    void EditorZoomButtons_data();
    void EditorZoomButtons();
    void EditOkTakesTheTextCancelKeepsIt_data();
    void EditOkTakesTheTextCancelKeepsIt();
    void EditorOffersHelp();
    void PrintsIntoItsRectangle_data();
    void PrintsIntoItsRectangle();

private:
    // A label on the host at exactly `rect` (host pixels at the host's zoom), owned by the form.
    TGPRichBaseLabel* AddLabel(const QString& text, const QRect& rect);
    QList<TComponent*> ReadRecords(const QByteArray& records, TComponent* owner);
    QImage Picture(const TGGraphicControl& object) const;
    // The editor dialog of `label` as the label fills it, shown; `inspect` runs while it is.
    void InspectEditor(TGPRichBaseLabel& label, const std::function<void(TRichTextLabelEditor&)>& inspect);

    QTemporaryDir* m_Dir = nullptr;
    TScriptedUiServices* m_Ui = nullptr;
    TTestForm* m_Form = nullptr;
    TTestHost* m_Host = nullptr;
    int m_Changes = 0;
};

void TestRichLabels::initTestCase()
{
    RegisterClass<TGPRichBaseLabel>("TGPRichBaseLabel");
    RegisterClass<TGPLabel>("TGPLabel");
}

void TestRichLabels::init()
{
    m_Dir = new QTemporaryDir;
    OverrideDataFolder(m_Dir->path());
    m_Ui = new TScriptedUiServices;
    m_Form = new TTestForm;
    CreateMasterRichText(*m_Form);
    m_Host = new TTestHost(m_Form);
    m_Host->resize(600, 400);
    m_Changes = 0;
    m_Host->LabelChangedEvent = [this](TComponent*) { ++m_Changes; };
    m_Host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_Host));
}

void TestRichLabels::cleanup()
{
    QVERIFY2(m_Ui->Unexpected.isEmpty(), qPrintable(m_Ui->Unexpected.join("; ")));
    delete m_Form; // frees the host, the objects and the master
    m_Form = nullptr;
    m_Host = nullptr;
    delete m_Ui;
    OverrideDataFolder({});
    delete m_Dir;
}

TGPRichBaseLabel* TestRichLabels::AddLabel(const QString& text, const QRect& rect)
{
    auto* label = new TGPRichBaseLabel(m_Form);
    label->Loaded();
    m_Host->PlaceObject(*label, rect);
    label->SetBounds(rect.x(), rect.y(), rect.width(), rect.height());
    if (!text.isEmpty())
        SetPlainText(*label, text);
    m_Changes = 0;
    return label;
}

QList<TComponent*> TestRichLabels::ReadRecords(const QByteArray& records, TComponent* owner)
{
    QByteArray bytes = records + '\0'; // the end of the list of records
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer);
    QList<TComponent*> read;
    reader.ReadComponents(owner, m_Host, [&read](TComponent* component) { read += component; });
    return read;
}

QImage TestRichLabels::Picture(const TGGraphicControl& object) const
{
    return m_Host->grab(object.geometry()).toImage();
}

void TestRichLabels::InspectEditor(TGPRichBaseLabel& label, const std::function<void(TRichTextLabelEditor&)>& inspect)
{
    bool shown = false;
    m_Ui->AnswerDialog([&](QDialog& dialog) {
        auto* editor = qobject_cast<TRichTextLabelEditor*>(&dialog);
        if (!editor)
            return int(QDialog::Rejected);
        shown = true;
        inspect(*editor);
        return int(QDialog::Rejected);
    });
    label.Edit();
    QVERIFY(shown);
}

void TestRichLabels::EmptyLabelRecordBytes()
{
    auto* label = new TGPRichBaseLabel(m_Form);
    label->Loaded();
    label->setParent(m_Host);
    label->SetName("Rich1");
    label->SetBounds(10, 20, 190, 33);
    // A new label is 190 x 33, transparent, white, with a border; an empty text writes no Data.
    QCOMPARE(RecordOf(*label), RichRecord({}, "bsSingle", true, "clWhite"));
    QVERIFY(!PropertyNames(RecordOf(*label)).contains("RTFText.Data"));
}

void TestRichLabels::RecordWithTextIsReadAndWrittenBackIdentically_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("border");
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<QByteArray>("color");

    QTest::newRow("plain") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Hello\\par}") << "Hello"
                           << QByteArray("bsSingle") << true << QByteArray("clWhite");
    QTest::newRow("mixed fonts, colours, centred")
        << QByteArray(
               "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
               "{\\colortbl;\\red255\\green0\\blue0;}\\qc\\f0\\fs28\\b Party\\b0\\par\\f1\\cf1\\i at eight\\par}")
        << "Party\nat eight" << QByteArray("bsNone") << false << QByteArray("clYellow");
    QTest::newRow("text beyond Windows-1252")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Caf\\'e9 \\u9731? \\u26085?\\par}")
        << QString::fromUtf8("Café ☃ 日") << QByteArray("bsSingle") << false << QByteArray("clAqua");
}

void TestRichLabels::RecordWithTextIsReadAndWrittenBackIdentically()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(QByteArray, border);
    QFETCH(bool, transparent);
    QFETCH(QByteArray, color);

    // RTF as this engine writes it, so that writing the record back can give the same bytes.
    TWPRtfText written;
    written.SetRtf(rtf);
    const QByteArray record = RichRecord(written.Rtf(), border, transparent, color);

    const QList<TComponent*> read = ReadRecords(record, m_Form);
    QCOMPARE(read.size(), 1);
    auto* label = dynamic_cast<TGPRichBaseLabel*>(read.first());
    QVERIFY(label);
    QCOMPARE(m_Changes, 0); // reading a label does not modify the page
    QCOMPARE(label->RTFText().Document().toPlainText(), text);
    QCOMPARE(label->BorderStyle(), border == "bsSingle" ? bsSingle : bsNone);
    QCOMPARE(label->Transparent(), transparent);
    QCOMPARE(label->DocumentBounds(), QRect(10, 20, 190, 33));
    QVERIFY(label->Master());
    QCOMPARE(RecordOf(*label), record);
}

void TestRichLabels::ImpossibleRecordValuesAreRefused_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown border style") << QByteArray("BorderStyle") << Ident("bsDouble") << "Invalid property value";
    QTest::newRow("border style as a number")
        << QByteArray("BorderStyle") << QByteArray("\x02\x01", 2) << "Invalid property value";
    QTest::newRow("unknown colour name") << QByteArray("BGColor") << Ident("clPlaid") << "Invalid property value";
    QTest::newRow("transparency as a string")
        << QByteArray("Transparent") << ('\x06' + Str("yes")) << "Invalid property value";
    QTest::newRow("data as a string") << QByteArray("RTFText.Data") << ('\x06' + Str("{\\rtf1 x}"))
                                      << "Invalid property value";
    QTest::newRow("data longer than the file")
        << QByteArray("RTFText.Data") << QByteArray("\x0A\xFF\xFF\xFF\x7F{\\rtf1", 10) << "Stream read error";
    QTest::newRow("unknown nested property")
        << QByteArray("RTFText.Colour") << QByteArray("\x02\x01", 2) << "Property does not exist";
    // The engine reads damaged RTF as far as it can; the label is kept.
    QTest::newRow("damaged RTF") << QByteArray("RTFText.Data") << Binary("{\\rtf1{\\fonttbl{\\f0 Ari") << QString();
    QTest::newRow("bytes that are no RTF")
        << QByteArray("RTFText.Data") << Binary(QByteArray("\x00\xFF\x7B\x5C", 4)) << QString();
}

void TestRichLabels::ImpossibleRecordValuesAreRefused()
{
    QFETCH(QByteArray, property);
    QFETCH(QByteArray, value);
    QFETCH(QString, error);

    QByteArray record = RichRecord({}, "bsSingle", true, "clWhite");
    record.chop(2); // the ends of the property list and of the children
    record += Str(property) + value + QByteArray(2, '\0');

    QString raised;
    QList<TComponent*> read;
    try {
        read = ReadRecords(record, m_Form);
    } catch (const EMervaneError& e) {
        raised = e.Message();
    }
    QCOMPARE(raised, error);
    QCOMPARE(m_Host->Objects().size(), error.isEmpty() ? 1 : 0);
}

void TestRichLabels::MasterIsFoundUpTheOwnerChain_data()
{
    QTest::addColumn<QString>("chain");
    QTest::addColumn<bool>("found");

    // The owners from the top down; the last owns the label. "form" is a window, "plain" a
    // component that is none, "host" a page inside the window above it that holds the label
    // without owning it. "+master" holds the master, "+lower" an editor named in lower case,
    // "+impostor" a component under the master's name that is no editor.
    QTest::newRow("the owner is the form") << "form+master" << true;
    QTest::newRow("the form further up") << "form+master plain plain" << true;
    QTest::newRow("name compared in upper case") << "form+lower" << true;
    QTest::newRow("no owner: from the host up") << "form+master host" << true;
    QTest::newRow("only the first form counts") << "form+master form" << false;
    QTest::newRow("a component of that name that is no editor") << "form+impostor" << false;
    QTest::newRow("held by a component that is no window") << "form plain+master" << false;
    QTest::newRow("no window at all") << "plain plain" << false;
    QTest::newRow("no owner and no host") << "" << false;
}

void TestRichLabels::MasterIsFoundUpTheOwnerChain()
{
    QFETCH(QString, chain);
    QFETCH(bool, found);

    std::unique_ptr<TComponent> top; // frees every link below it
    TComponent* owner = nullptr;
    QWidget* window = nullptr;
    TTestHost* host = nullptr;
    TWPRichText* master = nullptr;
    for (const QString& link : chain.split(' ', Qt::SkipEmptyParts)) {
        const QString kind = link.section('+', 0, 0);
        const QString held = link.section('+', 1);
        TComponent* component = nullptr;
        if (kind == "form") {
            auto* form = new TTestForm(owner);
            window = form;
            component = form;
        } else if (kind == "host") {
            host = new TTestHost(owner, window);
            component = host;
        } else {
            component = new TTestPlain(owner);
        }
        if (!top)
            top.reset(component);
        if (held == "master") {
            master = CreateMasterRichText(*component);
        } else if (held == "lower") {
            master = new TWPRichText(component);
            master->SetName("MasterWPRichText");
        } else if (held == "impostor") {
            (new TTestPlain(component))->SetName(MasterRichTextName);
        }
        owner = component;
    }
    std::unique_ptr<TGPRichBaseLabel> unowned;
    TGPRichBaseLabel* label = nullptr;
    if (host) {
        label = new TGPRichBaseLabel(nullptr);
        label->setParent(host);
    } else if (owner) {
        label = new TGPRichBaseLabel(owner);
    } else {
        unowned = std::make_unique<TGPRichBaseLabel>(nullptr);
        label = unowned.get();
    }
    QCOMPARE(TGPRichBaseLabel::FindMaster(*label), found ? master : nullptr);
}

void TestRichLabels::ReadingWithoutMasterFailsAndKeepsTheRest()
{
    // A form without a master owns what is read.
    TTestForm bare;
    auto* first = new TGPLabel(nullptr);
    first->SetCaption("Before");
    TGPRichBaseLabel rich(m_Form);
    rich.Loaded();
    SetPlainText(rich, "Rich");
    auto* last = new TGPLabel(nullptr);
    last->SetCaption("After");
    const QByteArray records = RecordOf(*first) + RecordOf(rich) + RecordOf(*last);
    delete first;
    delete last;

    const int objectsBefore = m_Host->Objects().size();
    QString raised;
    try {
        ReadRecords(records, &bare);
    } catch (const ENoMasterWPRich& e) {
        raised = e.Message();
    }
    QCOMPARE(raised, QString("No master rich text object found"));
    // The label read before stays; the rich label that could not finish loading is gone, and
    // reading stopped there.
    const QList<TGGraphicControl*> objects = m_Host->Objects();
    QCOMPARE(objects.size(), objectsBefore + 1);
    auto* kept = dynamic_cast<TGPLabel*>(objects.last());
    QVERIFY(kept);
    QCOMPARE(kept->Caption(), QString("Before"));
    QCOMPARE(bare.Components().size(), 1);
}

void TestRichLabels::PastingWithoutMasterShowsTheMessage()
{
    TGPRichBaseLabel* source = AddLabel("Pasted", {20, 20, 190, 33});
    const QString file = m_Dir->filePath("Clipbrd.tmp");
    TGLabelObjectFiler(m_Form).SaveObjectToFile(*source, file);

    TTestForm bare;
    TTestHost other(&bare);
    TGBasePanel::RunCommand([&] { TGLabelObjectFiler(&bare).LoadFromFile(&bare, other, file); });
    QCOMPARE(m_Ui->Messages.size(), 1);
    QCOMPARE(m_Ui->Messages.first().Text, QString("No master rich text object found"));
    QVERIFY(other.Objects().isEmpty());

    // Where the master exists the same file pastes.
    TGLabelObjectFiler(m_Form).LoadFromFile(m_Form, *m_Host, file);
    QCOMPARE(m_Host->Objects().size(), 2);
    auto* pasted = dynamic_cast<TGPRichBaseLabel*>(m_Host->Objects().last());
    QVERIFY(pasted);
    QCOMPARE(pasted->RTFText().Document().toPlainText(), QString("Pasted"));
}

void TestRichLabels::WrapsAtTheUnzoomedWidth_data()
{
    QTest::addColumn<float>("zoom");
    QTest::newRow("50 %") << 0.5f;
    QTest::newRow("60 %") << 0.6f;
}

void TestRichLabels::WrapsAtTheUnzoomedWidth()
{
    QFETCH(float, zoom);
    // The same label twice: at full size, 200 pixels wide, and (after zooming) shown smaller.
    TGPRichBaseLabel* full = AddLabel(LongText, {10, 10, 200, 100});
    full->SetBorderStyle(bsNone);
    full->repaint();
    const int fullLines = LineCount(full->RTFText().Document());
    QVERIFY2(fullLines >= 2, "the text must wrap at 200 pixels");
    const int fullInk = RightmostInk(Picture(*full), QRect(QPoint(0, 0), full->size()));

    // A label 100 pixels wide at full size breaks its lines elsewhere: the comparison below can
    // tell the widths apart.
    TGPRichBaseLabel* narrow = AddLabel(LongText, {250, 10, 100, 100});
    narrow->repaint();
    QVERIFY(LineCount(narrow->RTFText().Document()) > fullLines);

    m_Host->SetZoom(zoom);
    QCOMPARE(full->Width(), int(std::nearbyint(200 * zoom)));
    full->repaint();
    QCOMPARE(LineCount(full->RTFText().Document()), fullLines);
    QCOMPARE(full->Master()->Zoom(), int(std::lround(zoom * 100)));
    // The ink reaches as far across as at full size, scaled.
    const int zoomedInk = RightmostInk(Picture(*full), QRect(QPoint(0, 0), full->size()));
    QVERIFY2(std::abs(zoomedInk - fullInk * zoom) <= 3,
             qPrintable(QString("%1 at full size, %2 zoomed").arg(fullInk).arg(zoomedInk)));

    // The editor lays the text out on the same page.
    InspectEditor(*full, [&](TRichTextLabelEditor& dialog) {
        TWPRichText& editor = dialog.WPRichText1();
        QCOMPARE(editor.Page().PageWidth(), 3000);
        QCOMPARE(editor.Zoom(), int(std::lround(zoom * 100)));
        QCOMPARE(LineCount(editor.Text().Document()), fullLines);
    });
}

void TestRichLabels::BackgroundAndBorder()
{
    TGPRichBaseLabel* label = AddLabel("", {10, 10, 120, 40});
    m_Host->SetColorPicture({});
    // Transparent: the page shows through; the border is drawn.
    QImage picture = Picture(*label);
    QCOMPARE(picture.pixelColor(60, 20), m_Host->grab(QRect(300, 300, 1, 1)).toImage().pixelColor(0, 0));
    QVERIFY(IsDark(picture.pixelColor(0, 20)));
    QVERIFY(IsDark(picture.pixelColor(119, 20)));

    label->SetBGColor(clRed);
    QVERIFY(label->Transparent()); // the colour alone does not turn transparency off
    label->SetTransparent(false);
    label->SetBorderStyle(bsNone);
    picture = Picture(*label);
    QCOMPARE(picture.pixelColor(60, 20), QColor(Qt::red));
    QCOMPARE(picture.pixelColor(0, 20), QColor(Qt::red));

    // A page whose painting is suspended paints no label.
    m_Host->SetPaintingSuspended(true);
    picture = Picture(*label);
    QVERIFY(picture.pixelColor(60, 20) != QColor(Qt::red));
    m_Host->SetPaintingSuspended(false);
}

void TestRichLabels::MenuCommands_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("chooseColor"); // the colour dialog answers green (else it is cancelled)
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<int>("border");
    QTest::addColumn<int>("color");
    QTest::addColumn<bool>("changed");

    QTest::newRow("Transparent") << "Transparent" << false << false << int(bsSingle) << int(clWhite) << false;
    QTest::newRow("Border") << "Border" << false << true << int(bsNone) << int(clWhite) << true;
    QTest::newRow("Background Color") << "Background Color" << true << false << int(bsSingle) << 0x008000 << true;
    QTest::newRow("Background Color, cancelled")
        << "Background Color" << false << true << int(bsSingle) << int(clWhite) << false;
}

void TestRichLabels::MenuCommands()
{
    QFETCH(QString, item);
    QFETCH(bool, chooseColor);
    QFETCH(bool, transparent);
    QFETCH(int, border);
    QFETCH(int, color);
    QFETCH(bool, changed);

    TGPRichBaseLabel* label = AddLabel("Menu", {10, 10, 190, 33});
    QMenu* menu = label->ObjectMenu();
    QStringList captions;
    for (QAction* action : menu->actions())
        captions += action->isSeparator() ? "-" : action->text();
    QCOMPARE(captions, (QStringList{"Bring To Front", "Send To Back", "Cut", "Copy", "Delete", "Clone", "-", "Locked",
                                    "Unselectable", "-", "Center Vertically", "Center Horizontally", "-", "Transparent",
                                    "Background Color", "Border", "Edit"}));
    const auto find = [menu](const QString& caption) {
        for (QAction* action : menu->actions()) {
            if (action->text() == caption)
                return action;
        }
        return static_cast<QAction*>(nullptr);
    };
    emit menu->aboutToShow();
    QVERIFY(find("Transparent")->isChecked());
    QVERIFY(find("Border")->isChecked());

    if (item == "Background Color") {
        if (chooseColor)
            m_Ui->AnswerColor(QColor(0, 128, 0));
        else
            m_Ui->CancelChoice();
    }
    find(item)->trigger();
    QCOMPARE(label->Transparent(), transparent);
    QCOMPARE(int(label->BorderStyle()), border);
    QCOMPARE(int(label->BGColor()), color);
    QCOMPARE(m_Changes > 0, changed);
    emit menu->aboutToShow();
    QCOMPARE(find("Transparent")->isChecked(), transparent);
    QCOMPARE(find("Border")->isChecked(), border == bsSingle);
}

void TestRichLabels::EditorShowsTheLabelsPage()
{
    TGPRichBaseLabel* label = AddLabel("Edit me", {10, 10, 190, 33});
    label->SetBGColor(clYellow);
    label->SetTransparent(false);
    InspectEditor(*label, [](TRichTextLabelEditor& dialog) {
        QCOMPARE(dialog.windowTitle(), QString("Rich Text Editor"));
        // At least the form's design size; wide enough for every button of the tool bar.
        QVERIFY(dialog.width() >= 601 && dialog.height() >= 343);
        QVERIFY(dialog.findChild<TWPToolBar*>("WPToolBar1"));
        auto* plus = dialog.findChild<QToolButton*>("ZoomPlusButton");
        auto* minus = dialog.findChild<QToolButton*>("ZoomMinusButton");
        QVERIFY(plus && minus);
        QCOMPARE(plus->toolTip(), QString("Zoom In"));
        QCOMPARE(minus->toolTip(), QString("Zoom Out"));
        QCOMPARE(plus->parentWidget(), dialog.findChild<TWPToolBar*>("WPToolBar1"));
        QVERIFY(dialog.WPPanel().isVisible());
        QCOMPARE(dialog.WPPanel().size(), QSize(191, 34));
        QCOMPARE(dialog.WPPanel().palette().color(QPalette::Window), QColor(Qt::yellow));
        TWPRichText& editor = dialog.WPRichText1();
        QCOMPARE(dialog.findChild<TWPToolBar*>("WPToolBar1")->Editor(), &editor); // formats this text
        QCOMPARE(editor.Text().Document().toPlainText(), QString("Edit me"));
        QCOMPARE(editor.Page().PageWidth(), 190 * 15);
        QCOMPARE(editor.Page().PageHeight(), 33 * 15);
        QCOMPARE(editor.Page().TextRect().topLeft(), QPoint(0, 0)); // no margins
        QCOMPARE(editor.TextCursor().position(), 0);
        QCOMPARE(dialog.findChild<QPushButton*>("OKButton")->isDefault(), true);
    });
}

void TestRichLabels::EditorZoomButtons_data()
{
    QTest::addColumn<float>("pageZoom");
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QSize>("panel");

    // The label is 190 x 33 at full size; the panel starts one pixel larger than it is shown.
    QTest::newRow("in at 100 does nothing") << 1.0f << "+" << 100 << QSize(191, 34);
    QTest::newRow("out to 50, then no further") << 1.0f << "------" << 50 << QSize(96, 17);
    QTest::newRow("out at 50 does nothing") << 0.5f << "-" << 50 << QSize(96, 17);
    QTest::newRow("in from 50") << 0.5f << "+" << 60 << QSize(115, 20);
    QTest::newRow("in from 60 up to 100") << 0.6f << "++++++" << 100 << QSize(192, 35);
    QTest::newRow("out and in again") << 0.6f << "-+" << 60 << QSize(115, 21);
}

void TestRichLabels::EditorZoomButtons()
{
    QFETCH(float, pageZoom);
    QFETCH(QString, clicks);
    QFETCH(int, zoom);
    QFETCH(QSize, panel);

    TGPRichBaseLabel* label = AddLabel("Zoom", {10, 10, 190, 33});
    m_Host->SetZoom(pageZoom);
    InspectEditor(*label, [&](TRichTextLabelEditor& dialog) {
        for (QChar click : clicks) {
            auto* button = dialog.findChild<QToolButton*>(click == '+' ? "ZoomPlusButton" : "ZoomMinusButton");
            QVERIFY(button->isVisible());
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QCOMPARE(dialog.WPRichText1().Zoom(), zoom);
        QCOMPARE(dialog.findChild<QLabel*>("ZoomCaption")->text(), QString("%1%").arg(zoom));
        QCOMPARE(dialog.WPPanel().size(), panel);
        // The page stays the label's page: only the view scales.
        QCOMPARE(dialog.WPRichText1().Page().PageWidth(), 190 * 15);
    });
}

void TestRichLabels::EditOkTakesTheTextCancelKeepsIt_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("Ok") << true;
    QTest::newRow("Cancel") << false;
}

void TestRichLabels::EditOkTakesTheTextCancelKeepsIt()
{
    QFETCH(bool, ok);
    TGPRichBaseLabel* label = AddLabel("Old", {10, 10, 190, 33});
    m_Ui->AnswerDialog([ok](QDialog& dialog) {
        auto* editor = dialog.findChild<TWPRichText*>("WPRichText1");
        editor->SelectAll();
        QTest::keyClicks(editor, "New text");
        QTest::mouseClick(dialog.findChild<QPushButton*>(ok ? "OKButton" : "CancelButton"), Qt::LeftButton);
        return dialog.result();
    });
    // A double-click on the selected label opens the editor.
    m_Host->SelectionHandle()->Add(label);
    QVERIFY(label->OnEdit);
    label->OnEdit(label);
    QCOMPARE(m_Ui->DialogsShown, QStringList{"TRichTextLabelEditor"});
    QCOMPARE(label->RTFText().Document().toPlainText(), ok ? QString("New text") : QString("Old"));
    QCOMPARE(m_Changes > 0, ok);
}

void TestRichLabels::EditorOffersHelp()
{
    TRichTextLabelEditor dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.findChild<QPushButton*>("Helpbutton"), Qt::LeftButton);
    QCOMPARE(THelpWindow::Instance().CurrentTopic(), 40013);
    THelpWindow::Instance().close();
}

void TestRichLabels::PrintsIntoItsRectangle_data()
{
    QTest::addColumn<float>("zoom");
    QTest::newRow("100 %") << 1.0f;
    QTest::newRow("60 %") << 0.6f;
}

void TestRichLabels::PrintsIntoItsRectangle()
{
    QFETCH(float, zoom);
    TGPRichBaseLabel* label = AddLabel("", {96, 192, 300, 60});
    TWPRtfText text;
    text.SetRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs40 Printed rich\\par}");
    label->SetRTFText(text);
    label->SetBGColor(clYellow);
    label->SetTransparent(false);
    m_Host->SetZoom(zoom);
    const QString pdf = m_Dir->filePath("rich.pdf");
    PrintObject(*label, pdf);
    // At full size whatever the zoom: the rectangle on paper starts at (1.5, 2.25) inches.
    const QRectF box = PdfWordBox(pdf, "Printed");
    QVERIFY2(!box.isEmpty(), "no text in the PDF");
    QVERIFY2(box.left() >= 1.5 * 72 - 0.5 && box.left() <= 1.5 * 72 + 4, qPrintable(QString::number(box.left())));
    QVERIFY2(box.top() >= 2.25 * 72 - 0.5 && box.top() <= 2.25 * 72 + 8, qPrintable(QString::number(box.top())));
    // 20-point text, not shrunk by the zoom shown.
    QVERIFY2(box.height() > 15, qPrintable(QString::number(box.height())));
    QVERIFY(!PdfWordBox(pdf, "rich").isEmpty());

    const QImage page = PdfPageImage(pdf, m_Dir->path(), 96);
    QVERIFY(!page.isNull());
    const QPoint corner(int(1.5 * 96), int(2.25 * 96));
    const QColor yellow = page.pixelColor(corner + QPoint(294, 50));
    QVERIFY2(yellow.red() > 240 && yellow.green() > 240 && yellow.blue() < 40, qPrintable(yellow.name()));
    QCOMPARE(page.pixelColor(corner + QPoint(304, 30)), QColor(Qt::white));
}

QObject* NewTestRichLabels()
{
    return new TestRichLabels;
}

#include "TestRichLabels.moc"
