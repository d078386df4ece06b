#include "platformui/QtUiServices.h"

#include "platformui/FontDialog.h"
#include "platformui/QuestionBox.h"
#include "platformui/Utility.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>

namespace {

// The active window; right after another dialog has closed (a print dialog, say) no window may
// be active yet, and the main window stands in.
QWidget* DialogParent()
{
    QWidget* active = QApplication::activeWindow();
    return active ? active : MainWindow();
}

// Messages are written with Windows line breaks ("\r\n", sometimes a lone "\r").
QString WithPlainLineBreaks(QString text)
{
    return text.replace("\r\n", "\n").replace('\r', '\n');
}

QMessageBox::Icon ToQtIcon(TMessageIcon icon)
{
    switch (icon) {
    case TMessageIcon::Information: return QMessageBox::Information;
    case TMessageIcon::Question: return QMessageBox::Question;
    case TMessageIcon::Warning: return QMessageBox::Warning;
    case TMessageIcon::Error: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QFileDialog::Options ToQtOptions(const TFileDialogRequest& request)
{
    return request.OverwritePrompt ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
}

QString StartPath(const TFileDialogRequest& request)
{
    if (request.FileName.isEmpty())
        return request.InitialFolder;
    if (QFileInfo(request.FileName).isAbsolute())
        return request.FileName;
    return request.InitialFolder + request.FileName;
}

} // namespace

void TQtUiServices::ShowMessage(const QString& text, const QString& caption, TMessageIcon icon)
{
    QMessageBox box(ToQtIcon(icon), caption, WithPlainLineBreaks(text), QMessageBox::Ok, DialogParent());
    // Over the main window like every other dialog, not over whichever window is active.
    CenterDialog(box);
    box.exec();
}

TQuestionAnswer TQtUiServices::AskQuestion(const QString& text, const QString& caption)
{
    TQuestionBox box(WithPlainLineBreaks(text), caption, DialogParent());
    CenterDialog(box);
    box.exec();
    return box.Answer();
}

QString TQtUiServices::GetOpenFileName(const TFileDialogRequest& request)
{
    const QString filters = ToQtFileFilter(request.Filter);
    QString selected = filters.split(";;").value(request.SelectedFilter);
    return QFileDialog::getOpenFileName(DialogParent(), request.Title, StartPath(request), filters, &selected,
                                        ToQtOptions(request));
}

QString TQtUiServices::GetSaveFileName(const TFileDialogRequest& request)
{
    QFileDialog dialog(DialogParent(), request.Title, StartPath(request), ToQtFileFilter(request.Filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOptions(ToQtOptions(request));
    dialog.setDefaultSuffix(request.DefaultExtension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

bool TQtUiServices::ChooseFont(TFontChoice& choice)
{
    // Our own dialog rather than Qt's: Qt's cannot start on a name that only a substitute
    // answers to and has no colour.
    TFontDialog dialog(choice, DialogParent());
    if (ExecDialog(dialog) != QDialog::Accepted)
        return false;
    choice = dialog.Choice();
    return true;
}

bool TQtUiServices::ChooseColor(QColor& color)
{
    const QColor chosen = QColorDialog::getColor(color, DialogParent());
    if (!chosen.isValid())
        return false;
    color = chosen;
    return true;
}

bool TQtUiServices::PrintDialog(QPrinter& printer)
{
    QPrintDialog dialog(&printer, DialogParent());
    return dialog.exec() == QDialog::Accepted;
}

bool TQtUiServices::PrinterSetupDialog(QPrinter& printer)
{
    QPageSetupDialog dialog(&printer, DialogParent());
    return dialog.exec() == QDialog::Accepted;
}

int TQtUiServices::ExecDialog(QDialog& dialog)
{
    return dialog.exec();
}

void TQtUiServices::Beep()
{
    QApplication::beep();
}
