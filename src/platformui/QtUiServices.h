#pragma once
// The real UI services: Qt's message boxes and standard dialogs, parented to the active window.

#include "platformui/UiServices.h"

class TQtUiServices : public TUiServices {
public:
    void ShowMessage(const QString& text, const QString& caption, TMessageIcon icon) override;
    TQuestionAnswer AskQuestion(const QString& text, const QString& caption) override;
    QString GetOpenFileName(const TFileDialogRequest& request) override;
    QString GetSaveFileName(const TFileDialogRequest& request) override;
    bool ChooseFont(TFontChoice& choice) override;
    bool ChooseColor(QColor& color) override;
    bool PrintDialog(QPrinter& printer) override;
    bool PrinterSetupDialog(QPrinter& printer) override;
    int ExecDialog(QDialog& dialog) override;
    void Beep() override;
};
