#pragma once
// The main window: the calendar document's page in its scroll box, the menus and tool buttons
// wired to the document's commands, the caption and enabling that show its state, the in-place
// rich-text editor laid over one day cell at a time, zoom, drag and drop, the recent-files list
// and the preferences. It owns the document, the cell editor and the hidden master editor that
// rich-text objects draw through. It is also the component that owns the page objects, so they
// find the master editor among its components.

#include "app/Preferences.h"
#include "calendar/CalendarTypes.h"
#include "objects/Zoom.h"
#include "platform/Rect.h"
#include "platformui/UiServices.h"
#include "stream/Component.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QAction;
class QButtonGroup;
class QFrame;
class QMenu;
class QScrollArea;
class QToolButton;
class TCalendarDocument;
class TCalendarPanel32;
class TFloatingPalette;
class TMRUFileList;
class TWPRichText;
class TWPRtfStorage;
class TWPToolBar;

class TCalendarMain : public QMainWindow, public TComponent {
    Q_OBJECT
public:
    // Creates the window hidden, reads the preferences and the recent files.
    TCalendarMain();
    ~TCalendarMain() override;

    QString ClassName() const override { return "TCalendarMain"; }

    // The icon tool, created after the main window; shown and hidden by it.
    void SetIconTool(TFloatingPalette* iconTool);
    // The first activation: places and shows the window, resets the page
    // and opens `fileName` (named on the command line) when given, else reopens the most recent
    // calendar file.
    void FormActivate(const QString& fileName = QString());
    // Another start of the program asked for this window: restored when minimised, else raised.
    void ComeForward();
    // Another start of the program handed over a calendar file: this window comes forward and,
    // once no dialog of it is open and changes not yet saved were offered for saving, opens it.
    void OpenFromAnotherStart(const QString& fileName);

    // The commands; those that change or write the calendar run the document's.
    void New1Click();
    void Open1Click();
    void mnuSaveClick();
    void mnuSaveAsClick();
    void mnuPropertiesClick();
    void mnuUserTitleClick();
    void mnuCancelChangesClick();
    void mnuClearAllCellContentsClick();
    void mnuPrintCalendarClick();
    void mnuPrintPreviewClick();
    void mnuPrintSetupClick();
    void mnuSaveAsBitmapClick();
    void mnuSaveAsPdfClick();
    void DefaultEditorFont1Click();
    void About1Click();
    void mnuShowHintClick();
    void ZoomPlusButtonClick();
    void ZoomMinusButtonClick();
    void ShowHideIconToolClick();
    void SavebuttonClick();
    void mnuFillCalendarwithRecurringDatesClick();
    void mnuImportEventsClick();
    void mnuEditrecurringDatesClick();
    void mnuUndoClick();
    void mnuRedoClick();

    // Copies the cell editor's text back into its cell and hides the editor.
    void DoSaveRichtext();
    // Appends `text` as a paragraph of its own to the day cell that shows day `d`, in the writing
    // attributes the cell's text starts with (the default editor font in an empty cell); the cell
    // editor, closed meanwhile, opens again on the cell it was last opened on. False when no
    // cell shows `d`.
    bool PuttextOnDay(int d, const QString& text);

    void SetModified(bool value);
    void SetButtons();
    void SetCaption();
    void CheckFloaterStatus();

