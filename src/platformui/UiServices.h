#pragma once
// The one door through which the program shows anything modal: message boxes, questions, the
// file, font, colour and printer dialogs, and its own dialogs run modally. The program installs
// TQtUiServices; tests install TScriptedUiServices and answer from a script, so every command can
// be driven end to end, cancel paths included.

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

class QDialog;
class QPrinter;

enum class TMessageIcon { Information, Question, Warning, Error };

// How a Yes/No question ended. Cancelled: the user pressed Esc or closed the box, which means
// "do not go on" rather than No.
enum class TQuestionAnswer { Yes, No, Cancelled };

// What a file dialog is asked to show. Filters use the program's "Caption|*.EXT" form, several
// pairs separated by '|'.
struct TFileDialogRequest {
    QString Title;
    QString Filter;
    QString DefaultExtension; // without the dot, added when the typed name has none
    QString InitialFolder;
    QString FileName; // proposed name
    bool OverwritePrompt = false;
    int SelectedFilter = 0; // the filter shown first, counted from 0
};

// A font choice: the font and its colour, which the font dialog edits together.
struct TFontChoice {
    QFont Font;
    QColor Color;
};

class TUiServices {
public:
    virtual ~TUiServices() = default;

    virtual void ShowMessage(const QString& text, const QString& caption, TMessageIcon icon) = 0;
    // A question with Yes and No.
    virtual TQuestionAnswer AskQuestion(const QString& text, const QString& caption) = 0;
    // The chosen file's full path; empty when cancelled.
    virtual QString GetOpenFileName(const TFileDialogRequest& request) = 0;
    virtual QString GetSaveFileName(const TFileDialogRequest& request) = 0;
    // True when the user accepted; `choice` then holds the new values.
    virtual bool ChooseFont(TFontChoice& choice) = 0;
    virtual bool ChooseColor(QColor& color) = 0;
    virtual bool PrintDialog(QPrinter& printer) = 0;
    virtual bool PrinterSetupDialog(QPrinter& printer) = 0;
    // Runs one of the program's own dialogs modally; returns its result code.
    virtual int ExecDialog(QDialog& dialog) = 0;
    // The warning sound a dialog gives when it refuses a button (OK with nothing chosen).
    virtual void Beep() = 0;
};

// The services in force. Until something is installed, the Qt implementation is used.
TUiServices& UiServices();

// Installs `services` (not owned) in place of the current ones; nullptr returns to Qt's.
void InstallUiServices(TUiServices* services);

// "Calendar File|*.MVF" -> "Calendar File (*.MVF)", the form Qt's dialogs take.
QString ToQtFileFilter(const QString& filter);
