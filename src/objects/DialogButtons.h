#pragma once
// The bottom row every object dialog shares: "Ok" (default), "Cancel", "Help" opening the
// dialog's help topic, and the mouse-help button that lets the user point at a control to read
// its what's-this text. Also installs the "What's this?" context menu.

class QDialog;

// Places the buttons with their right edge at `right` and their top at `top`, the mouse-help
// button at `left`.
void AddDialogButtons(QDialog& dialog, int left, int right, int top, int helpTopic);
