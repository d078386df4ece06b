// Page objects on a host panel, driven with real mouse and keyboard events: selection and its
// squares, handle drags and nudging, menus and their enabling, the object clipboard, clone,
// creation, zoom and change notification.

// Mouse events go through the window, so Qt's own routing and mouse grabs take part.
#define QTEST_QPA_MOUSE_HANDLING

#include "HostTestCase.h"

#include "objects/FrameOverlay.h"
#include "objects/GHandle.h"
#include "objects/GLabelObjectFiler.h"
#include "objects/ScreenCursor.h"
#include "objects/TickCount.h"
#include "platform/MervaneError.h"
#include "platform/ProgramFolders.h"
#include "platformui/ScriptedUiServices.h"
#include "stream/ClassRegistry.h"

#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

using TObjectList = QList<TGGraphicControl*>;

class TestObjects : public THostTestCase {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void singleSelectionShowsEightSquares();
    void multipleSelectionShowsCornerSquares();
    void handleFitsWhatStaysSelected_data();
    void handleFitsWhatStaysSelected();
    void cornerDragResizesByOneLessThanTheMouse();
    void dragMovesSelectionButNotLockedObjects();
    void quickClickMovesNothing();
    void pressOnUnselectedObjectDragsIt_data();
    void pressOnUnselectedObjectDragsIt();
    void arrowKeysMoveFrameThenObjects();
    void arrowKeys_data();
    void arrowKeys();
    void clickAndShiftClickSelect();
    void rectangleSelection();
    void rectangleWithoutAreaSelectsNothing_data();
    void rectangleWithoutAreaSelectsNothing();
    void rightClickMenus();
    void alignAndCenterCommands_data();
    void alignAndCenterCommands();
    void lockSelectableAndFontCommands();
    void doubleClickOpensMenuOrEdits();
    void pasteTwiceGivesTwoComponents();
    void cutAndDeleteKeys_data();
    void cutAndDeleteKeys();
    void damagedClipboardKeepsObjects_data();
    void damagedClipboardKeepsObjects();
    void hostWithoutClipboardLeavesItAlone();
    void cloneKeepsLeftAndTakesSelection();
    void filerKeepsPropertiesAndReportsErrors();
    void creationModeCreatesObject_data();
    void creationModeCreatesObject();
    void zoomRoundTripIsExact_data();
    void zoomRoundTripIsExact();
    void moveAtZoomUpdatesDocumentGeometry();
    void zoomToCurrentValueDoesNothing();
    void changeNotification();
    void paintsGridAndOutline();

private:
    TTestObject* AddObject(const QRect& rect);
    TGHandle& Handle() { return *m_Host->SelectionHandle(); }
    TObjectList Selection() { return Handle().SelectedObjects(); }
    void Press(QPoint point, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers shift = {});
    void Move(QPoint point);
    void Release(QPoint point, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers shift = {});
    void Click(QPoint point, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers shift = {});
    // Press, two moves and a release well after the quick-click time.
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers shift = {});
    QMenu* OpenMenu() const { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }
    QAction* Item(QMenu* menu, const QString& caption) const;
    void ChooseMenuItem(QMenu* menu, const QString& caption);
    QByteArray CopiedBytes(const TObjectList& objects);
};

TTestObject* TestObjects::AddObject(const QRect& rect)
{
    auto* object = new TTestObject(m_Owner);
    object->Loaded();
    m_Host->PlaceObject(*object, rect);
    // Placing makes objects at least 10 x 15; the tests want smaller ones too.
    object->SetBounds(rect.x(), rect.y(), rect.width(), rect.height());
    return object;
}

void TestObjects::Press(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers shift)
{
    QTest::mousePress(m_Host, button, shift, point);
}

void TestObjects::Move(QPoint point)
{
    QTest::mouseMove(m_Host, point);
}

void TestObjects::Release(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers shift)
{
    QTest::mouseRelease(m_Host, button, shift, point);
}

void TestObjects::Click(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers shift)
{
    Advance(1000);
    Move(point);
    Press(point, button, shift);
    Advance(50);
    Release(point, button, shift);
}

void TestObjects::Drag(QPoint from, QPoint to, Qt::KeyboardModifiers shift)
{
    Advance(1000);
    Move(from);
    Press(from, Qt::LeftButton, shift);
    Advance(20);
    Move((from + to) / 2);
    Move(to);
    Advance(200);
    Release(to, Qt::LeftButton, shift);
}

QAction* TestObjects::Item(QMenu* menu, const QString& caption) const
{
    for (QAction* action : menu->actions()) {
        if (action->text() == caption)
            return action;
    }
    return nullptr;
}

void TestObjects::ChooseMenuItem(QMenu* menu, const QString& caption)
{
    QAction* action = Item(menu, caption);
    QVERIFY2(action, qPrintable(caption));
    QVERIFY2(action->isEnabled(), qPrintable(caption));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    QVERIFY(!menu->isVisible());
}

