#pragma once
// The bottom row every object dialog shares: "Ok" (default), "Cancel", "Help" opening the
// dialog's help topic, and the mouse-help button that lets the user point at a control to read
// its what's-this text. Also installs the "What's this?" context menu.

class QDialog;
class QHBoxLayout;

// The row, for the dialog's layout: the mouse-help button on the left, the others on the right.
QHBoxLayout* AddDialogButtons(QDialog& dialog, int helpTopic);
