// The special-effects text dialogs: the properties dialog (empty text refused, size buttons,
// surface switch to the built-in texture, transparent letters getting an outline, Ok copying
// back through the Properties command), the
// texture browser's start folder and the symbol picker's preselected font.

#include "effects/GSuperText.h"
#include "effects/SuperTextGetSymbol.h"
#include "effects/SuperTextProperties.h"
#include "effects/SuperTextBrushImageBrowser.h"
#include "objects/GBasePanel.h"
#include "platformui/ScriptedUiServices.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

// A special-effects text placed on a page, with scripted answers for the dialogs it opens.
struct TPlacedText {
    TScriptedUiServices Ui;
    TComponent* NoOwner = nullptr;
    TGBasePanel Host{NoOwner};
    TGSuperText* Text = new TGSuperText(nullptr);

    TPlacedText()
    {
        Host.resize(600, 400);
        Text->Loaded();
        Host.PlaceObject(*Text, {10, 10, 200, 60});
    }
};

} // namespace

class TestSuperTextDialogs : public QObject {
    Q_OBJECT

private slots:
    void EmptyTextIsRefused();
    void SizeButtonsReachTheirSizes();
    void TypingRefitsOnTheTimerOnly();
    void TextureSurfaceTakesTheBuiltInTexture();
    void OkCopiesTheSampleBack();
    void ChoosingTransparentLettersGivesThemAnOutline();
    void BrowserStartFolder_data();
    void BrowserStartFolder();
    void WingdingsIsPreselectedInAnyCase_data();
    void WingdingsIsPreselectedInAnyCase();
};

void TestSuperTextDialogs::EmptyTextIsRefused()
{
    TScriptedUiServices ui;
    TSuperTextProperties dialog;
    dialog.show();
    auto* caption = dialog.findChild<QLineEdit*>("CaptionText");
    caption->setText("");
    dialog.findChild<QPushButton*>("OKButton")->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(dialog.isVisible());
    QCOMPARE(ui.Messages.size(), 1);
    QCOMPARE(ui.Messages[0].Text, QString("Please enter some text"));
    QCOMPARE(ui.Messages[0].Caption, QString("Information"));
    caption->setText("Go");
    dialog.findChild<QPushButton*>("OKButton")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Sample().Caption(), QString("Go"));
}

void TestSuperTextDialogs::SizeButtonsReachTheirSizes()
{
    TScriptedUiServices ui;
    TSuperTextProperties dialog;
    QCOMPARE(dialog.Sample().Font().Size(), 48);
    QList<int> sizes;
    for (int i = 0; i < 12; ++i) {
        dialog.ChangeFontSize(-1);
        sizes += dialog.Sample().Font().Size();
    }
    QCOMPARE(sizes.mid(0, 8), (QList<int>{43, 38, 33, 28, 23, 18, 13, 8}));
    QCOMPARE(sizes.last(), 8);
    for (int i = 0; i < 40; ++i)
        dialog.ChangeFontSize(1);
    QCOMPARE(dialog.Sample().Font().Size(), 153);
}

void TestSuperTextDialogs::TypingRefitsOnTheTimerOnly()
{
    TScriptedUiServices ui;
    TSuperTextProperties dialog;
    dialog.show();
    auto* timer = dialog.findChild<QTimer*>("Timer1");
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 200);
    QVERIFY(timer->isActive());
    TGSuperText& sample = dialog.Sample();
    const int before = sample.width();
    QTest::keyClicks(dialog.findChild<QLineEdit*>("CaptionText"), "Happy Birthday");
    QCOMPARE(sample.Caption(), QString("Happy Birthday"));
    QCOMPARE(sample.width(), before);
    QTRY_VERIFY(sample.width() > before);
    // Without typing, the timer leaves a size the user gave alone.
    const QRect given(sample.x(), sample.y(), 50, 40);
    sample.setGeometry(given);
    dialog.RefitWhenTyped();
    QCOMPARE(sample.geometry(), given);
}