// The clipboard file a copy of `objects` writes.
QByteArray TestObjects::CopiedBytes(const TObjectList& objects)
{
    Handle().Clear();
    for (TGGraphicControl* object : objects)
        Handle().Add(object);
    m_Host->SelectionOperation(opCopy);
    QFile file(m_Host->ClipboardFile());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

namespace {

QColor Pixel(const QImage& image, QPoint point)
{
    return QColor(image.pixel(point));
}

QStringList Names(const TObjectList& objects)
{
    QStringList names;
    for (const TGGraphicControl* object : objects)
        names += object->Name();
    return names;
}

int Zoomed(int value, float zoom)
{
    return int(std::nearbyint(float(value) * zoom));
}

} // namespace

void TestObjects::initTestCase()
{
    RegisterClass<TTestObject>("TTestObject");
}

void TestObjects::init()
{
    QVERIFY(SetUpHost({400, 300}));
    m_Host->SetClipboardFile(DataFolder() + "Clipbrd.tmp");
}

void TestObjects::cleanup()
{
    TearDownHost();
}

void TestObjects::singleSelectionShowsEightSquares()
{
    TTestObject* object = AddObject({100, 50, 20, 10});
    Click({110, 55});

    QCOMPARE(Selection(), TObjectList{object});
    QVERIFY(Handle().isVisible());
    QCOMPARE(Handle().geometry(), QRect(98, 48, 25, 15));
    QCOMPARE(m_Host->focusWidget(), &Handle());

    const QImage image = m_Host->grab().toImage();
    const QPoint squares[] = {{98, 48},  {121, 48}, {121, 61}, {98, 61},   // corners
                              {110, 48}, {110, 61}, {98, 55},  {121, 55}}; // mid-edges
    for (const QPoint square : squares)
        QCOMPARE(Pixel(image, square), QColor(Qt::black));
    QCOMPARE(Pixel(image, {105, 48}), QColor(Qt::white));
    QCOMPARE(Pixel(image, {110, 55}), QColor(0, 0, 255));
}

void TestObjects::multipleSelectionShowsCornerSquares()
{
    TTestObject* first = AddObject({100, 50, 20, 10});
    TTestObject* second = AddObject({200, 100, 30, 20});
    Click({110, 55});
    Click({215, 110}, Qt::LeftButton, Qt::ShiftModifier);

    QCOMPARE(Selection(), (TObjectList{first, second}));
    QCOMPARE(Handle().geometry(), QRect(98, 48, 135, 75));
    const QImage image = m_Host->grab().toImage();
    const QColor grey(128, 128, 128);
    QCOMPARE(Pixel(image, {98, 48}), grey);
    QCOMPARE(Pixel(image, {121, 61}), grey);
    QCOMPARE(Pixel(image, {198, 98}), grey);
    QCOMPARE(Pixel(image, {231, 121}), grey);
    QCOMPARE(Pixel(image, {110, 48}), QColor(Qt::white)); // no mid-edge squares
    QCOMPARE(Pixel(image, {98, 55}), QColor(Qt::white));
}

void TestObjects::handleFitsWhatStaysSelected_data()
{
    QTest::addColumn<int>("removed");
    QTest::addColumn<QRect>("handle");
    // Objects 0 (100, 50, 20, 10), 1 (200, 100, 30, 20) and 2 (150, 20, 10, 10) are selected.
    QTest::newRow("first made unselectable") << 0 << QRect(148, 18, 85, 105);
    QTest::newRow("second made unselectable") << 1 << QRect(98, 18, 65, 45);
    QTest::newRow("third made unselectable") << 2 << QRect(98, 48, 135, 75);
}

// The handle reaches from 2 pixels before the remaining objects to 3 pixels past them, as
// when they were selected one by one.
void TestObjects::handleFitsWhatStaysSelected()
{
    QFETCH(int, removed);
    QFETCH(QRect, handle);
    const TObjectList objects = {AddObject({100, 50, 20, 10}), AddObject({200, 100, 30, 20}),
                                 AddObject({150, 20, 10, 10})};
    for (TGGraphicControl* object : objects)
        Handle().Add(object);

    objects[removed]->SetUnselectable(true);
    TObjectList remaining = objects;
    remaining.removeAt(removed);
    QCOMPARE(Selection(), remaining);
    QCOMPARE(Handle().geometry(), handle);

    Handle().Clear();
    for (TGGraphicControl* object : remaining)
        Handle().Add(object);
    QCOMPARE(Handle().geometry(), handle);
}

void TestObjects::cornerDragResizesByOneLessThanTheMouse()
{
    TTestObject* object = AddObject({100, 50, 20, 10});
    Click({110, 55});

    // Handle point (23, 14): near the bottom-right corner, not in the middle of the right edge.
    Advance(1000);
    Move({121, 62});
    QCOMPARE(Handle().DragMode(), 4);
    QCOMPARE(ScreenCursor(), crSizeNWSE);

    Press({121, 62});
    Advance(20);
    Move({126, 65});
    Move({131, 67});
    // The frame previews the new handle (34 x 19) inside its 2-pixel margins.
    QCOMPARE(m_Host->FrameOverlay().Frames(), QList<QRect>{QRect(100, 50, 29, 14)});
    Advance(200);
    Release({131, 67});

    QCOMPARE(object->geometry(), QRect(100, 50, 29, 14));
    QVERIFY(m_Host->FrameOverlay().Frames().isEmpty());
    QVERIFY(!Handle().Dragging());
    // The posted re-fit then fits the handle around the object.
    QCOMPARE(Handle().geometry(), QRect(98, 48, 35, 20));
}

void TestObjects::dragMovesSelectionButNotLockedObjects()
{
    TTestObject* free = AddObject({100, 50, 20, 10});
    TTestObject* locked = AddObject({140, 50, 20, 10});
    locked->SetLocked(true);
    Click({110, 55});
    Click({150, 55}, Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(Selection().size(), 2);

    Drag({110, 55}, {140, 75});

    QCOMPARE(free->geometry(), QRect(130, 70, 20, 10));
    QCOMPARE(locked->geometry(), QRect(140, 50, 20, 10));
}

void TestObjects::quickClickMovesNothing()
{
    TTestObject* object = AddObject({100, 50, 20, 10});
    Click({110, 55});

    Advance(1000);
    Move({110, 55});
    Press({110, 55});
    Move({140, 75});
    Advance(149);
    Release({140, 75});

    QCOMPARE(object->geometry(), QRect(100, 50, 20, 10));
    QVERIFY(m_Host->FrameOverlay().Frames().isEmpty());
}

void TestObjects::pressOnUnselectedObjectDragsIt_data()
{
    QTest::addColumn<int>("wait");            // milliseconds between the press and the first move
    QTest::addColumn<QList<QPoint>>("moves"); // after a press at (110, 55)
    QTest::addColumn<QRect>("moved");

    QTest::newRow("several moves") << 20 << QList<QPoint>{{112, 56}, {130, 70}} << QRect(120, 65, 20, 10);
    // However few moves the window system reports, the whole way counts.
    QTest::newRow("210 pixels in two moves") << 20 << QList<QPoint>{{215, 55}, {320, 55}} << QRect(310, 50, 20, 10);
    QTest::newRow("one move") << 20 << QList<QPoint>{{180, 90}} << QRect(170, 85, 20, 10);
    // A move right after the press starts no drag; the drag that follows still runs from the press.
    QTest::newRow("a move too early") << 2 << QList<QPoint>{{111, 55}, {140, 80}} << QRect(130, 75, 20, 10);
}

void TestObjects::pressOnUnselectedObjectDragsIt()
{
    QFETCH(int, wait);
    QFETCH(QList<QPoint>, moves);
    QFETCH(QRect, moved);
    TTestObject* object = AddObject({100, 50, 20, 10});
    Advance(1000);
    Move({110, 55});
    Press({110, 55});
    QCOMPARE(Selection(), TObjectList{object});
    Advance(wait);
    for (const QPoint& point : std::as_const(moves)) {
        Move(point);
        Advance(20);
    }
    // The frame shows where the object goes.
    QCOMPARE(m_Host->FrameOverlay().Frames(), QList<QRect>{moved});
    Advance(200);
    Release(moves.last());

    QCOMPARE(object->geometry(), moved);
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
}

void TestObjects::arrowKeysMoveFrameThenObjects()
{
    TTestObject* object = AddObject({100, 50, 20, 10});
    Click({110, 55});

    for (int i = 0; i < 3; ++i)
        QTest::keyPress(&Handle(), Qt::Key_Right);
    QVERIFY(Handle().Nudging());
    QCOMPARE(object->geometry(), QRect(100, 50, 20, 10));
    QCOMPARE(m_Host->FrameOverlay().Frames(), QList<QRect>{QRect(103, 50, 20, 10)});

    QTest::keyRelease(&Handle(), Qt::Key_Right);
    QVERIFY(!Handle().Nudging());
    QCOMPARE(object->geometry(), QRect(103, 50, 20, 10));
    QVERIFY(m_Host->FrameOverlay().Frames().isEmpty());
}

void TestObjects::arrowKeys_data()
{
    QTest::addColumn<QRect>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("shift");
    QTest::addColumn<QRect>("expected");

    // The host is 400 x 300; every key is pressed 25 times.
    const Qt::KeyboardModifiers none;
    QTest::newRow("left stops at 0") << QRect(2, 50, 20, 10) << int(Qt::Key_Left) << none << QRect(0, 50, 20, 10);
    QTest::newRow("up stops at 0") << QRect(100, 3, 20, 10) << int(Qt::Key_Up) << none << QRect(100, 0, 20, 10);
    QTest::newRow("right stops at the edge")
        << QRect(370, 50, 20, 10) << int(Qt::Key_Right) << none << QRect(380, 50, 20, 10);
    QTest::newRow("down stops at the edge")
        << QRect(100, 280, 20, 10) << int(Qt::Key_Down) << none << QRect(100, 290, 20, 10);
    QTest::newRow("shift left shrinks to 9") << QRect(100, 50, 20, 10) << int(Qt::Key_Left)
                                             << Qt::KeyboardModifiers(Qt::ShiftModifier) << QRect(100, 50, 9, 10);
    QTest::newRow("shift up shrinks to 9") << QRect(100, 50, 20, 30) << int(Qt::Key_Up)
                                           << Qt::KeyboardModifiers(Qt::ShiftModifier) << QRect(100, 50, 20, 9);
    QTest::newRow("shift right grows to the edge")
        << QRect(360, 50, 20, 10) << int(Qt::Key_Right) << Qt::KeyboardModifiers(Qt::ShiftModifier)
        << QRect(360, 50, 40, 10);
}

void TestObjects::arrowKeys()
{
    QFETCH(QRect, start);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, shift);
    QFETCH(QRect, expected);

    TTestObject* object = AddObject(start);
    Click(start.center());
    QCOMPARE(Selection(), TObjectList{object});
    for (int i = 0; i < 25; ++i)
        QTest::keyClick(&Handle(), Qt::Key(key), shift);
    QCOMPARE(object->geometry(), expected);
}

void TestObjects::clickAndShiftClickSelect()
{
    TTestObject* first = AddObject({100, 50, 20, 10});
    TTestObject* second = AddObject({200, 100, 30, 20});

    Click({110, 55});
    QCOMPARE(Selection(), TObjectList{first});
    Click({50, 200});
    QCOMPARE(Selection(), TObjectList{});
    QVERIFY(!Handle().isVisible());

    Click({110, 55});
    Click({215, 110}, Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(Selection(), (TObjectList{first, second}));
    // Shift-click on a selected object (under the handle) takes it out.
    Click({110, 55}, Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(Selection(), TObjectList{second});
    QCOMPARE(first->geometry(), QRect(100, 50, 20, 10));
    // Shift-click on the empty page keeps the selection; a plain click clears it.
    Click({50, 200}, Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(Selection(), TObjectList{second});
    Click({50, 200});
    QCOMPARE(Selection(), TObjectList{});
}

void TestObjects::rectangleSelection()
{
    TTestObject* first = AddObject({100, 50, 20, 10});
    TTestObject* second = AddObject({200, 100, 30, 20});

    Advance(1000);
    Move({90, 40});
    Press({90, 40});
    Move({150, 90});
    QCOMPARE(m_Host->FrameOverlay().Frames(), QList<QRect>{QRect(90, 40, 60, 50)});
    Move({240, 130});
    Release({240, 130});
    QVERIFY(m_Host->FrameOverlay().Frames().isEmpty());
    // Children are taken from the top down.
    QCOMPARE(Selection(), (TObjectList{second, first}));

    Drag({90, 40}, {125, 65}, Qt::ShiftModifier);
    QCOMPARE(Selection(), TObjectList{second});
    Drag({90, 40}, {125, 65}, Qt::ShiftModifier);
    QCOMPARE(Selection(), (TObjectList{second, first}));
    // Dragged up and left, starting outside the handle.
    Drag({130, 20}, {90, 58});
    QCOMPARE(Selection(), TObjectList{first});
}

void TestObjects::rectangleWithoutAreaSelectsNothing_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<bool>("selects");
    // The object covers x 100..119, y 50..59.
    QTest::newRow("vertical line across") << QPoint(110, 30) << QPoint(110, 80) << false;
    QTest::newRow("vertical line dragged up") << QPoint(110, 80) << QPoint(110, 30) << false;
    QTest::newRow("horizontal line across") << QPoint(90, 55) << QPoint(130, 55) << false;
    QTest::newRow("one pixel wide band") << QPoint(110, 30) << QPoint(111, 80) << true;
    QTest::newRow("one pixel high band") << QPoint(130, 55) << QPoint(90, 56) << true;
}

void TestObjects::rectangleWithoutAreaSelectsNothing()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(bool, selects);
    TTestObject* object = AddObject({100, 50, 20, 10});
    Drag(from, to);
    QCOMPARE(Selection(), selects ? TObjectList{object} : TObjectList{});
}

void TestObjects::rightClickMenus()
{
    // An empty page: nothing to lock, nothing on the clipboard.
    Advance(1000);
    Press({50, 200}, Qt::RightButton);
    QMenu* menu = OpenMenu();
    QVERIFY(menu);
    QCOMPARE(menu, m_Host->PanelMenu());
    QVERIFY(!Item(menu, "Lock All")->isEnabled());
    QVERIFY(!Item(menu, "Unlock All")->isEnabled());
    QVERIFY(!Item(menu, "Paste")->isEnabled());
    QVERIFY(!Item(menu, "Copy")->isEnabled());
    QVERIFY(Item(menu, "Select All")->isEnabled());
    Release({50, 200}, Qt::RightButton);
    menu->close();

    m_Host->SetPointing(false);
    Press({50, 200}, Qt::RightButton);
    QCOMPARE(OpenMenu(), m_Host->PanelMenu());
    Release({50, 200}, Qt::RightButton);
    OpenMenu()->close();
    m_Host->SetPointing(true);

    // A right press on an unselected object selects only it and opens its menu.
    TTestObject* first = AddObject({100, 50, 20, 10});
    TTestObject* second = AddObject({200, 100, 30, 20});
    Click({110, 55});
    Advance(1000);
    Move({215, 110});
    Press({215, 110}, Qt::RightButton);
    QCOMPARE(Selection(), TObjectList{second});
    QCOMPARE(OpenMenu(), second->ObjectMenu());
    Release({215, 110}, Qt::RightButton);
    OpenMenu()->close();
    Q_UNUSED(first);

    Click({50, 200}, Qt::RightButton);
    menu = OpenMenu();
    QCOMPARE(menu, m_Host->PanelMenu());
    QVERIFY(Item(menu, "Lock All")->isEnabled());
    QVERIFY(Item(menu, "Copy")->isEnabled());
    QVERIFY(!Item(menu, "Paste")->isEnabled());
    ChooseMenuItem(menu, "Copy");
    QVERIFY(QFileInfo::exists(m_Host->ClipboardFile()));

    Click({50, 200}, Qt::RightButton);
    QVERIFY(Item(OpenMenu(), "Paste")->isEnabled());
}

void TestObjects::alignAndCenterCommands_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("first");
    QTest::addColumn<QRect>("second");

    // Objects (100, 50, 20, 10) and (150, 80, 30, 20) on a 400 x 300 page.
    QTest::newRow("left") << "Align Left" << QRect(100, 50, 20, 10) << QRect(100, 80, 30, 20);
    QTest::newRow("right") << "Align Right" << QRect(160, 50, 20, 10) << QRect(150, 80, 30, 20);
    QTest::newRow("tops") << "Align Tops" << QRect(100, 50, 20, 10) << QRect(150, 50, 30, 20);
    QTest::newRow("bottoms") << "Align Bottoms" << QRect(100, 90, 20, 10) << QRect(150, 80, 30, 20);
    QTest::newRow("vertically") << "Center Vertically" << QRect(100, 145, 20, 10) << QRect(150, 140, 30, 20);
    QTest::newRow("horizontally") << "Center Horizontally" << QRect(190, 50, 20, 10) << QRect(185, 80, 30, 20);
}

void TestObjects::alignAndCenterCommands()
{
    QFETCH(QString, caption);
    QFETCH(QRect, first);
    QFETCH(QRect, second);

    TTestObject* one = AddObject({100, 50, 20, 10});
    TTestObject* two = AddObject({150, 80, 30, 20});
    Item(m_Host->PanelMenu(), "Select All")->trigger();
    QCOMPARE(Selection().size(), 2);
    m_Changes = 0;

    Item(m_Host->PanelMenu(), caption)->trigger();

    QCOMPARE(one->geometry(), first);
    QCOMPARE(two->geometry(), second);
    QVERIFY(m_Changes > 0);
}

void TestObjects::lockSelectableAndFontCommands()
{
    TTestObject* one = AddObject({100, 50, 20, 10});
    TTestObject* two = AddObject({150, 80, 30, 20});
    QMenu* menu = m_Host->PanelMenu();

    Item(menu, "Lock All")->trigger();
    QVERIFY(one->Locked() && two->Locked());
    QVERIFY(one->LockedItem()->isChecked());
    Item(menu, "Unlock All")->trigger();
    QVERIFY(!one->Locked() && !two->Locked());

    Item(menu, "Select All")->trigger();
    Item(menu, "Mark All Unselectable")->trigger();
    QCOMPARE(Selection(), TObjectList{});
    Item(menu, "Select All")->trigger();
    QCOMPARE(Selection(), TObjectList{});
    Click({110, 55}); // acts as a press on the page
    QCOMPARE(Selection(), TObjectList{});
    Item(menu, "Mark All Selectable")->trigger();
    Item(menu, "Select All")->trigger();
    QCOMPARE(Selection(), (TObjectList{one, two}));

    QFont arial("Arial", 14);
    arial.setBold(true);
    m_Ui->AnswerFont({arial, QColor(255, 0, 0)});
    Item(menu, "Font")->trigger();
    for (const TTestObject* object : {one, two}) {
        QCOMPARE(object->FontsApplied, 1);
        QCOMPARE(object->AppliedFont.Name(), QString("Arial"));
        QCOMPARE(object->AppliedFont.Size(), 14);
        QVERIFY(object->AppliedFont.HasStyle(fsBold));
        QCOMPARE(object->AppliedFont.Color(), clRed);
    }
    QVERIFY(m_Ui->ScriptFinished());
}

void TestObjects::doubleClickOpensMenuOrEdits()
{
    TTestObject* object = AddObject({100, 50, 20, 10});
    Click({110, 55});

    Advance(1000);
    QTest::mouseDClick(m_Host, Qt::LeftButton, {}, {110, 55});
    QCOMPARE(OpenMenu(), object->ObjectMenu());
    OpenMenu()->close();
    // The drag that the double-click's press started ends with the next move.
    Advance(200);
    Move({115, 57});
    QVERIFY(!Handle().Dragging());
    QCOMPARE(object->geometry(), QRect(100, 50, 20, 10));

    int edits = 0;
    object->OnEdit = [&edits](TComponent*) { ++edits; };
    Advance(1000);
    QTest::mouseDClick(m_Host, Qt::LeftButton, {}, {110, 55});
    QCOMPARE(edits, 1);
    QCOMPARE(OpenMenu(), nullptr);
}

void TestObjects::pasteTwiceGivesTwoComponents()
{
    TTestObject* object = AddObject({100, 50, 20, 10});
    object->Caption = "Meeting";
    Click({110, 55});
    QTest::keyClick(&Handle(), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(QFileInfo::exists(m_Host->ClipboardFile()));

    Advance(2000);
    QTest::keyClick(&Handle(), Qt::Key_V, Qt::ControlModifier);
    Advance(2000);
    QTest::keyClick(&Handle(), Qt::Key_V, Qt::ControlModifier);

    const TObjectList objects = m_Host->Objects();
    QCOMPARE(Names(objects), (QStringList{"Special1", "Component0", "Component1"}));
    for (const TGGraphicControl* pasted : {objects[1], objects[2]}) {
        QCOMPARE(pasted->geometry(), QRect(115, 65, 20, 10));
        QCOMPARE(static_cast<const TTestObject*>(pasted)->Caption, QString("Meeting"));
    }
    QCOMPARE(Selection(), TObjectList{object});
    // The handle stays above the pasted objects.
    QCOMPARE(m_Host->childAt(110, 55), &Handle());

    // A third paste within a second of the last is ignored.
    Advance(999);
    QTest::keyClick(&Handle(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_Host->Objects().size(), 3);
    QVERIFY(m_Ui->Messages.isEmpty());
}

void TestObjects::cutAndDeleteKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("shift");
    QTest::addColumn<bool>("copied");

    QTest::newRow("Delete") << int(Qt::Key_Delete) << Qt::KeyboardModifiers() << false;
    QTest::newRow("Ctrl+X") << int(Qt::Key_X) << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
}

void TestObjects::cutAndDeleteKeys()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, shift);
    QFETCH(bool, copied);

    AddObject({100, 50, 20, 10});
    TTestObject* kept = AddObject({200, 100, 30, 20});
    Click({110, 55});
    m_Changes = 0;

    QTest::keyClick(&Handle(), Qt::Key(key), shift);

    QCOMPARE(m_Host->Objects(), TObjectList{kept});
    QCOMPARE(Selection(), TObjectList{});
    QVERIFY(!Handle().isVisible());
    QCOMPARE(m_Changes, 1);
    QCOMPARE(QFileInfo::exists(m_Host->ClipboardFile()), copied);
    QCOMPARE(m_Owner->Components().size(), 2); // the host and the kept object
}

