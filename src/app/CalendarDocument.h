#pragma once
// The calendar being edited: the page with its day cells and objects, the file it belongs to,
// its undo history, whether it has changes not yet saved, and the commands that change or write
// it as a whole
// (new, open, save, save as, cancel changes, properties, user title, clear the cells, printing,
// print preview, PDF and bitmap export), with the rule that offers to save changes before a
// command would drop them. Everything it asks or
// tells the user goes through the UI services. The main window wires its menus to these
// commands and shows the state they signal; it keeps the cell editor, whose text it hands to the
// page whenever the document asks for it (CommitPendingEdits).
//
// The document creates the page and frees it. The page is a child widget of the window only to
// be shown there; its component owner is the one given here, which also owns the page objects
// read from files and pasted, so that rich-text objects find the master editor among its
// components. The page is the one that holds the object clipboard file.
//
// Every change of the page is one step of the history (at most HistoryLimit of them, the oldest
// dropped first): the page's snapshot after the change is compared with the one before, and a
// step keeps both. The page commands here record their steps themselves; changes of page
// objects, which come in through the page's change notification, are recorded once the event
// that made them is done (once the dialog open then is closed), so that everything one command
// or one drag did is one step. The modified state follows the history: the document is
// unmodified exactly at the step it was opened or last saved at.

#include "calendar/PageSnapshot.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QPrinter;
class QUndoStack;
class QWidget;
class TCalendarPanel32;
class TComponent;
class TReportPrinter;
struct TPrinterMargins;

class TCalendarDocument : public QObject {
    Q_OBJECT
public:
    // Creates the page, hidden, as a child widget of `pageParent` (none: a window of its own).
    TCalendarDocument(TComponent* objectOwner, QWidget* pageParent);
    ~TCalendarDocument() override;

    TCalendarPanel32& Page() const;
    // Full path of the open calendar file; empty while the calendar has none.
    QString FileName() const { return m_FileName; }
    bool Modified() const { return m_Modified; }
    // False: the page as it stands is the saved state. True: the calendar counts as changed
    // whatever is undone (a new calendar that was never saved).
    void SetModified(bool value);

    static constexpr int HistoryLimit = 100;
    QUndoStack& History() const { return *m_History; }
    // Forgets the history: the page as it stands is where it starts, saved or (a new calendar)
    // never saved.
    void ResetHistory(bool saved = true);
    // Records what changed on the page since the last step as the step `name`; nothing when the
    // page is as it was.
    void RecordStep(const QString& name, const QString& mergeKey = {});
    // The page objects changed: the document is modified now, and the change is recorded once
    // the event that made it is done.
    void NoteObjectChange();
    // Names the step the pending object change makes; the first name given counts.
    void NameObjectChange(const QString& name, const QString& mergeKey);
    // Records a pending object change now.
    void RecordPendingChange();
    // Text is being typed into a day cell: the document is modified until the text goes into
    // its cell with RecordStep, or the typing is dropped.
    void SetTypingPending(bool value);
    bool TypingPending() const { return m_TypingPending; }
    // Undo and redo of the history's step, after what is pending went into steps of its own.
    void Undo();
    void Redo();
    // The zoom the properties dialog's preview opens with; the dialog leaves its last zoom here.
    int PreviewZoomPercent() const { return m_PreviewZoomPercent; }
    void SetPreviewZoomPercent(int percent) { m_PreviewZoomPercent = percent; }

    // Offers to save the changes ("Save changes?"). False when the question was left with Esc
    // or by closing it, or the user wanted the changes saved and they were not (Save As
    // cancelled, the save failed): the calling command must not go on.
    bool CheckSaveNeeded();
    // A new calendar: the properties dialog for a new page; on OK the cells and objects go, the
    // calendar has no file and counts as changed. On Cancel the old calendar stays as it was.
    void New();
    // Asks for a calendar file and opens it.
    void Open();
    // Replaces the page by the file's calendar; true when it was read. A file that is missing or
    // cannot be read is reported and leaves the calendar being edited, its file and its changes
    // as they were. Objects the page could not read are named to the user.
    bool OpenCalendarFile(const QString& fileName);
    // Saves to the current file; false when there is none or the save failed.
    bool Save();
    // Asks for a file name and saves there; true when the file was written.
    bool SaveAs();
    // Writes the page to `fileName` and takes the name; a failure is reported with its reason,
    // leaves the old file whole and the calendar as changed as before.
    bool SaveCalendarFile(const QString& fileName);
    // Asks "Cancel all changes?"; on Yes reads the file again.
    void CancelChanges();
    // The properties dialog over a preview of the page; on OK its settings go to the page,
    // clearing the cells (and objects) that no longer fit. True when the dialog ended with OK.
    bool EditProperties();
    // The user-defined title dialog.
    void EditUserTitle();
    void ClearAllCellContents();

