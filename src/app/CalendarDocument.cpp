#include "app/CalendarDocument.h"

#include "app/PageStep.h"

#include "recurring/IcsEvents.h"
#include "recurring/RecurringFill.h"
#include "recurring/RecordTickList.h"
#include "recurring/RecurringDatesFile.h"
#include "recurring/SelectRecurringDates.h"

#include "calendar/CalendarPanel32.h"
#include "calendar/CalendarProperties.h"
#include "calendar/UserTitleForm.h"
#include "objects/Zoom.h"
#include "platform/ProgramFolders.h"
#include "platformui/UiServices.h"
#include "platformui/Utility.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QPrinter>
#include <QScopeGuard>
#include <QUndoStack>

#include <cmath>

namespace {

const QString CalendarFilter = "Calendar File|*.MVF";
const QString IcsFilter = "iCalendar File|*.ics";

} // namespace

TCalendarDocument::TCalendarDocument(TComponent* objectOwner, QWidget* pageParent)
    : m_Page(new TCalendarPanel32(objectOwner, pageParent))
{
    m_Page->SetName("CalendarPanel");
    m_Page->setObjectName("CalendarPanel");
    m_Page->hide();
    // The one page that holds the object clipboard: pages made for a moment leave it alone.
    m_Page->SetClipboardFile(DataFolder() + "Clipbrd.tmp");
    m_Page->LabelChangedEvent = [this](TComponent*) { NoteObjectChange(); };
    m_Page->ChangeNamedEvent = [this](const QString& name, const QString& mergeKey) {
        NameObjectChange(name, mergeKey);
    };
    m_History = new QUndoStack(this);
    m_History->setUndoLimit(HistoryLimit);
    connect(m_History, &QUndoStack::cleanChanged, this, &TCalendarDocument::UpdateModified);
    ResetHistory();
}

QWidget* TCalendarDocument::DialogParent() const
{
    // Dialogs open over the window that shows the page; a page of its own is no dialog's
    // parent, since a dialog would then count among its children.
    return m_Page->parentWidget() ? m_Page->window() : nullptr;
}

TCalendarDocument::~TCalendarDocument()
{
    // The page objects are child widgets of the page and go with it.
    delete m_Page.data();
    // The history tells no one of its clearing as it goes.
    m_History->disconnect();
}

TCalendarPanel32& TCalendarDocument::Page() const
{
    return *m_Page;
}

void TCalendarDocument::SetModified(bool value)
{
    if (value) {
        m_History->resetClean();
    } else {
        // What is saved is the page as it stands, pending changes included.
        RecordPendingChange();
        m_TypingPending = false;
        m_History->setClean();
    }
    UpdateModified();
}

void TCalendarDocument::UpdateModified()
{
    if (m_ResettingHistory)
        return;
    const bool modified = !m_HideModified && (!m_History->isClean() || m_ChangePending || m_TypingPending);
    if (modified == m_Modified)
        return;
    m_Modified = modified;
    emit ModifiedChanged(modified);
}

void TCalendarDocument::ResetHistory(bool saved)
{
    // One change of the modified state at most: the clearing's own is not told.
    m_ResettingHistory = true;
    m_History->clear(); // leaves an empty history's clean state as it was
    if (saved)
        m_History->setClean();
    else
        m_History->resetClean();
    m_ResettingHistory = false;
    m_Current = m_Page->Snapshot();
    m_ChangePending = false;
    m_TypingPending = false;
    m_PendingName.clear();
    m_PendingMergeKey.clear();
    UpdateModified();
}

void TCalendarDocument::RecordStep(const QString& name, const QString& mergeKey)
{
    m_ChangePending = false;
    m_PendingName.clear();
    m_PendingMergeKey.clear();
    TPageSnapshot after = m_Page->Snapshot();
    if (after == m_Current) {
        UpdateModified();
        return;
    }
    after.ShareWith(m_Current);
    // A run of steps that merge ends at an undo or redo: the step it would grow is no longer the
    // last one made.
    const QString runKey = mergeKey.isEmpty() ? QString() : mergeKey + u'/' + QString::number(m_Restores);
    m_History->push(
        new TPageStep(name, m_Current, after, runKey, [this](const TPageSnapshot& target) { RestorePage(target); }));
    m_Current = std::move(after);
    UpdateModified();
}

void TCalendarDocument::NoteObjectChange()
{
    // The objects undo and redo make are no change of the user's.
    if (m_Restoring)
        return;
    m_ChangePending = true;
    UpdateModified();
    SchedulePendingChange();
}