void TestObjects::damagedClipboardKeepsObjects_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("empty file") << "empty";
    QTest::newRow("not a stream") << "garbage";
    QTest::newRow("second object cut short") << "truncated";
    QTest::newRow("unknown class") << "unknown class";
}

void TestObjects::damagedClipboardKeepsObjects()
{
    QFETCH(QString, damage);

    TTestObject* one = AddObject({100, 50, 20, 10});
    TTestObject* two = AddObject({200, 100, 30, 20});
    QByteArray bytes = CopiedBytes({one, two});
    QVERIFY(!bytes.isEmpty());
    if (damage == "empty")
        bytes.clear();
    else if (damage == "garbage")
        bytes = "This is not an object clipboard.";
    else if (damage == "truncated")
        bytes.chop(8);
    else
        bytes.replace("TTestObject", "TNoSuchObjc");
    QFile file(m_Host->ClipboardFile());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();

    Advance(2000);
    QTest::keyClick(&Handle(), Qt::Key_V, Qt::ControlModifier);

    QCOMPARE(m_Ui->Messages.size(), 1);
    QVERIFY2(m_Ui->Messages[0].Text.contains("cannot be pasted"), qPrintable(m_Ui->Messages[0].Text));
    QCOMPARE(m_Ui->Messages[0].Caption, QString("Information"));
    QCOMPARE(Names(m_Host->Objects()), (QStringList{"Special1", "Special2"}));
    QCOMPARE(m_Owner->Components().size(), 3);
}

