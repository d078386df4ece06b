#pragma once
// UI services for tests: records every message and request, and answers from a script that the
// test fills before driving the program. A request the script does not answer (or answers with
// an answer of another kind) is recorded in Unexpected and gets the negative answer, so a test
// that forgot a dialog fails on its checks instead of hanging in a modal loop.

#include "platformui/UiServices.h"

#include <deque>
#include <optional>
#include <functional>

class TScriptedUiServices : public TUiServices {
public:
    struct TShownMessage {
        QString Text;
        QString Caption;
        TMessageIcon Icon;
    };

    // Installs itself for its lifetime.
    TScriptedUiServices();
    ~TScriptedUiServices() override;

    // The script, answered in order.
    void AnswerYesNo(bool yes);
    void CancelQuestion();                    // the next question is left with Esc or by closing the box
    void AnswerFileName(const QString& path); // an empty path cancels the dialog
    void AnswerFont(const TFontChoice& choice);
    void AnswerColor(const QColor& color);
    void CancelChoice(); // cancels the next font, colour, print or printer set-up dialog
    void AcceptPrinterDialog();
    // Accepts the next print or printer set-up dialog after `choose` made the user's choices on
    // the dialog's printer (which printer, how many copies, printing to a file).
    void AcceptPrinterDialog(std::function<void(QPrinter&)> choose);
    // The handler gets the dialog shown (not modal) and returns its result code; it may work the
    // dialog's widgets first.
    void AnswerDialog(std::function<int(QDialog&)> handler);

    // What the program asked and showed.
    QList<TShownMessage> Messages;  // ShowMessage
    QList<TShownMessage> Questions; // AskQuestion
    QList<TFileDialogRequest> FileRequests;
    QStringList DialogsShown; // class names of the dialogs run through ExecDialog
    QStringList Unexpected;
    int Beeps = 0;

    bool ScriptFinished() const { return m_Script.empty(); }

    void ShowMessage(const QString& text, const QString& caption, TMessageIcon icon) override;
    TQuestionAnswer AskQuestion(const QString& text, const QString& caption) override;
    QString GetOpenFileName(const TFileDialogRequest& request) override;
    QString GetSaveFileName(const TFileDialogRequest& request) override;
    bool ChooseFont(TFontChoice& choice) override;
    bool ChooseColor(QColor& color) override;
    bool PrintDialog(QPrinter& printer) override;
    bool PrinterSetupDialog(QPrinter& printer) override;
    int ExecDialog(QDialog& dialog) override;
    void Beep() override { ++Beeps; }

private:
    enum class TAnswerKind { YesNo, CancelQuestion, FileName, Font, Color, Cancel, AcceptPrinter, Dialog };
    struct TAnswer {
        TAnswerKind Kind;
        bool Yes = false;
        QString FileName = {};
        TFontChoice Font = {};
        QColor Color = {};
        std::function<int(QDialog&)> Dialog = {};
        std::function<void(QPrinter&)> Printer = {};
    };

    // The next answer when it is one of `kinds`; else records `request` as unexpected.
    std::optional<TAnswer> Next(std::initializer_list<TAnswerKind> kinds, const QString& request);
    bool AnswerChoice(TAnswerKind kind, const QString& request, const std::function<void(const TAnswer&)>& apply);

    std::deque<TAnswer> m_Script;
};