void TCalendarDocument::NameObjectChange(const QString& name, const QString& mergeKey)
{
    if (m_PendingName.isEmpty()) {
        m_PendingName = name;
        m_PendingMergeKey = mergeKey;
    }
    // A name given for a change that does not come is dropped with the event that gave it.
    SchedulePendingChange();
}

void TCalendarDocument::SchedulePendingChange()
{
    if (m_ChangeScheduled)
        return;
    m_ChangeScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_ChangeScheduled = false;
            // A dialog open now may go on changing the object (a preview): all it does is one
            // step, recorded when it is closed.
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                m_ChangeScheduled = true;
                connect(
                    dialog, &QDialog::finished, this,
                    [this] {
                        m_ChangeScheduled = false;
                        SchedulePendingChange();
                    },
                    Qt::SingleShotConnection);
                return;
            }
            RecordPendingChange();
        },
        Qt::QueuedConnection);
}

void TCalendarDocument::RecordPendingChange()
{
    // Copies: RecordStep clears the pending name and key.
    const QString name = m_PendingName.isEmpty() ? QString("Change") : m_PendingName;
    const QString mergeKey = m_PendingMergeKey;
    m_PendingName.clear();
    m_PendingMergeKey.clear();
    if (m_ChangePending)
        RecordStep(name, mergeKey);
}

void TCalendarDocument::SetTypingPending(bool value)
{
    m_TypingPending = value;
    UpdateModified();
}

void TCalendarDocument::RestorePage(const TPageSnapshot& target)
{
    m_Restoring = true;
    ++m_Restores;
    const auto restored = qScopeGuard([this] { m_Restoring = false; });
    try {
        m_Page->RestoreSnapshot(target, m_Current);
        m_Current = target;
    } catch (const std::exception& error) {
        // The records were written here and read back unchanged; should one fail all the same,
        // the page stays as far as it came and the history goes on from there.
        m_Current = m_Page->Snapshot();
        ShowInfo(QString("Unable to restore the calendar.\r") + error.what());
    }
}

void TCalendarDocument::Undo()
{
    emit CommitPendingEdits();
    RecordPendingChange();
    m_History->undo();
    UpdateModified();
    emit PageReloaded();
}

void TCalendarDocument::Redo()
{
    emit CommitPendingEdits();
    RecordPendingChange();
    m_History->redo();
    UpdateModified();
    emit PageReloaded();
}

void TCalendarDocument::SetFileName(const QString& fileName)
{
    if (m_FileName == fileName)
        return;
    m_FileName = fileName;
    emit FileNameChanged(fileName);
}

bool TCalendarDocument::CheckSaveNeeded()
{
    emit CommitPendingEdits();
    if (!m_Modified)
        return true;
    switch (UiServices().AskQuestion("Save changes?", "Save")) {
    case TQuestionAnswer::Yes: break;
    case TQuestionAnswer::No: return true;
    // Esc or a closed box: the user wants neither to save nor to lose the changes.
    case TQuestionAnswer::Cancelled: return false;
    }
    if (m_FileName.isEmpty())
        SaveAs();
    else
        SaveCalendarFile(m_FileName);
    return !m_Modified;
}

void TCalendarDocument::New()
{
    if (!CheckSaveNeeded())
        return;
    BusyCursor();
    emit CommitPendingEdits();
    NormalCursor();
    if (!RunProperties(true))
        return;
    m_Page->ClearAllCells();
    m_Page->ClearObjects();
    m_Page->show();
    ResetHistory(false);
    SetFileName(QString());
}

void TCalendarDocument::Open()
{
    emit CommitPendingEdits();
    if (!CheckSaveNeeded())
        return;
    TFileDialogRequest request;
    request.Title = "Open Calendar File";
    request.Filter = CalendarFilter;
    request.DefaultExtension = "MVF";
    request.InitialFolder = UserFilesFolder();
    const QString file = UiServices().GetOpenFileName(request);
    if (file.isEmpty())
        return;
    if (!file.toUpper().endsWith(".MVF"))
        ShowInfo("Must be a Calendar file (*.MVF)");
    else
        OpenCalendarFile(file);
}