// A second host without a clipboard file (a preview page) neither writes, reads nor deletes the
// clipboard the first one filled.
void TestObjects::hostWithoutClipboardLeavesItAlone()
{
    TTestObject* copied = AddObject({100, 50, 20, 10});
    const QByteArray bytes = CopiedBytes({copied});
    QVERIFY(!bytes.isEmpty());

    auto* preview = new TTestHost(m_Owner);
    preview->resize(200, 100);
    QVERIFY(preview->ClipboardFile().isEmpty());
    auto* object = new TTestObject(m_Owner);
    object->Loaded();
    preview->PlaceObject(*object, {10, 10, 30, 20});
    preview->SelectionHandle()->Add(object);
    for (const Qt::Key key : {Qt::Key_C, Qt::Key_X, Qt::Key_V}) {
        Advance(2000);
        QTest::keyClick(preview, key, Qt::ControlModifier);
    }
    QCOMPARE(preview->Objects(), TObjectList{object});
    delete preview;

    QFile file(m_Host->ClipboardFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    QVERIFY(m_Ui->Messages.isEmpty());
}

void TestObjects::cloneKeepsLeftAndTakesSelection()
{
    TTestObject* object = AddObject({100, 50, 20, 10});
    object->Caption = "Original";
    Click({110, 55});
    Advance(1000);
    Press({110, 55}, Qt::RightButton);
    QMenu* menu = OpenMenu();
    QCOMPARE(menu, object->ObjectMenu());
    Release({110, 55}, Qt::RightButton);
    m_Changes = 0;
    ChooseMenuItem(menu, "Clone");

    const TObjectList objects = m_Host->Objects();
    QCOMPARE(objects.size(), 2);
    auto* copy = dynamic_cast<TTestObject*>(objects.last());
    QVERIFY(copy);
    QCOMPARE(copy->Name(), QString("Component0"));
    QCOMPARE(copy->geometry(), QRect(100, 75, 20, 10));
    QCOMPARE(copy->Caption, QString("Original"));
    QCOMPARE(Selection(), TObjectList{copy});
    QCOMPARE(m_Host->childAt(110, 80), &Handle());
    QVERIFY(m_Changes > 0);
}

void TestObjects::filerKeepsPropertiesAndReportsErrors()
{
    TTestObject* object = AddObject({100, 50, 20, 10});
    object->SetLocked(true);
    object->SetUnselectable(true);
    object->SetHint("A hint");
    object->SetTag(7);
    object->SetCursor(crDrag);
    object->Caption = "Caption";

    auto* copy = dynamic_cast<TTestObject*>(TGLabelObjectFiler(m_Owner).Duplicate(*object, m_Owner, *m_Host));
    QVERIFY(copy);
    QCOMPARE(copy->parentWidget(), m_Host);
    QCOMPARE(copy->Name(), QString("Component0"));
    QCOMPARE(copy->geometry(), QRect(100, 50, 20, 10));
    QVERIFY(copy->Locked());
    QVERIFY(copy->LockedItem()->isChecked());
    QVERIFY(copy->Unselectable());
    QCOMPARE(copy->Hint(), QString("A hint"));
    QCOMPARE(copy->Tag(), 7);
    QCOMPARE(copy->Cursor(), crDrag);
    QCOMPARE(copy->Caption, QString("Caption"));

    // Nothing selected: nothing written. A missing file: nothing read.
    const QString file = m_Dir->filePath("objects.tmp");
    TGLabelObjectFiler(m_Owner).SaveSelectionToFile(Handle(), file);
    QVERIFY(!QFileInfo::exists(file));
    TGLabelObjectFiler(m_Owner).LoadFromFile(m_Owner, *m_Host, file);
    QCOMPARE(m_Host->Objects().size(), 2);

    const QString unwritable = m_Dir->filePath("missing/objects.tmp");
    try {
        TGLabelObjectFiler(m_Owner).SaveObjectToFile(*object, unwritable);
        QFAIL("no error");
    } catch (const EMervaneError& error) {
        QCOMPARE(error.Message(), QString("Cannot create file %1").arg(unwritable));
    }
}

void TestObjects::creationModeCreatesObject_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QRect>("dragged");
    QTest::addColumn<QRect>("placed");

    QTest::newRow("down and right") << QPoint(50, 50) << QPoint(150, 90) << QRect(50, 50, 100, 40)
                                    << QRect(50, 50, 100, 40);
    QTest::newRow("up and left") << QPoint(150, 90) << QPoint(50, 50) << QRect(50, 50, 100, 40)
                                 << QRect(50, 50, 100, 40);
    QTest::newRow("click") << QPoint(60, 60) << QPoint(60, 60) << QRect(60, 60, 0, 0) << QRect(60, 60, 10, 15);
}