void TestSuperTextDialogs::TextureSurfaceTakesTheBuiltInTexture()
{
    TScriptedUiServices ui;
    TSuperTextProperties dialog;
    dialog.show();
    QCOMPARE(BuiltInTexture().size(), QSize(120, 84));
    QCOMPARE(BuiltInTexture().colorCount(), 256);
    dialog.findChild<QListWidget*>("SurfaceTypeCombo")->setCurrentRow(stBrushImage);
    QCOMPARE(dialog.Sample().SurfaceType(), stBrushImage);
    QCOMPARE(dialog.Sample().Image().size(), QSize(120, 84));
    QVERIFY(dialog.findChild<QWidget*>("ImagePanel")->isVisible());
    QVERIFY(!dialog.findChild<QWidget*>("FillPanel")->isVisible());
}

void TestSuperTextDialogs::OkCopiesTheSampleBack()
{
    TPlacedText placed;
    TScriptedUiServices& ui = placed.Ui;
    TGSuperText* text = placed.Text;
    ui.AnswerDialog([](QDialog& dialog) {
        auto& properties = dynamic_cast<TSuperTextProperties&>(dialog);
        dialog.findChild<QLineEdit*>("CaptionText")->setText("Changed");
        properties.Sample().SetShadowDepth(4);
        properties.Sample().SetOutlineWidth(3);
        properties.Sample().SetBounds(0, 0, 20, 20);
        return int(QDialog::Accepted);
    });
    text->Properties();
    QCOMPARE(text->Caption(), QString("Changed"));
    QCOMPARE(text->ShadowDepth(), 4);
    QCOMPARE(text->OutlineWidth(), 3);
    QCOMPARE(text->Width(), 200); // the sample's size is not copied back
    ui.AnswerDialog([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("CaptionText")->setText("Cancelled");
        return int(QDialog::Rejected);
    });
    text->Properties();
    QCOMPARE(text->Caption(), QString("Changed"));
    QVERIFY(ui.Unexpected.isEmpty());
}

// Letters without a fill would not show at all without their outline: choosing "Transparent"
// turns a clear outline solid, and Ok takes it over.
void TestSuperTextDialogs::ChoosingTransparentLettersGivesThemAnOutline()
{
    TPlacedText placed;
    TScriptedUiServices& ui = placed.Ui;
    TGSuperText* text = placed.Text;
    text->SetOutlineStyle(psClear);
    TPenStyle chosen = psClear;
    ui.AnswerDialog([&chosen](QDialog& dialog) {
        dialog.findChild<QListWidget*>("SurfaceTypeCombo")->setCurrentRow(stBrushTransparent);
        chosen = dynamic_cast<TSuperTextProperties&>(dialog).Sample().OutlineStyle();
        return int(QDialog::Accepted);
    });
    text->Properties();
    QCOMPARE(chosen, psSolid);
    QCOMPARE(text->SurfaceType(), stBrushTransparent);
    QCOMPARE(text->OutlineStyle(), psSolid);
    QVERIFY(ui.Unexpected.isEmpty());
}

void TestSuperTextDialogs::BrowserStartFolder_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << QStringList() << QString();
    QTest::newRow("textures") << QStringList{"Textures"} << QString("Textures/");
    QTest::newRow("both") << QStringList{"Textures", "bmbrush"} << QString("bmbrush/");
}

void TestSuperTextDialogs::BrowserStartFolder()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    for (const QString& folder : folders)
        QDir(dir.path()).mkdir(folder);
    const QString program = dir.path() + "/";
    QCOMPARE(TSuperTextBrushImageBrowser::StartFolder(program), program + expected);
}

void TestSuperTextDialogs::WingdingsIsPreselectedInAnyCase_data()
{
    QTest::addColumn<QStringList>("fonts");
    QTest::addColumn<int>("index");
    QTest::newRow("upper case") << QStringList{"Marlett", "Symbol", "WINGDINGS 2"} << 2;
    QTest::newRow("mixed case") << QStringList{"Symbol", "Webdings", "Wingdings"} << 2;
    QTest::newRow("lower case") << QStringList{"a font", "wingdings 3"} << 1;
    QTest::newRow("none") << QStringList{"Symbol", "Webdings"} << 0;
    QTest::newRow("empty") << QStringList() << -1;
}

void TestSuperTextDialogs::WingdingsIsPreselectedInAnyCase()
{
    QFETCH(QStringList, fonts);
    QFETCH(int, index);
    QCOMPARE(TSuperTextGetSymbol::PreferredFont(fonts), index);
}

QObject* NewTestSuperTextDialogs()
{
    return new TestSuperTextDialogs;
}

#include "TestSuperTextDialogs.moc"
