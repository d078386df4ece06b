#include "app/CalendarMain.h"

#include "app/CalendarDocument.h"
#include "app/FloatingPalette.h"
#include "app/HintPauseStyle.h"
#include "app/MRUFileList.h"
#include "app/Splashform.h"
#include "calendar/CalendarPanel32.h"
#include "objects/PSpeedButton.h"
#include "objects/ScreenCursor.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolders.h"
#include "platformui/HelpWindow.h"
#include "platformui/Utility.h"
#include "platformui/WindowPlacement.h"
#include "recurring/EditRecurringDates.h"
#include "recurring/RecurringDatesFile.h"
#include "richtext/WPDefaultFont.h"
#include "richtext/WPRichText.h"
#include "richtext/WPRtfStorage.h"
#include "richtext/WPToolBar.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>

#include <cmath>

namespace {

// Sees the application's events before their widgets do: key presses (each once, where it
// starts, not again as it travels up the parent chain unhandled) and tool tips.
class TAppEventFilter : public QObject {
public:
    using THandler = std::function<bool(QObject* watched, QEvent* event)>;

    TAppEventFilter(QObject* parent, THandler handler)
        : QObject(parent)
        , m_Handler(std::move(handler))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (event == m_Press && widget && widget->isAncestorOf(m_PressReceiver))
                return false;
            m_Press = event;
            m_PressReceiver = widget;
            return m_Handler(watched, event);
        }
        case QEvent::KeyRelease: m_Press = nullptr; return false;
        case QEvent::ToolTip: return m_Handler(watched, event);
        default: return false;
        }
    }

private:
    THandler m_Handler;
    const QEvent* m_Press = nullptr;
    QPointer<QWidget> m_PressReceiver;
};
const QString WebsiteAddress = "https://www.mervane.example/";

// A picture carried by a drag: an icon from the icon tool or a picture control.
QImage DraggedPicture(const QMimeData* mime)
{
    return mime && mime->hasImage() ? qvariant_cast<QImage>(mime->imageData()) : QImage();
}

} // namespace

TCalendarMain::TCalendarMain()
    : QMainWindow(nullptr)
    , TComponent(nullptr)
{
    SetMainWindow(this);
    setObjectName("CalendarMain");
    setWindowTitle("Mervane");
    setFont(QFont("Arial", 8));

    // Top to bottom: the formatting tool bar, the window's tool bar, the scrolled page.
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_WPToolBar1 = new TWPToolBar(central);
    m_WPToolBar1->setObjectName("WPToolBar1");
    m_WPToolBar1->setEnabled(false);
    column->addWidget(m_WPToolBar1);
    m_Panel3 = new QFrame(central);
    m_Panel3->setObjectName("Panel3");
    m_Panel3->setMouseTracking(true);
    column->addWidget(m_Panel3);
    m_ScrollBox2 = new QScrollArea(central);
    m_ScrollBox2->setObjectName("ScrollBox2");
    m_ScrollBox2->setBackgroundRole(QPalette::Button);
    m_ScrollContents = new QWidget;
    m_ScrollContents->setObjectName("ScrollContents");
    m_ScrollBox2->setWidget(m_ScrollContents);
    column->addWidget(m_ScrollBox2, 1);
    setCentralWidget(central);

    m_Document = std::make_unique<TCalendarDocument>(this, m_ScrollContents);
    m_CalendarPanel = &m_Document->Page();
    m_CalendarPanel->setAcceptDrops(true);
    m_CalendarPanel->ClickedInCellEvent = [this](QPainter*, const TRect&, const TRect& rFree, int iCell, int,
                                                 TWPRtfStorage*& rtfstorage) {
        CalendarPanelClickedInCellEvent(rFree, iCell, rtfstorage);
    };
    m_CalendarPanel->DroppedObjectEvent = [this](const QRect&) { CalendarPanelDroppedObjectEvent(); };

    m_WPRichText1 = new TWPRichText(this, m_ScrollContents);
    m_WPRichText1->SetName("WPRichText1");
    m_WPRichText1->setObjectName("WPRichText1");
    m_WPRichText1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_WPRichText1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_WPRichText1->setFrameShape(QFrame::Box);
    m_WPRichText1->setLineWidth(1);
    m_WPRichText1->SetBackgroundColor(clWhite);
    m_WPRichText1->setAcceptDrops(true);
    m_WPRichText1->hide();
    connect(m_WPRichText1, &TWPRichText::Changed, this, &TCalendarMain::WPRichText1Change);

    TCalendarDocument* document = m_Document.get();
    connect(document, &TCalendarDocument::CommitPendingEdits, this, &TCalendarMain::DoSaveRichtext);
    connect(document, &TCalendarDocument::ModifiedChanged, this, [this] {
        SetButtons();
        SetCaption();
    });
    connect(document, &TCalendarDocument::FileNameChanged, this, [this] {
        SetButtons();
        SetCaption();
    });
    connect(document, &TCalendarDocument::RecentFileUsed, this, &TCalendarMain::AddToRecentFiles);
    connect(document, &TCalendarDocument::PageReloaded, this, [this] {
        SetButtons();
        CheckFloaterStatus();
        SetCaption();
    });
    connect(document, &TCalendarDocument::PropertiesAboutToShow, this, &TCalendarMain::PropertiesAboutToShow);
    connect(document, &TCalendarDocument::PropertiesClosed, this, &TCalendarMain::PropertiesClosed);

    // Rich-text page objects look this editor up by name among their owner's components.
    m_MasterRichText = new TWPRichText(this, m_Panel3);
    m_MasterRichText->SetName("MASTERWPRICHTEXT");
    m_MasterRichText->setObjectName("MASTERWPRICHTEXT");
    m_MasterRichText->setFrameShape(QFrame::NoFrame);
    m_MasterRichText->hide();
    // Watched only once all of them exist: eventFilter tells them apart.
    for (QObject* watched : WatchedWidgets())
        watched->installEventFilter(this);

    CreateMenus();
    CreateToolButtons();
    ApplyFormSettings();
    resize(635, 378 + menuBar()->sizeHint().height());

    // FormCreate.
    BusyCursor();
    m_CalendarPanel->move(5, 5);
    m_CurrentCell = 0;
    LoadPreferences();
    SetModified(false);
    SetPageZoomPercent(m_Preferences.MainZoomPercent);
    m_CalendarPanel->SetCalendarLayout(LOFullCalendarLS);

    m_MRUList = new TMRUFileList(this);
    m_MRUList->SetFileMenu(m_FileMenu);
    m_MRUList->SetRemoveOnClick(true);
    m_MRUList->SetMaximum(5);
    m_MRUList->OnMRUItemClick = [this](TMRUFileList&, const QString& fileName) { MRUItemClick(fileName); };
    m_MRUList->SetAutoSaveName(IniFileName());
    m_MRUList->SetAutoSaveKey("MRU");
    m_MRUList->SetAutoSave(false);
    m_MRUList->LoadList();

    m_mnuShowHint->setChecked(m_Preferences.HintsOn);
    const QString conversionError = ConvertOldRecurringDates(OldRecurringDatesFileName(), RecurringDatesFileName());
    if (!conversionError.isEmpty())
        ShowInfo(conversionError);
    if (!qobject_cast<THintPauseStyle*>(QApplication::style()))
        QApplication::setStyle(new THintPauseStyle);
    m_AppEventFilter = new TAppEventFilter(this, [this](QObject* watched, QEvent* event) {
        if (event->type() == QEvent::ToolTip)
            return !m_Preferences.HintsOn;
        return AppKeyPress(watched, static_cast<QKeyEvent*>(event));
    });
    m_OnlineMenu->menuAction()->setVisible(true);
}