void TestObjects::creationModeCreatesObject()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QRect, dragged);
    QFETCH(QRect, placed);

    QList<QRect> dropped;
    m_Host->DroppedObjectEvent = [&dropped](const QRect& rect) { dropped += rect; };
    m_Host->SetPointing(false);
    Drag(from, to);

    QCOMPARE(m_Host->CreatedIn, QList<QRect>{dragged});
    QCOMPARE(dropped, QList<QRect>{dragged});
    const TObjectList objects = m_Host->Objects();
    QCOMPARE(objects.size(), 1);
    QCOMPARE(objects[0]->Name(), QString("Special1"));
    QCOMPARE(objects[0]->geometry(), placed);
    QVERIFY(objects[0]->isVisible());
    QCOMPARE(Selection(), TObjectList{});
    QVERIFY(m_Changes > 0);
}

void TestObjects::zoomRoundTripIsExact_data()
{
    QTest::addColumn<float>("zoom");
    for (const float zoom : {0.2f, 0.3f, 0.5f, 0.7f, 0.9f})
        QTest::addRow("%.1f", double(zoom)) << zoom;
}

void TestObjects::zoomRoundTripIsExact()
{
    QFETCH(float, zoom);

    const QList<QRect> bounds = {{3, 7, 21, 13}, {101, 55, 33, 17}, {0, 0, 399, 299}};
    for (const QRect& rect : bounds)
        AddObject(rect);
    m_Changes = 0;

    m_Host->SetZoom(zoom);
    QCOMPARE(m_Host->size(), QSize(Zoomed(400, zoom), Zoomed(300, zoom)));
    const TObjectList objects = m_Host->Objects();
    for (int i = 0; i < objects.size(); ++i) {
        const QRect& rect = bounds[i];
        QCOMPARE(objects[i]->geometry(), QRect(Zoomed(rect.x(), zoom), Zoomed(rect.y(), zoom),
                                               Zoomed(rect.width(), zoom), Zoomed(rect.height(), zoom)));
    }

    m_Host->SetZoom(1.0f);
    QCOMPARE(m_Host->size(), QSize(400, 300));
    for (int i = 0; i < objects.size(); ++i)
        QCOMPARE(objects[i]->geometry(), bounds[i]);
    QCOMPARE(m_Changes, 0);
}