    // Printing. The chosen printer is kept for the session: the system's default until the
    // user picks another in a print dialog. A real printer is needed for PrintSetup and
    // PrintCalendar only; without one they say so and do nothing.
    // The printer-setup dialog; nothing else.
    void PrintSetup();
    // The setup dialog, the margin check, the copies and the print pass on the chosen printer,
    // then the closing message. Printing leaves the modified state as it was.
    void PrintCalendar();
    // The pages the print pass makes on the chosen printer in the print-preview dialog, which
    // can print them.
    void PrintPreview();
    // True when no page margin lies outside the printer's printable area, or the user wants to
    // print anyway.
    bool CheckPrinterMargins(const TPrinterMargins& unprintable) const;
    QPrinter& Printer();
    // Copies the last print pass sent itself (the driver makes the others); whether it ran.
    int CopiesToPrint() const { return m_CopiesToPrint; }
    bool PrintDone() const { return m_PrintDone; }

    // Export: the page's own drawing at the current zoom as a Windows bitmap, and the print
    // pass into a PDF file. The names proposed are the calendar file's, else month and year.
    void SaveAsBitmap();
    void SaveAsPdf();

    // Writes `text` into the day cell that shows `day`; false when no cell shows it.
    using TPutTextOnDay = std::function<bool(int day, const QString& text)>;
    // Fill Calendar with Recurring Dates: offers the records of the recurring dates file that can
    // fall in the page's month, and writes each one the user keeps ticked into the cells of its
    // days through `puttextOnDay`, after the text they hold. Nothing happens without the file.
    void FillWithRecurringDates(const TPutTextOnDay& puttextOnDay);
    // Import Events (.ics): asks for an iCalendar file and writes the events that fall in the
    // page's month into the cells of their days through `puttextOnDay`, after the text they
    // hold, in the order of their times. A file that cannot be read is reported and nothing is
    // written.
    void ImportIcsEvents(const TPutTextOnDay& puttextOnDay);

signals:
    // Once per change of the modified state.
    void ModifiedChanged(bool modified);
    // The calendar now belongs to another file, or to none (empty).
    void FileNameChanged(const QString& fileName);
    // The page is about to be read, written or re-laid: text being typed must go into its cell
    // now (a direct connection), and the editor close.
    void CommitPendingEdits();
    // A file was opened or saved under a new name: it belongs first in the recent files.
    void RecentFileUsed(const QString& fileName);
    // The page was read from a file anew, or reset because that failed; its layout and whether
    // it is shown may have changed.
    void PageReloaded();
    // Around the properties dialog: windows that float over the page step aside meanwhile.
    void PropertiesAboutToShow();
    void PropertiesClosed();

private:
    QWidget* DialogParent() const;
    // Emits ModifiedChanged when the modified state is no longer the one last told.
    void UpdateModified();
    // Brings the page to `target`; what the page stands at is `target` afterwards.
    void RestorePage(const TPageSnapshot& target);
    void SchedulePendingChange();
    // The name the save dialogs propose: the calendar file's name with `extension`, or for a
    // calendar without a file the first three letters of its month, its year and `extension`.
    QString ProposedFileName(const QString& extension) const;
    // Runs a job on `printer`, which the page's paper and orientation are set on: the driver
    // makes the chosen copies when it can, else the pass sends them. The printer keeps the
    // copies the user chose; the modified state stays as it was.
    void RunPrintJob(QPrinter& printer);
    // The print pass (the report's OnPrint).
    void PrintPass(TReportPrinter& report);
    bool RunProperties(bool newCalendar);
    // The settings the properties dialog ended with OK; cells of another month or layout and
    // objects of another layout family go.
    void ApplyProperties(const TCalendarPanel32& preview, int oldMonth, int oldYear);
    void SetFileName(const QString& fileName);
    // Tells the user which objects of the file just read the page left out.
    void ReportObjectsLeftOut(const QString& fileName);

    // Guarded: should the page's widget parent or component owner go before the document,
    // they free the page.
    QPointer<TCalendarPanel32> m_Page;
    QString m_FileName;
    bool m_Modified = false; // as last told by ModifiedChanged
    QUndoStack* m_History;
    TPageSnapshot m_Current; // the page as the last step left it
    bool m_ResettingHistory = false;
    bool m_Restoring = false;
    int m_Restores = 0; // undos and redos so far
    bool m_ChangePending = false;
    bool m_ChangeScheduled = false;
    QString m_PendingName;
    QString m_PendingMergeKey;
    bool m_TypingPending = false;
    bool m_HideModified = false; // while printing
    int m_PreviewZoomPercent = 30;
    std::unique_ptr<QPrinter> m_Printer; // made at first use
    int m_CopiesToPrint = 0;
    bool m_PrintDone = false;
};