bool TCalendarDocument::OpenCalendarFile(const QString& fileName)
{
    const QString name = fileName; // a copy: the caller may pass FileName(), which changes below
    TCalendarPanel32& page = *m_Page;
    emit CommitPendingEdits();
    // A file that is missing or cannot be read leaves the calendar being edited as it was: the
    // page takes the file's settings, cells and objects only once they could be read.
    if (!QFileInfo::exists(name)) {
        ShowInfo("File " + name + " no longer exists");
        return false;
    }
    page.SetPaintingSuspended(true);
    int zoomPercent = TZoom::OfFactor(page.Zoom()).Percent();
    if (zoomPercent < 10 || zoomPercent > 110)
        zoomPercent = 100;
    QString failure;
    try {
        BusyCursor();
        // Objects are stored at full size.
        page.SetZoom(1.0f);
        page.LoadFromFile(name, page.Owner());
        page.AttachObjects();
    } catch (const std::exception& error) {
        failure = QString::fromStdString(error.what());
    }
    NormalCursor();
    if (zoomPercent != 100)
        page.SetZoom(TZoom::Stored(zoomPercent).Factor());
    page.SetPaintingSuspended(false);
    if (!failure.isEmpty()) {
        page.update();
        ShowInfo("Unable to open " + name + ". Possibly \rcorrupted, possibly not a Calendar file.\r" + failure);
        return false;
    }
    emit RecentFileUsed(name);
    page.setVisible(true);
    ResetHistory();
    // Named only now, with the zoom back, so that a caption made from the signal shows it.
    SetFileName(name);
    page.update();
    emit PageReloaded();
    ReportObjectsLeftOut(name);
    return true;
}

void TCalendarDocument::ReportObjectsLeftOut(const QString& fileName)
{
    if (m_Page->ObjectsLeftOut().isEmpty())
        return;
    // Saving writes only the objects on the page, so the user must know before saving over them.
    QStringList classes = m_Page->ObjectsLeftOut();
    classes.removeAll(QString());
    classes.removeDuplicates();
    const QString text =
        "Some objects of " + fileName + " could not be read and will be missing when the calendar is saved";
    ShowInfo((classes.isEmpty() ? text : text + ": " + classes.join(", ")) + ".\r" + m_Page->ObjectsLeftOutReason());
}

bool TCalendarDocument::Save()
{
    return !m_FileName.isEmpty() && SaveCalendarFile(m_FileName);
}

bool TCalendarDocument::SaveAs()
{
    TFileDialogRequest request;
    request.Title = "Save Calendar File";
    request.Filter = CalendarFilter;
    request.DefaultExtension = "MVF";
    request.InitialFolder = UserFilesFolder();
    request.OverwritePrompt = true;
    request.FileName = m_FileName.isEmpty() ? ProposedFileName(".MVF") : QFileInfo(m_FileName).fileName();
    const QString chosen = UiServices().GetSaveFileName(request);
    if (chosen.isEmpty() || !SaveCalendarFile(chosen))
        return false;
    emit RecentFileUsed(chosen);
    return true;
}

QString TCalendarDocument::ProposedFileName(const QString& extension) const
{
    if (m_FileName.isEmpty())
        return m_Page->GetMonthName(m_Page->MainCalMonth()).left(3) + QString::number(m_Page->MainCalYear()) +
               extension;
    return QFileInfo(m_FileName).completeBaseName() + extension;
}

bool TCalendarDocument::SaveCalendarFile(const QString& fileName)
{
    const QString name = fileName;
    TCalendarPanel32& page = *m_Page;
    page.SetPaintingSuspended(true);
    // Objects are stored at full size.
    const int zoomPercent = TZoom::OfFactor(page.Zoom()).Percent();
    if (zoomPercent != 100)
        page.SetZoom(1.0f);
    QString failure;
    BusyCursor();
    try {
        emit CommitPendingEdits();
        page.SaveToFile(name);
    } catch (const std::exception& error) {
        failure = QString::fromStdString(error.what());
    }
    NormalCursor();
    if (zoomPercent != 100 && zoomPercent >= 20 && zoomPercent <= 100)
        page.SetZoom(TZoom::Stored(zoomPercent).Factor());
    page.SetPaintingSuspended(false);
    page.update();
    if (!failure.isEmpty()) {
        ShowInfo("Unable to save " + name + ".\r" + failure);
        return false;
    }
    SetFileName(name);
    SetModified(false);
    return true;
}

void TCalendarDocument::CancelChanges()
{
    emit CommitPendingEdits();
    if (!AskYesNo("Cancel all changes?", "CANCEL"))
        return;
    if (!m_FileName.isEmpty())
        OpenCalendarFile(m_FileName);
    ResetHistory();
}

bool TCalendarDocument::EditProperties()
{
    return RunProperties(false);
}