void TestObjects::moveAtZoomUpdatesDocumentGeometry()
{
    TTestObject* object = AddObject({3, 7, 21, 13});
    m_Host->SetZoom(0.5f);
    QCOMPARE(object->geometry(), QRect(2, 4, 10, 6)); // halves round to even

    object->SetLeft(12);
    // Files get the geometry at zoom 1.0 whatever the zoom.
    QCOMPARE(object->DocumentBounds(), QRect(24, 7, 21, 13));
    QCOMPARE(object->Properties().Find("Left")->GetOrdinal(), 24);
    QCOMPARE(object->Properties().Find("Width")->GetOrdinal(), 21);

    m_Host->SetZoom(1.0f);
    QCOMPARE(object->geometry(), QRect(24, 7, 21, 13));
}

void TestObjects::zoomToCurrentValueDoesNothing()
{
    TTestObject* object = AddObject({3, 7, 21, 13});
    m_Host->SetZoom(0.5f);
    m_Host->resize(150, 100); // a size set at this zoom becomes the base of the next zoom
    object->SetBounds(2, 4, 10, 6);

    m_Host->SetZoom(0.5f);
    QCOMPARE(m_Host->size(), QSize(150, 100));
    QCOMPARE(object->DocumentBounds(), QRect(3, 7, 21, 13));

    m_Host->SetZoom(1.0f);
    QCOMPARE(m_Host->size(), QSize(300, 200));
    QCOMPARE(object->geometry(), QRect(3, 7, 21, 13));
}

