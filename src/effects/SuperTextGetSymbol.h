#pragma once
// The symbol picker ("Symbol Selector"): the installed outline fonts whose writing system is
// Symbol, and the characters 32 to 255 of the chosen one; Ok hands back one character and its
// font's name. Without any symbol font it says so and has no result.

#include <QDialog>

class QComboBox;
class QListWidget;

class TSuperTextGetSymbol : public QDialog {
    Q_OBJECT
public:
    explicit TSuperTextGetSymbol(QWidget* parent = nullptr);

    // The symbol fonts offered, in the order the list shows them.
    static QStringList SymbolFonts();
    // The entry to preselect: the first whose name contains "WINGDING" in any letter case,
    // else the first; -1 for an empty list.
    static int PreferredFont(const QStringList& sortedNames);

    // False when no symbol font is installed: the user was told and the picker has no result.
    bool FontsFound() const { return m_FontsFound; }
    QString Symbol() const { return m_Symbol; }
    QString SymbolFontName() const { return m_FontName; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UseFont(const QString& name);
    void Choose();

    bool m_FontsFound = false;
    QString m_Symbol;
    QString m_FontName;
    QComboBox* m_SymbolSets;
    QListWidget* m_SymbolList;
};