bool TCalendarDocument::RunProperties(bool newCalendar)
{
    TCalendarPanel32& page = *m_Page;
    emit PropertiesAboutToShow();
    const int month = page.MainCalMonth();
    const int year = page.MainCalYear();
    emit CommitPendingEdits();

    TCalendarProperties dialog(DialogParent());
    CenterDialog(dialog);
    TCalendarPanel32& preview = dialog.ExampleCalendar();
    preview.SetZoom(TZoom::Stored(m_PreviewZoomPercent).Factor());
    if (newCalendar) {
        dialog.SetNewCalendar(true);
        dialog.SetCellsHaveText(false);
    } else if (page.isVisible()) {
        dialog.SetStartingLayoutFamily(page.LayoutFamily());
        dialog.SetCellsHaveText(page.HasCellText());
    }
    preview.AssignSettings(page);
    const bool accepted = UiServices().ExecDialog(dialog) == QDialog::Accepted;

    m_PreviewZoomPercent = TZoom::OfFactor(preview.Zoom()).StoredPercent();
    if (accepted)
        ApplyProperties(preview, month, year);
    page.update();
    emit PropertiesClosed();
    return accepted;
}

void TCalendarDocument::ApplyProperties(const TCalendarPanel32& preview, int oldMonth, int oldYear)
{
    TCalendarPanel32& page = *m_Page;
    const TLayoutFamily family = page.LayoutFamily();
    page.AssignSettings(preview);
    if (page.LayoutFamily() != family) {
        page.ClearAllCells();
        page.ClearObjects();
    } else if ((page.MainCalMonth() != oldMonth || page.MainCalYear() != oldYear) && page.CellsAvailable()) {
        page.ClearAllCells(); // the texts belonged to the other month's days; objects stay
    }
    RecordStep("Properties");
}

void TCalendarDocument::EditUserTitle()
{
    emit CommitPendingEdits();
    TUserTitleForm form(DialogParent());
    CenterDialog(form);
    form.SetTitle(m_Page->UserTitle());
    if (UiServices().ExecDialog(form) != QDialog::Accepted)
        return;
    m_Page->SetUserTitle(form.Title());
    RecordStep("User Title");
}

void TCalendarDocument::ClearAllCellContents()
{
    emit CommitPendingEdits();
    m_Page->ClearAllCells();
    m_Page->update();
    RecordStep("Clear All Cells");
}

void TCalendarDocument::FillWithRecurringDates(const TPutTextOnDay& puttextOnDay)
{
    const QString fileName = RecurringDatesFileName();
    if (!QFileInfo::exists(fileName))
        return;
    const TRecurringDatesRead read = ReadRecurringDatesFile(fileName);
    if (!read.Ok()) {
        ShowInfo("Unable to read " + fileName + ".\r" + read.Error);
        return;
    }
    const int month = m_Page->MainCalMonth();
    const int year = m_Page->MainCalYear();
    QStringList offered;
    for (const QString& record : read.Records) {
        if (OfferedInMonth(record, year, month))
            offered += record;
    }
    if (offered.isEmpty()) {
        ShowInfo("No predefined dates match the current month");
        return;
    }
    TSelectRecurringDates dialog(DialogParent());
    dialog.List().SetRecords(offered);
    CenterDialog(dialog);
    if (UiServices().ExecDialog(dialog) != QDialog::Accepted)
        return;
    for (const QString& record : dialog.List().TickedRecords()) {
        const TRecurringFill fill = FillOfRecord(record, year, month);
        for (const int day : fill.Days)
            puttextOnDay(day, fill.Text);
    }
    RecordStep("Fill Calendar");
}

void TCalendarDocument::ImportIcsEvents(const TPutTextOnDay& puttextOnDay)
{
    TFileDialogRequest request;
    request.Title = "Import Events";
    request.Filter = IcsFilter;
    request.DefaultExtension = "ics";
    request.InitialFolder = UserFilesFolder();
    const QString fileName = UiServices().GetOpenFileName(request);
    if (fileName.isEmpty())
        return;
    const QDate first(m_Page->MainCalYear(), m_Page->MainCalMonth(), 1);
    const TIcsRead read = ReadIcsFile(fileName, first, first.addDays(first.daysInMonth() - 1));
    if (!read.Ok()) {
        ShowInfo(read.Error);
        return;
    }
    if (read.Entries.isEmpty()) {
        ShowInfo("No events of " + QFileInfo(fileName).fileName() + " fall in the current month");
        return;
    }
    for (const TIcsEntry& entry : read.Entries)
        puttextOnDay(entry.Date.day(), IcsEntryText(entry));
    RecordStep("Import Events");
}
