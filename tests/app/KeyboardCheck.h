#pragma once
// Checks that a dialog is usable with the keyboard alone: Tab (Ctrl+Tab from an editor that types
// Tab into its text), from the control that has the focus, reaches every control that takes the focus from the keyboard
// (a group of radio buttons through one of them), Ok and Cancel included, and comes round again; in a dialog with
// pages, Ctrl+Tab brings each page and Tab reaches every control on it. The dialog walk runs it on every dialog of the
// program.

#include <QStringList>

class QDialog;

// The controls Tab did not reach, one line each, named by object name or class.
QStringList KeyboardFaults(QDialog& dialog);
