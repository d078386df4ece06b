// The colour drop-down list: the named colours, the item of an unnamed current colour, and the
// signal that tells a user's pick from a colour set by the program.

#include "controls/ColorComboBox.h"

#include <QSignalSpy>
#include <QtTest>

class TestColorComboBox : public QObject {
    Q_OBJECT

private slots:
    void OffersTheNamedColours();
    void ShowsAnUnnamedCurrentColour();
    void NamesASystemColour_data();
    void NamesASystemColour();
    void ReportsOnlyTheUsersPick();
};

void TestColorComboBox::OffersTheNamedColours()
{
    TColorComboBox list;
    QCOMPARE(list.count(), 16);
    QCOMPARE(list.itemText(0), QString("Black"));
    QCOMPARE(list.itemText(15), QString("White"));
    list.SetColor(clTeal);
    QCOMPARE(list.currentText(), QString("Teal"));
    QCOMPARE(list.Color(), clTeal);
    // The swatch shows the colour itself.
    const QImage swatch = list.itemIcon(list.currentIndex()).pixmap(16, 12).toImage();
    QCOMPARE(swatch.pixelColor(8, 6), QColor(0, 128, 128));
}

void TestColorComboBox::ShowsAnUnnamedCurrentColour()
{
    TColorComboBox list;
    const TColor orange = 0x0080FF;
    list.SetColor(orange);
    QCOMPARE(list.count(), 17);
    QCOMPARE(list.Color(), orange);
    QCOMPARE(list.currentText(), QString("Custom"));

    const TColor pink = 0xC0C0FF;
    list.SetColor(pink);
    QCOMPARE(list.count(), 17); // one unnamed colour at a time
    QCOMPARE(list.Color(), pink);

    list.SetColor(clNavy);
    QCOMPARE(list.count(), 16);
    QCOMPARE(list.Color(), clNavy);

    // A system colour is kept as it is, not as what it resolves to.
    list.SetColor(clWindowText);
    QCOMPARE(list.Color(), clWindowText);
}

void TestColorComboBox::NamesASystemColour_data()
{
    QTest::addColumn<TColor>("color");
    QTest::addColumn<QString>("name");
    QTest::newRow("window text") << clWindowText << "Window Text";
    QTest::newRow("window text, other base") << TColor(0xFF000008u) << "Window Text";
    QTest::newRow("button face") << clBtnFace << "Button Face";
    QTest::newRow("first: scroll bar") << clScrollBar << "Scroll Bar";
    QTest::newRow("last: info background") << clInfoBk << "Info Background";
    QTest::newRow("beyond the system colours") << SystemColor(40) << "Custom";
}

void TestColorComboBox::NamesASystemColour()
{
    QFETCH(TColor, color);
    QFETCH(QString, name);
    TColorComboBox list;
    list.SetColor(color);
    QCOMPARE(list.currentText(), name);
    QCOMPARE(list.Color(), color);
    QCOMPARE(list.count(), 17);
}

void TestColorComboBox::ReportsOnlyTheUsersPick()
{
    TColorComboBox list;
    QSignalSpy picked(&list, &TColorComboBox::ColorChanged);
    list.SetColor(0x123456);
    list.SetColor(clRed);
    QCOMPARE(picked.count(), 0);

    QTest::keyClick(&list, Qt::Key_Down);
    QCOMPARE(picked.count(), 1);
    QCOMPARE(picked.first().first().value<TColor>(), clLime);
    QCOMPARE(list.Color(), clLime);

    // Picking a named colour drops the unnamed one.
    list.SetColor(0x123456);
    QTest::keyClick(&list, Qt::Key_Home);
    QCOMPARE(list.Color(), clBlack);
    QCOMPARE(list.count(), 16);
}

QObject* NewTestColorComboBox()
{
    return new TestColorComboBox;
}

#include "TestColorComboBox.moc"