void TestObjects::changeNotification()
{
    TTestObject* object = AddObject({100, 50, 20, 15});
    QCOMPARE(m_Changes, 1); // placing it

    m_Changes = 0;
    object->SetLocked(true);
    QCOMPARE(m_Changes, 1);
    object->SetLocked(true);
    QCOMPARE(m_Changes, 1);

    m_Changes = 0;
    object->SetBounds(110, 50, 20, 15);
    QCOMPARE(m_Changes, 1);

    // Bounds set while the object is being read are not changes.
    m_Changes = 0;
    object->SetComponentState(csLoading | csReading);
    object->SetLeft(130);
    object->SetComponentState(0);
    QCOMPARE(m_Changes, 0);

    m_Host->SetPrinting(true);
    object->SetTop(80);
    object->SetLocked(false);
    QCOMPARE(m_Changes, 0);
    m_Host->SetPrinting(false);

    // Becoming unselectable leaves the selection.
    Click({140, 85});
    QCOMPARE(Selection(), TObjectList{object});
    object->SetUnselectable(true);
    QCOMPARE(Selection(), TObjectList{});
    QCOMPARE(m_Changes, 1);
}

void TestObjects::paintsGridAndOutline()
{
    const QColor green(0, 128, 0);
    m_Host->SetShape(lsRectangle);
    m_Host->SetDrawOutline(true);
    m_Host->SetShowGrid(true);
    m_Host->SetGridSize(gs8x8);
    QImage image = m_Host->grab().toImage();
    QCOMPARE(Pixel(image, {0, 150}), QColor(Qt::black));
    QCOMPARE(Pixel(image, {399, 150}), QColor(Qt::black));
    QCOMPARE(Pixel(image, {200, 299}), QColor(Qt::black));
    QCOMPARE(Pixel(image, {50, 50}), green);
    QCOMPARE(Pixel(image, {54, 50}), QColor(Qt::white));

    m_Host->SetGridSize(gs4x4);
    image = m_Host->grab().toImage();
    QCOMPARE(Pixel(image, {54, 50}), green);
    QCOMPARE(Pixel(image, {53, 50}), QColor(Qt::white));
    QCOMPARE(Pixel(image, {2, 2}), green);

    // The grid is clipped to the shape: no dots in the corners outside an ellipse.
    m_Host->SetShape(lsEllipse);
    image = m_Host->grab().toImage();
    QCOMPARE(Pixel(image, {2, 2}), QColor(Qt::white));
    QCOMPARE(Pixel(image, {198, 150}), green);
}

QObject* NewTestObjects()
{
    return new TestObjects;
}

#include "TestObjects.moc"