TCalendarMain::~TCalendarMain()
{
    if (MainWindow() == this)
        SetMainWindow(nullptr);
    // Nothing watched may reach eventFilter while the members it uses are going.
    delete m_AppEventFilter;
    for (QObject* watched : WatchedWidgets())
        watched->removeEventFilter(this);
    // The page objects are children of the page but owned here; the page goes first with them.
    m_Document.reset();
}

QList<QObject*> TCalendarMain::WatchedWidgets() const
{
    return {m_Panel3, m_CalendarPanel, m_WPRichText1, m_WPRichText1->viewport()};
}

void TCalendarMain::CreateMenus()
{
    m_FileMenu = menuBar()->addMenu("&File");
    m_FileMenu->setObjectName("FileMenu");
    AddCommand(m_FileMenu, "New1", "&New ", &TCalendarMain::New1Click);
    AddCommand(m_FileMenu, "Open1", "&Open", &TCalendarMain::Open1Click);
    m_FileMenu->addSeparator();
    m_mnuSave = AddCommand(m_FileMenu, "mnuSave", "&Save ", &TCalendarMain::mnuSaveClick);
    m_mnuSave->setShortcut(QKeySequence("Ctrl+S"));
    m_mnuSaveAs = AddCommand(m_FileMenu, "mnuSaveAs", "Save &As...", &TCalendarMain::mnuSaveAsClick);
    m_mnuSaveAsPdf = AddCommand(m_FileMenu, "mnuSaveAsPdf", "Save As PD&F...", &TCalendarMain::mnuSaveAsPdfClick);
    m_mnuSaveAsBitmap =
        AddCommand(m_FileMenu, "mnuSaveAsBitmap", "Save As &Bitmap ", &TCalendarMain::mnuSaveAsBitmapClick);
    m_FileMenu->addSeparator();
    m_mnuProperties = AddCommand(m_FileMenu, "mnuProperties", "&Properties", &TCalendarMain::mnuPropertiesClick);
    m_mnuUserTitle = AddCommand(m_FileMenu, "mnuUserTitle", "User Defined Title", &TCalendarMain::mnuUserTitleClick);
    m_mnuCancelChanges =
        AddCommand(m_FileMenu, "mnuCancelChanges", "&Cancel Changes", &TCalendarMain::mnuCancelChangesClick);
    m_mnuClearAllCellContents = AddCommand(m_FileMenu, "mnuClearAllCellContents", "Clear &All Cell Contents",
                                           &TCalendarMain::mnuClearAllCellContentsClick);
    AddCommand(m_FileMenu, "DefaultEditorFont1", "&Default Editor Font", &TCalendarMain::DefaultEditorFont1Click);
    m_FileMenu->addSeparator();
    m_mnuFillCalendarwithRecurringDates =
        AddCommand(m_FileMenu, "mnuFillCalendarwithRecurringDates", "Fill Calendar with Recurring Dates",
                   &TCalendarMain::mnuFillCalendarwithRecurringDatesClick);
    m_mnuEditrecurringDates = AddCommand(m_FileMenu, "mnuEditrecurringDates", "Edit Recurring Dates",
                                         &TCalendarMain::mnuEditrecurringDatesClick);
    m_mnuImportEvents =
        AddCommand(m_FileMenu, "mnuImportEvents", "&Import Events (.ics)...", &TCalendarMain::mnuImportEventsClick);
    m_FileMenu->addSeparator();
    m_mnuPrintCalendar =
        AddCommand(m_FileMenu, "mnuPrintCalendar", "P&rint Calendar", &TCalendarMain::mnuPrintCalendarClick);
    m_mnuPrintPreview =
        AddCommand(m_FileMenu, "mnuPrintPreview", "Print Pre&view", &TCalendarMain::mnuPrintPreviewClick);
    m_mnuPrintSetup = AddCommand(m_FileMenu, "mnuPrintSetup", "Print Set&up", &TCalendarMain::mnuPrintSetupClick);
    m_FileMenu->addSeparator();
    m_FileMenu->addAction("E&xit", this, &QWidget::close)->setObjectName("Exit1");

    CreateEditMenu();

    m_OnlineMenu = menuBar()->addMenu("&Online");
    m_OnlineMenu->setObjectName("OnlineMenu");
    m_OnlineMenu->menuAction()->setVisible(false);
    m_OnlineMenu->addAction("Visit Our Internet Website", this, [] { QDesktopServices::openUrl(QUrl(WebsiteAddress)); })
        ->setObjectName("VisitOurInternetW1");

    QMenu* helpMenu = menuBar()->addMenu("&Help");
    helpMenu->setObjectName("HelpMenu");
    helpMenu->addAction("&Contents", this, [] { ShowHelpContents(); })->setObjectName("Contents1");
    AddCommand(helpMenu, "About1", "&About", &TCalendarMain::About1Click);
    m_mnuShowHint = AddCommand(helpMenu, "mnuShowHint", "&Show Hints", &TCalendarMain::mnuShowHintClick);
    m_mnuShowHint->setCheckable(true);
    m_mnuShowHint->setChecked(true);
}

