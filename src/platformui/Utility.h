#pragma once
// Small routines every window uses: notices and questions, the busy cursor, the main window and
// dialog centring, and the printer check.

#include <QSize>
#include <QString>

class QLayout;
class QWidget;

// Message box with the text, caption "Information", information icon and an OK button.
void ShowInfo(const QString& text);

// Question with Yes and No; true when Yes is pressed (Esc and closing the box count as No).
bool AskYesNo(const QString& text, const QString& caption);

// The hourglass for the whole application, and back. Not nested: one NormalCursor ends any
// number of BusyCursor calls.
void BusyCursor();
void NormalCursor();

// The program's main window, which dialogs centre over. The main window registers itself when it
// is made and clears the registration when it goes; nullptr when there is none.
void SetMainWindow(QWidget* window);
QWidget* MainWindow();

// Centres `form` over the main window, or on the screen when the main window is maximised,
// missing, or is the form itself. A form not yet shown nor resized is first given the size its
// layout asks for, the size it shows with.
void CenterDialog(QWidget& form);

// Lays `form` out with `content` at the size the content asks for, never smaller than
// `designSize`, the size the form was drawn at: the layout makes it larger where its texts need
// more room (other fonts, scales, languages). The user does not resize such a form.
void SetFormLayout(QWidget& form, QLayout* content, QSize designSize);

// True when a printer is installed and one is the default; otherwise tells the user why printing
// is not possible and returns false.
bool CheckPrinters();