    // State, as tests and the page's neighbours read it.
    bool Modified() const;
    QString CurrentFileName() const;
    int CurrentCell() const { return m_CurrentCell; }
    bool EditorActive() const { return m_EditorActive; }
    bool IconToolVisible() const { return m_Preferences.IconToolVisible; }
    const TPreferences& Preferences() const { return m_Preferences; }
    // The page zoom in whole percent.
    int ZoomPercent() const;
    TCalendarDocument& Document() const { return *m_Document; }
    TCalendarPanel32& CalendarPanel() const { return *m_CalendarPanel; }
    TWPRichText& CellEditor() const { return *m_WPRichText1; }
    TMRUFileList& MRUList() const { return *m_MRUList; }
    TFloatingPalette* IconTool() const { return m_IconTool; }
    QScrollArea& ScrollBox() const { return *m_ScrollBox2; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OpenWhenNoDialogIsOpen(const QString& fileName);
    void CreateMenus();
    void CreateEditMenu();
    void CreateToolButtons();
    // The Undo and Redo items and buttons name the step they take back or do again.
    void ShowHistoryState();
    QAction* AddCommand(QMenu* menu, const QString& name, const QString& caption, void (TCalendarMain::*handler)());
    QToolButton* AddButton(const QString& name, const QString& caption, const QString& hint);
    void ApplyFormSettings();
    // The widgets whose events eventFilter handles.
    QList<QObject*> WatchedWidgets() const;

    void LoadPreferences();
    void SavePreferences();
    // The window's share of the properties dialog: the icon tool steps aside meanwhile, and the
    // preview's zoom is kept in the preferences afterwards.
    void PropertiesAboutToShow();
    void PropertiesClosed();
    void MRUItemClick(const QString& fileName);
    void AddToRecentFiles(const QString& fileName);
    void SetPageZoomPercent(int percent);
    // The zoom buttons' step: the editor's text goes to its cell first.
    void StepPageZoom(TZoom zoom);
    void ShowIconTool(bool show);

    void CalendarPanelClickedInCellEvent(const TRect& rFree, int iCell, TWPRtfStorage* rtfstorage);
    void CalendarPanelDroppedObjectEvent();
    void WPRichText1Enter();
    void WPRichText1Change();
    // Puts the cell editor's text into its cell as the step `name`; the editor stays open.
    void CommitEditorText(const QString& name);
    // "12 March": the day the cell editor is open on, for the names of its steps.
    QString EditedDayName() const;
    // Drag and drop of pictures and icons into day cells and the cell editor.
    bool AcceptsDrop(const QEvent* event) const;
    void CalendarPanelDragDrop(QPoint point, const QImage& picture);
    void WPRichText1DragDrop(const QImage& picture);
    // The keys of the whole window: Page Down/Up zoom, Tab moves the cell editor, Ctrl+A.
    bool AppKeyPress(QObject* watched, QKeyEvent* event);
    void FitScrollContents();

    // Components.
    QMenu* m_FileMenu = nullptr;
    QMenu* m_OnlineMenu = nullptr;
    QMenu* m_EditMenu = nullptr;
    QAction* m_mnuUndo = nullptr;
    QAction* m_mnuRedo = nullptr;
    QAction* m_mnuSave = nullptr;
    QAction* m_mnuSaveAs = nullptr;
    QAction* m_mnuSaveAsBitmap = nullptr;
    QAction* m_mnuSaveAsPdf = nullptr;
    QAction* m_mnuProperties = nullptr;
    QAction* m_mnuUserTitle = nullptr;
    QAction* m_mnuCancelChanges = nullptr;
    QAction* m_mnuClearAllCellContents = nullptr;
    QAction* m_mnuFillCalendarwithRecurringDates = nullptr;
    QAction* m_mnuImportEvents = nullptr;
    QAction* m_mnuEditrecurringDates = nullptr;
    QAction* m_mnuPrintCalendar = nullptr;
    QAction* m_mnuPrintSetup = nullptr;
    QAction* m_mnuPrintPreview = nullptr;
    QAction* m_mnuShowHint = nullptr;
    TWPToolBar* m_WPToolBar1 = nullptr;
    QFrame* m_Panel3 = nullptr;
    QToolButton* m_ZoomPlusButton = nullptr;
    QToolButton* m_ZoomMinusButton = nullptr;
    QToolButton* m_PropertiesButton = nullptr;
    QToolButton* m_Printbutton = nullptr;
    QToolButton* m_ShowHideIconTool = nullptr;
    QToolButton* m_Pointerbutton = nullptr;
    QToolButton* m_DrawLabelButton = nullptr;
    QToolButton* m_DrawImageButton = nullptr;
    QToolButton* m_DrawRichText = nullptr;
    QToolButton* m_DrawSuperText = nullptr;
    QToolButton* m_PSpeedButton1 = nullptr;
    QToolButton* m_Savebutton = nullptr;
    QToolButton* m_CancelButton = nullptr;
    QToolButton* m_UndoButton = nullptr;
    QToolButton* m_RedoButton = nullptr;
    QButtonGroup* m_ToolGroup = nullptr;
    QScrollArea* m_ScrollBox2 = nullptr;
    QWidget* m_ScrollContents = nullptr;
    std::unique_ptr<TCalendarDocument> m_Document;
    TCalendarPanel32* m_CalendarPanel = nullptr; // the document's page, shown in the scroll box
    TWPRichText* m_WPRichText1 = nullptr;
    TWPRichText* m_MasterRichText = nullptr;
    TMRUFileList* m_MRUList = nullptr;
    QPointer<TFloatingPalette> m_IconTool;
    QObject* m_AppEventFilter = nullptr; // sees the keys and tool tips of the whole application
    // The default editor font as the font dialog edits it.
    TFontChoice m_DefaultFontdialog;

    // State.
    bool m_Activated = false; // the first activation has run
    bool m_TrackEditorChanges = false;
    TWPRtfStorage* m_ActiveCellStorage = nullptr;
    bool m_EditorActive = false;
    int m_CurrentCell = 0;
    TPreferences m_Preferences;
};
