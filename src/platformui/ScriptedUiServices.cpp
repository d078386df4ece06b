#include "platformui/ScriptedUiServices.h"

#include <QDialog>

TScriptedUiServices::TScriptedUiServices()
{
    InstallUiServices(this);
}

TScriptedUiServices::~TScriptedUiServices()
{
    InstallUiServices(nullptr);
}

void TScriptedUiServices::AnswerYesNo(bool yes)
{
    m_Script.push_back({.Kind = TAnswerKind::YesNo, .Yes = yes});
}

void TScriptedUiServices::CancelQuestion()
{
    m_Script.push_back({.Kind = TAnswerKind::CancelQuestion});
}

void TScriptedUiServices::AnswerFileName(const QString& path)
{
    m_Script.push_back({.Kind = TAnswerKind::FileName, .FileName = path});
}

void TScriptedUiServices::AnswerFont(const TFontChoice& choice)
{
    m_Script.push_back({.Kind = TAnswerKind::Font, .Font = choice});
}

void TScriptedUiServices::AnswerColor(const QColor& color)
{
    m_Script.push_back({.Kind = TAnswerKind::Color, .Color = color});
}

void TScriptedUiServices::CancelChoice()
{
    m_Script.push_back({.Kind = TAnswerKind::Cancel});
}

void TScriptedUiServices::AcceptPrinterDialog()
{
    m_Script.push_back({.Kind = TAnswerKind::AcceptPrinter});
}

void TScriptedUiServices::AcceptPrinterDialog(std::function<void(QPrinter&)> choose)
{
    m_Script.push_back({.Kind = TAnswerKind::AcceptPrinter, .Printer = std::move(choose)});
}

void TScriptedUiServices::AnswerDialog(std::function<int(QDialog&)> handler)
{
    m_Script.push_back({.Kind = TAnswerKind::Dialog, .Dialog = std::move(handler)});
}

std::optional<TScriptedUiServices::TAnswer> TScriptedUiServices::Next(std::initializer_list<TAnswerKind> kinds,
                                                                      const QString& request)
{
    if (!m_Script.empty()) {
        for (const TAnswerKind kind : kinds) {
            if (m_Script.front().Kind == kind) {
                TAnswer answer = std::move(m_Script.front());
                m_Script.pop_front();
                return answer;
            }
        }
    }
    Unexpected += request;
    return std::nullopt;
}

void TScriptedUiServices::ShowMessage(const QString& text, const QString& caption, TMessageIcon icon)
{
    Messages += {text, caption, icon};
}

TQuestionAnswer TScriptedUiServices::AskQuestion(const QString& text, const QString& caption)
{
    Questions += {text, caption, TMessageIcon::Question};
    const auto answer = Next({TAnswerKind::YesNo, TAnswerKind::CancelQuestion}, "question: " + text);
    if (!answer)
        return TQuestionAnswer::No;
    if (answer->Kind == TAnswerKind::CancelQuestion)
        return TQuestionAnswer::Cancelled;
    return answer->Yes ? TQuestionAnswer::Yes : TQuestionAnswer::No;
}

QString TScriptedUiServices::GetOpenFileName(const TFileDialogRequest& request)
{
    FileRequests += request;
    const auto answer = Next({TAnswerKind::FileName}, "open file: " + request.Title);
    return answer ? answer->FileName : QString();
}

QString TScriptedUiServices::GetSaveFileName(const TFileDialogRequest& request)
{
    FileRequests += request;
    const auto answer = Next({TAnswerKind::FileName}, "save file: " + request.Title);
    return answer ? answer->FileName : QString();
}

bool TScriptedUiServices::AnswerChoice(TAnswerKind kind, const QString& request,
                                       const std::function<void(const TAnswer&)>& apply)
{
    const auto answer = Next({kind, TAnswerKind::Cancel}, request);
    if (!answer || answer->Kind == TAnswerKind::Cancel)
        return false;
    if (apply)
        apply(*answer);
    return true;
}

bool TScriptedUiServices::ChooseFont(TFontChoice& choice)
{
    return AnswerChoice(TAnswerKind::Font, "font dialog", [&](const TAnswer& a) { choice = a.Font; });
}

bool TScriptedUiServices::ChooseColor(QColor& color)
{
    return AnswerChoice(TAnswerKind::Color, "colour dialog", [&](const TAnswer& a) { color = a.Color; });
}

bool TScriptedUiServices::PrintDialog(QPrinter& printer)
{
    return AnswerChoice(TAnswerKind::AcceptPrinter, "print dialog", [&](const TAnswer& a) {
        if (a.Printer)
            a.Printer(printer);
    });
}

bool TScriptedUiServices::PrinterSetupDialog(QPrinter& printer)
{
    return AnswerChoice(TAnswerKind::AcceptPrinter, "printer set-up dialog", [&](const TAnswer& a) {
        if (a.Printer)
            a.Printer(printer);
    });
}

int TScriptedUiServices::ExecDialog(QDialog& dialog)
{
    DialogsShown += dialog.metaObject()->className();
    const auto answer = Next({TAnswerKind::Dialog}, QString("dialog: ") + dialog.metaObject()->className());
    if (!answer)
        return QDialog::Rejected;
    dialog.show();
    const int result = answer->Dialog(dialog);
    dialog.hide();
    dialog.setResult(result);
    return result;
}
