// The tool-bar button with a pop-up menu of its own: a right click shows it at the pointer, and
// without one the click does nothing.

#include "objects/PSpeedButton.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QtTest>

class TestPSpeedButton : public QObject {
    Q_OBJECT
private slots:
    void RightClickShowsItsMenu();
};

void TestPSpeedButton::RightClickShowsItsMenu()
{
    TPSpeedButton button;
    button.resize(40, 29);
    button.show();
    QVERIFY(button.autoRaise());
    QContextMenuEvent withoutMenu(QContextMenuEvent::Mouse, QPoint(5, 5), button.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&button, &withoutMenu);
    QVERIFY(!QApplication::activePopupWidget());

    QMenu menu;
    menu.addAction("Tool options");
    button.SetPopupMenu(&menu);
    QCOMPARE(button.PopupMenu(), &menu);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), button.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&button, &event);
    QVERIFY(event.isAccepted());
    QCOMPARE(QApplication::activePopupWidget(), &menu);
    QCOMPARE(menu.pos(), button.mapToGlobal(QPoint(5, 5)));
    menu.close();
}

QObject* NewTestPSpeedButton()
{
    return new TestPSpeedButton;
}

#include "TestPSpeedButton.moc"