void TCalendarMain::CreateEditMenu()
{
    m_EditMenu = menuBar()->addMenu("&Edit");
    m_EditMenu->setObjectName("EditMenu");
    m_mnuUndo = AddCommand(m_EditMenu, "mnuUndo", "&Undo", &TCalendarMain::mnuUndoClick);
    m_mnuUndo->setShortcut(QKeySequence("Ctrl+Z"));
    m_mnuRedo = AddCommand(m_EditMenu, "mnuRedo", "&Redo", &TCalendarMain::mnuRedoClick);
    m_mnuRedo->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});
    const QUndoStack& history = m_Document->History();
    for (const auto signal : {&QUndoStack::canUndoChanged, &QUndoStack::canRedoChanged})
        connect(&history, signal, this, &TCalendarMain::ShowHistoryState);
    for (const auto signal : {&QUndoStack::undoTextChanged, &QUndoStack::redoTextChanged})
        connect(&history, signal, this, &TCalendarMain::ShowHistoryState);
}

QAction* TCalendarMain::AddCommand(QMenu* menu, const QString& name, const QString& caption,
                                   void (TCalendarMain::*handler)())
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

QToolButton* TCalendarMain::AddButton(const QString& name, const QString& caption, const QString& hint)
{
    auto* button = new TPSpeedButton(m_Panel3);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setMinimumHeight(29);
    // Buttons with a picture beside the program show the picture; the others their caption.
    const QString picture = ResourceFolder() + "toolbar/" + name + ".svg";
    if (QFileInfo::exists(picture)) {
        button->setIcon(QIcon(picture));
        button->setIconSize(QSize(24, 24));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    m_Panel3->layout()->addWidget(button);
    return button;
}

void TCalendarMain::CreateToolButtons()
{
    auto* row = new QHBoxLayout(m_Panel3);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    m_ZoomPlusButton = AddButton("ZoomPlusButton", "+", "Zoom In");
    connect(m_ZoomPlusButton, &QToolButton::clicked, this, &TCalendarMain::ZoomPlusButtonClick);
    m_ZoomMinusButton = AddButton("ZoomMinusButton", "-", "Zoom Out");
    connect(m_ZoomMinusButton, &QToolButton::clicked, this, &TCalendarMain::ZoomMinusButtonClick);
    m_PropertiesButton = AddButton("PropertiesButton", "Properties", "Set/change Properties for the calendar");
    connect(m_PropertiesButton, &QToolButton::clicked, this, &TCalendarMain::mnuPropertiesClick);
    m_Printbutton = AddButton("Printbutton", "Print", "Print the calendar");
    connect(m_Printbutton, &QToolButton::clicked, m_mnuPrintCalendar, &QAction::trigger);
    m_ShowHideIconTool = AddButton("ShowHideIconTool", "Show Icon Tool", "");
    m_ShowHideIconTool->setFixedWidth(96);
    connect(m_ShowHideIconTool, &QToolButton::clicked, this, &TCalendarMain::ShowHideIconToolClick);

    // The creation tools: one of them is down at a time.
    m_ToolGroup = new QButtonGroup(this);
    m_ToolGroup->setExclusive(true);
    const struct {
        QToolButton** Button;
        const char* Name;
        const char* Caption;
        const char* Hint;
        TLPanelState State;
    } tools[] = {
        {&m_Pointerbutton, "Pointerbutton", "Select", "Selection tool", psPointing},
        {&m_DrawLabelButton, "DrawLabelButton", "Text", "Text tool", psLabel},
        {&m_DrawImageButton, "DrawImageButton", "Clip Art", "Clip Art Tool", psImage},
        {&m_DrawRichText, "DrawRichText", "Rich Text", "Rich Text tool \rMixed fonts, colors and styles", psRichLabel},
        {&m_DrawSuperText, "DrawSuperText", "SuperText",
         "SuperText tool \rSpecial Effects Text - fill with gradients or bitmaps", psSuperText},
        {&m_PSpeedButton1, "PSpeedButton1", "Mini Calendar",
         "Floating Calendar tool \rMini Calendar that you can place anywhere", psFlatCalendar},
    };
    for (const auto& tool : tools) {
        QToolButton* button = AddButton(tool.Name, tool.Caption, QString(tool.Hint).replace('\r', '\n'));
        button->setCheckable(true);
        m_ToolGroup->addButton(button);
        const TLPanelState state = tool.State;
        connect(button, &QToolButton::clicked, this, [this, state] { m_CalendarPanel->SetPanelState(state); });
        *tool.Button = button;
    }
    m_Pointerbutton->setChecked(true);

    m_Savebutton = AddButton("Savebutton", "&Save", "Save changes to the calendar");
    m_Savebutton->setStyleSheet("color: green; font-weight: bold;");
    m_Savebutton->hide();
    connect(m_Savebutton, &QToolButton::clicked, this, &TCalendarMain::SavebuttonClick);
    m_CancelButton = AddButton("CancelButton", "&Cancel", "Cancel all changes");
    m_CancelButton->setStyleSheet("color: red; font-weight: bold;");
    m_CancelButton->hide();
    connect(m_CancelButton, &QToolButton::clicked, this, &TCalendarMain::mnuCancelChangesClick);
    m_UndoButton = AddButton("UndoButton", "Undo", "");
    connect(m_UndoButton, &QToolButton::clicked, this, &TCalendarMain::mnuUndoClick);
    m_RedoButton = AddButton("RedoButton", "Redo", "");
    connect(m_RedoButton, &QToolButton::clicked, this, &TCalendarMain::mnuRedoClick);
    ShowHistoryState();
    row->addStretch(1);
}

void TCalendarMain::ApplyFormSettings()
{
    // The page as the window's form sets it up before the first activation resets it.
    TCalendarPanel32& page = *m_CalendarPanel;
    page.SetCalendarLayout(loFCMinisInTitleLS);
    page.SetMainCalMonth(12);
    page.SetMainCalYear(1997);
    page.SetHeadersStyle(dsWhole);
    page.SetMiniCalendarLineLayout(mllFull);
    page.SetMiniCellBorder(cbAll);
    page.SetMiniHeadersBGColor(clBlack);
    const auto font = [](TFont& f, int size, bool bold, TColor color) {
        f.SetName("Times New Roman");
        f.SetSize(size);
        f.SetStyle(bold ? FontStyleBit(fsBold) : TFontStyles(0));
        f.SetColor(color);
    };
    font(page.TitleFont(), 26, true, clBlack);
    font(page.HeadersFont(), 16, true, clBlack);
    font(page.CellFont(), 16, true, clBlack);
    font(page.MiniTitleFont(), 10, true, clBlack);
    font(page.MiniHeadersFont(), 8, false, clWhite);
    font(page.MiniCellFont(), 8, false, clBlack);
    // The page takes the window's font, Arial 8: the label tool and the page's "Font" command
    // start from it.
    page.Font().SetName("Arial");
    page.Font().SetSize(8);
}

void TCalendarMain::SetIconTool(TFloatingPalette* iconTool)
{
    m_IconTool = iconTool;
    connect(iconTool, &TFloatingPalette::Hidden, this, &TCalendarMain::SetButtons);
}

// ---- Preferences ----

void TCalendarMain::LoadPreferences()
{
    m_Preferences.Load(TIniFile(IniFileName()));
    const TWPDefaultFont& f = m_Preferences.DefaultFont;
    QFont font(f.Name, f.Size);
    font.setBold(f.Bold);
    font.setItalic(f.Italic);
    font.setUnderline(f.Underline);
    font.setStrikeOut(f.Strikeout);
    m_DefaultFontdialog = {font, ColorToQColor(f.Color)};
    m_mnuShowHint->setChecked(m_Preferences.HintsOn);
    m_Document->SetPreviewZoomPercent(m_Preferences.PropertiesZoomPercent);
}

void TCalendarMain::SavePreferences()
{
    const QFont& font = m_DefaultFontdialog.Font;
    TWPDefaultFont& f = m_Preferences.DefaultFont;
    f.Name = font.family();
    f.Size = font.pointSize();
    f.Bold = font.bold();
    f.Italic = font.italic();
    f.Underline = font.underline();
    f.Strikeout = font.strikeOut();
    f.Color = ColorFromQColor(m_DefaultFontdialog.Color);
    m_Preferences.IconToolVisible = m_IconTool && m_IconTool->isVisible();
    m_Preferences.HintsOn = m_mnuShowHint->isChecked();
    if (m_IconTool)
        m_Preferences.IconFile = m_IconTool->LibraryFile();
    // A failed write is not reported: the preferences are a convenience, the work is in the
    // calendar files.
    TIniFile ini(IniFileName());
    m_Preferences.Save(ini);
}

// ---- Start and close ----

void TCalendarMain::FormActivate(const QString& fileName)
{
    if (m_Activated)
        return;
    m_Activated = true;
    BusyCursor();
    if (m_IconTool)
        m_IconTool->ShowLibrary(m_Preferences.IconFile);
    RestorePlacement(*this);
    show();
    m_CalendarPanel->ResetToDefaults();
    const QStringList& recent = m_MRUList->Files();
    // A file named on the command line is opened even when missing: the user asked for it and
    // hears why it did not open.
    if (!fileName.isEmpty())
        m_Document->OpenCalendarFile(fileName);
    else if (!recent.isEmpty() && QFileInfo::exists(recent.first()))
        m_Document->OpenCalendarFile(recent.first());
    m_CalendarPanel->setVisible(!m_Document->FileName().isEmpty());
    m_mnuSave->setEnabled(false);
    // The page as it starts is no step to take back.
    m_Document->ResetHistory();
    SetButtons();
    SetCaption();
    NormalCursor();
    CheckFloaterStatus();
    if (m_Preferences.IconToolVisible)
        ShowIconTool(true);
    SetButtons();
    m_CalendarPanel->SetPaintingSuspended(false);
    m_CalendarPanel->update();
}

void TCalendarMain::ComeForward()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void TCalendarMain::OpenFromAnotherStart(const QString& fileName)
{
    ComeForward();
    OpenWhenNoDialogIsOpen(fileName);
}

void TCalendarMain::OpenWhenNoDialogIsOpen(const QString& fileName)
{
    // A dialog that is open works on the calendar as it stands (the properties dialog hands its
    // settings back to the page): the file waits until the dialog is closed.
    if (QApplication::activeModalWidget()) {
        // A timer of its own, named, so that a test can wait for the next try.
        auto* retry = new QTimer(this);
        retry->setObjectName("OpenRetry");
        retry->setSingleShot(true);
        connect(retry, &QTimer::timeout, this, [this, retry, fileName] {
            retry->deleteLater();
            OpenWhenNoDialogIsOpen(fileName);
        });
        retry->start(250);
        return;
    }
    if (!m_Document->CheckSaveNeeded())
        return;
    m_Document->OpenCalendarFile(fileName);
}

void TCalendarMain::closeEvent(QCloseEvent* event)
{
    if (!m_Document->CheckSaveNeeded()) {
        event->ignore();
        return;
    }
    m_Preferences.MainZoomPercent = TZoom::OfFactor(m_CalendarPanel->Zoom()).StoredPercent();
    SavePreferences();
    SavePlacement(*this);
    if (m_IconTool)
        m_IconTool->hide();
    event->accept();
}

// ---- Files ----

void TCalendarMain::New1Click()
{
    m_Document->New();
    SetButtons();
    SetCaption();
}

void TCalendarMain::Open1Click()
{
    m_Document->Open();
}

void TCalendarMain::MRUItemClick(const QString& fileName)
{
    // The entry left the list with the click; it comes back when the file opens. Changes not
    // yet saved are offered for saving first, as before opening any other file.
    if (!m_Document->CheckSaveNeeded()) {
        AddToRecentFiles(fileName);
        return;
    }
    m_Document->OpenCalendarFile(fileName);
}

void TCalendarMain::AddToRecentFiles(const QString& fileName)
{
    m_MRUList->AddFile(fileName);
    m_MRUList->SaveList();
}

void TCalendarMain::mnuSaveClick()
{
    m_Document->Save();
}

void TCalendarMain::SavebuttonClick()
{
    if (m_mnuSave->isEnabled())
        mnuSaveClick();
    else
        mnuSaveAsClick();
}

void TCalendarMain::mnuSaveAsClick()
{
    m_Document->SaveAs();
    SetButtons();
}

void TCalendarMain::mnuCancelChangesClick()
{
    m_Document->CancelChanges();
}

// ---- Page commands ----

void TCalendarMain::mnuPropertiesClick()
{
    m_Document->EditProperties();
}

void TCalendarMain::PropertiesAboutToShow()
{
    if (m_Preferences.IconToolVisible)
        ShowIconTool(false);
}

void TCalendarMain::PropertiesClosed()
{
    m_Preferences.PropertiesZoomPercent = m_Document->PreviewZoomPercent();
    CheckFloaterStatus();
    if (m_Preferences.IconToolVisible)
        ShowIconTool(true);
    SetButtons();
    SavePreferences();
}

void TCalendarMain::mnuUserTitleClick()
{
    m_Document->EditUserTitle();
}

void TCalendarMain::mnuClearAllCellContentsClick()
{
    m_Document->ClearAllCellContents();
}

void TCalendarMain::mnuPrintCalendarClick()
{
    m_Document->PrintCalendar();
}

void TCalendarMain::mnuPrintPreviewClick()
{
    m_Document->PrintPreview();
}

void TCalendarMain::mnuPrintSetupClick()
{
    m_Document->PrintSetup();
}

void TCalendarMain::mnuSaveAsBitmapClick()
{
    m_Document->SaveAsBitmap();
}

void TCalendarMain::mnuSaveAsPdfClick()
{
    m_Document->SaveAsPdf();
}

void TCalendarMain::mnuFillCalendarwithRecurringDatesClick()
{
    if (m_Preferences.IconToolVisible)
        ShowIconTool(false);
    m_Document->FillWithRecurringDates([this](int d, const QString& text) { return PuttextOnDay(d, text); });
    if (m_Preferences.IconToolVisible)
        ShowIconTool(true);
    SetButtons();
}

void TCalendarMain::mnuImportEventsClick()
{
    m_Document->ImportIcsEvents([this](int d, const QString& text) { return PuttextOnDay(d, text); });
    SetButtons();
}

void TCalendarMain::mnuEditrecurringDatesClick()
{
    if (m_Preferences.IconToolVisible)
        ShowIconTool(false);
    TEditRecurringDates dialog(RecurringDatesFileName(), this);
    if (!dialog.LoadError().isEmpty()) {
        ShowInfo(dialog.LoadError());
    } else {
        CenterDialog(dialog);
        UiServices().ExecDialog(dialog);
    }
    if (m_Preferences.IconToolVisible)
        ShowIconTool(true);
}

void TCalendarMain::mnuUndoClick()
{
    // The cell editor's own undo has Ctrl+Z while it has the focus (its shortcut override); the
    // menu and the button take back the calendar's steps, the editor's typing first.
    m_Document->Undo();
}

void TCalendarMain::mnuRedoClick()
{
    m_Document->Redo();
}

void TCalendarMain::ShowHistoryState()
{
    const QUndoStack& history = m_Document->History();
    const struct {
        QAction* Item;
        QToolButton* Button;
        bool Enabled;
        QString Verb;
        QString Step;
    } commands[] = {
        {m_mnuUndo, m_UndoButton, history.canUndo(), "Undo", history.undoText()},
        {m_mnuRedo, m_RedoButton, history.canRedo(), "Redo", history.redoText()},
    };
    for (const auto& command : commands) {
        const QString text = command.Step.isEmpty() ? command.Verb : command.Verb + " " + command.Step;
        command.Item->setEnabled(command.Enabled);
        command.Item->setText("&" + text);
        if (!command.Button)
            continue; // the buttons are made after the menus
        command.Button->setEnabled(command.Enabled);
        command.Button->setToolTip(text + " (" + command.Item->shortcut().toString(QKeySequence::NativeText) + ")");
    }
}

void TCalendarMain::DefaultEditorFont1Click()
{
    // Reloaded first, so that a cancelled dialog leaves the stored font as it is.
    LoadPreferences();
    if (UiServices().ChooseFont(m_DefaultFontdialog))
        SavePreferences();
    SetDefaultFontNow(*m_WPRichText1, m_Preferences.DefaultFont);
}

void TCalendarMain::About1Click()
{
    TSplashform about(this);
    CenterDialog(about);
    UiServices().ExecDialog(about);
}

void TCalendarMain::mnuShowHintClick()
{
    m_Preferences.HintsOn = m_mnuShowHint->isChecked();
    SavePreferences();
}

void TCalendarMain::ShowHideIconToolClick()
{
    ShowIconTool(!(m_IconTool && m_IconTool->isVisible()));
    m_Preferences.IconToolVisible = m_IconTool && m_IconTool->isVisible();
    SetButtons();
}

void TCalendarMain::ShowIconTool(bool show)
{
    if (m_IconTool)
        m_IconTool->setVisible(show);
}

void TCalendarMain::CheckFloaterStatus()
{
    if (!m_CalendarPanel->CellsAvailable()) {
        m_Preferences.IconToolVisible = false;
        ShowIconTool(false);
    } else if (m_Preferences.IconToolVisible && m_IconTool && !m_IconTool->isVisible()) {
        ShowIconTool(true);
    }
}

// ---- Zoom ----

int TCalendarMain::ZoomPercent() const
{
    return TZoom::OfFactor(m_CalendarPanel->Zoom()).Percent();
}

void TCalendarMain::SetPageZoomPercent(int percent)
{
    m_CalendarPanel->SetZoom(TZoom::Stored(percent).Factor());
}

void TCalendarMain::ZoomPlusButtonClick()
{
    StepPageZoom(TZoom(ZoomPercent()).In(TZoom::PageRange));
}

void TCalendarMain::ZoomMinusButtonClick()
{
    StepPageZoom(TZoom(ZoomPercent()).Out(TZoom::PageRange));
}

void TCalendarMain::StepPageZoom(TZoom zoom)
{
    if (zoom.Percent() == ZoomPercent())
        return;
    DoSaveRichtext();
    m_CalendarPanel->SetZoom(zoom.Factor());
    SetCaption();
}

// ---- State shown ----

void TCalendarMain::SetModified(bool value)
{
    m_Document->SetModified(value);
}

bool TCalendarMain::Modified() const
{
    return m_Document->Modified();
}

QString TCalendarMain::CurrentFileName() const
{
    return m_Document->FileName();
}

void TCalendarMain::SetButtons()
{
    const bool cells = m_CalendarPanel->CellsAvailable();
    const bool visible = m_CalendarPanel->isVisible();
    const bool named = !m_Document->FileName().isEmpty();
    for (QAction* action :
         {m_mnuFillCalendarwithRecurringDates, m_mnuImportEvents, m_mnuUserTitle, m_mnuClearAllCellContents})
        action->setEnabled(cells);
    m_ShowHideIconTool->setEnabled(cells);
    m_mnuSave->setEnabled(named);
    m_WPToolBar1->setEnabled(visible && m_WPRichText1->hasFocus());
    // Printing on a PDF needs no printer: the commands that need a real one say so when used.
    for (QAction* action : {m_mnuSaveAs, m_mnuProperties, m_mnuPrintSetup, m_mnuSaveAsBitmap, m_mnuSaveAsPdf,
                            m_mnuPrintCalendar, m_mnuPrintPreview})
        action->setEnabled(visible);
    for (QToolButton* button : {m_PropertiesButton, m_ZoomMinusButton, m_ZoomPlusButton, m_Printbutton})
        button->setEnabled(visible);
    m_mnuCancelChanges->setEnabled(visible && named);
    m_Savebutton->setVisible(m_Document->Modified());
    m_CancelButton->setVisible(m_Document->Modified() && named);
    m_ShowHideIconTool->setText(m_IconTool && m_IconTool->isVisible() ? "Hide Icon Tool" : "Show Icon Tool");
}

void TCalendarMain::SetCaption()
{
    QString caption = "Mervane";
    if (!m_Document->FileName().isEmpty())
        caption += "  [" + QFileInfo(m_Document->FileName()).fileName() + "]";
    caption += "    [" + QString::number(ZoomPercent()) + "%]";
    // Changes not yet saved show as a star, as in other programs' captions.
    if (m_Document->Modified())
        caption += " *";
    setWindowTitle(caption);
}

// ---- The cell editor ----

void TCalendarMain::CalendarPanelClickedInCellEvent(const TRect& rFree, int iCell, TWPRtfStorage* rtfstorage)
{
    m_TrackEditorChanges = false;
    DoSaveRichtext();
    m_CurrentCell = iCell;
    m_ActiveCellStorage = rtfstorage;
    m_EditorActive = true;
    const int w = rFree.Right - rFree.Left + 1;
    const int h = rFree.Bottom - rFree.Top + 1;
    TWPRichText& editor = *m_WPRichText1;
    // The page the cell's text is painted on: the cell's size unzoomed, so that the editor breaks
    // the lines where the painted cell does.
    const TWPPageRenderer cellPage = TWPPageRenderer::ForTarget(QSize(w, h), ZoomPercent());
    editor.SetPageSize(cellPage.PageWidth(), cellPage.PageHeight());
    editor.SetMargins(0, 0, 0, 0);
    editor.SetZoom(ZoomPercent());
    editor.SetText(rtfstorage->RtfText());
    // The text area lies on the cell's text as the page paints it, w by h from the free
    // rectangle's top-left corner, so the text stays where it is; the border goes round it.
    const QRect textArea(rFree.Left + m_CalendarPanel->x(), rFree.Top + m_CalendarPanel->y(), w, h);
    const int border = editor.frameWidth();
    editor.setGeometry(textArea.marginsAdded(QMargins(border, border, border, border)));
    editor.show();
    editor.raise();
    editor.setFocus(Qt::MouseFocusReason);
    m_TrackEditorChanges = true;
}

void TCalendarMain::WPRichText1Enter()
{
    m_WPToolBar1->setEnabled(true);
    m_WPToolBar1->Attach(m_WPRichText1);
    if (m_WPRichText1->IsEmpty())
        SetDefaultFontNow(*m_WPRichText1, m_Preferences.DefaultFont);
}

void TCalendarMain::WPRichText1Change()
{
    if (m_TrackEditorChanges)
        m_Document->SetTypingPending(true);
}

QString TCalendarMain::EditedDayName() const
{
    return QString::number(m_CalendarPanel->DayOfCell(m_CurrentCell)) + " " +
           m_CalendarPanel->GetMonthName(m_CalendarPanel->MainCalMonth());
}

void TCalendarMain::CommitEditorText(const QString& name)
{
    // Text that was not changed stays as it is in the cell: only what the user did is a step.
    if (!m_Document->TypingPending() || !m_ActiveCellStorage)
        return;
    m_ActiveCellStorage->RtfText().Assign(m_WPRichText1->Text());
    // Recorded first, so that the calendar does not show unmodified for a moment.
    m_Document->RecordStep(name);
    m_Document->SetTypingPending(false);
}

void TCalendarMain::DoSaveRichtext()
{
    if (!m_EditorActive || !m_ActiveCellStorage)
        return;
    CommitEditorText("Typing in " + EditedDayName());
    m_WPRichText1->hide();
    m_EditorActive = false;
    m_WPToolBar1->setEnabled(false);
    m_CalendarPanel->update();
}

bool TCalendarMain::PuttextOnDay(int d, const QString& text)
{
    const int current = m_CurrentCell;
    DoSaveRichtext();
    const int cell = m_CalendarPanel->CellOfDay(d);
    if (cell >= 1) {
        // The hidden editor is the work area: the new paragraph is made as typing makes it.
        TWPRichText& editor = *m_WPRichText1;
        editor.SetText(m_CalendarPanel->GetCellRtf(cell)->RtfText());
        if (editor.IsEmpty())
            SetDefaultFontNow(editor, m_Preferences.DefaultFont);
        const QTextCharFormat attributes = editor.CurrentCharFormat();
        editor.MoveCaretToEnd();
        if (!editor.IsEmpty())
            editor.NewParagraph();
        editor.SetCurrentCharFormat(attributes);
        editor.InsertText(text);
        editor.NewParagraph();
        TWPRtfStorage storage(nullptr);
        storage.RtfText().Assign(editor.Text());
        m_CalendarPanel->SetCellRtf(cell, storage);
    }
    // Also when no cell shows the day, so that the editor stays where the user left it.
    if (current > 0)
        m_CalendarPanel->FireCellEvent(current);
    return cell >= 1;
}

// The page raises this after every creation attempt, also when its tool placed nothing; a
// placed object has already marked the calendar changed through LabelChangedEvent.
void TCalendarMain::CalendarPanelDroppedObjectEvent()
{
    m_Pointerbutton->setChecked(true);
}

// ---- Drag and drop ----

bool TCalendarMain::AcceptsDrop(const QEvent* event) const
{
    return !DraggedPicture(static_cast<const QDropEvent*>(event)->mimeData()).isNull();
}

void TCalendarMain::WPRichText1DragDrop(const QImage& picture)
{
    // What was typed before the drop is a step of its own, the dropped picture another.
    CommitEditorText("Typing in " + EditedDayName());
    m_WPRichText1->InsertPicture(picture);
    m_Document->SetTypingPending(true);
    CommitEditorText("Drop Icon in " + EditedDayName());
}

void TCalendarMain::CalendarPanelDragDrop(QPoint point, const QImage& picture)
{
    DoSaveRichtext();
    m_CalendarPanel->FireCellEventAtPoint(point.x(), point.y());
    if (!m_EditorActive)
        return;
    WPRichText1DragDrop(picture);
    m_CurrentCell = m_CalendarPanel->CellAtPoint(point.x(), point.y());
}

// ---- Events ----

bool TCalendarMain::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == m_CalendarPanel) {
        if (type == QEvent::Resize || type == QEvent::Move || type == QEvent::Show || type == QEvent::Hide)
            FitScrollContents();
        if (type == QEvent::DragEnter || type == QEvent::DragMove) {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            const QPoint point = drag->position().toPoint();
            if (AcceptsDrop(event) && m_CalendarPanel->IsPointInCell(point.x(), point.y()))
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        if (type == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            const QPoint point = drop->position().toPoint();
            if (!AcceptsDrop(event) || !m_CalendarPanel->IsPointInCell(point.x(), point.y()))
                return true;
            drop->acceptProposedAction();
            CalendarPanelDragDrop(point, DraggedPicture(drop->mimeData()));
            return true;
        }
    } else if (watched == m_WPRichText1 || watched == m_WPRichText1->viewport()) {
        if (type == QEvent::FocusIn && watched == m_WPRichText1)
            WPRichText1Enter();
        if (type == QEvent::DragEnter || type == QEvent::DragMove) {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (AcceptsDrop(event))
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        if (type == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            if (AcceptsDrop(event)) {
                drop->acceptProposedAction();
                WPRichText1DragDrop(DraggedPicture(drop->mimeData()));
            }
            return true;
        }
    } else if (watched == m_Panel3 && type == QEvent::MouseMove) {
        // A busy cursor left behind is cleared by moving the mouse over the tool bar.
        const QCursor* cursor = QApplication::overrideCursor();
        if (cursor && cursor->shape() != CursorFromId(crDefault).shape() &&
            cursor->shape() != CursorFromId(crDrag).shape())
            NormalCursor();
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TCalendarMain::AppKeyPress(QObject* watched, QKeyEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;

    const bool inEditor = m_WPRichText1->isVisible() && m_WPRichText1->hasFocus();
    switch (event->key()) {
    case Qt::Key_PageDown: ZoomPlusButtonClick(); return false;
    case Qt::Key_PageUp: ZoomMinusButtonClick(); return false;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!inEditor)
            return false;
        if (event->key() == Qt::Key_Backtab || event->modifiers() & Qt::ShiftModifier)
            m_CalendarPanel->EditPreviousCell(m_CurrentCell);
        else
            m_CalendarPanel->EditNextCell(m_CurrentCell);
        return true;
    case Qt::Key_A:
        if (inEditor && event->modifiers() == Qt::ControlModifier) {
            m_WPRichText1->SelectAll();
            return true;
        }
        return false;
    default: return false;
    }
}

void TCalendarMain::FitScrollContents()
{
    const QRect page = m_CalendarPanel->geometry();
    m_ScrollContents->resize(page.right() + 1 + 5, page.bottom() + 1 + 5);
}
