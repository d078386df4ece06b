#pragma once
// The formatting tool bar: font name, size (from 8) and colour lists; bold, italic, underline;
// left, centre, right; copy, cut, paste, select all. It drives the editor it is attached to and
// shows the attributes at that editor's caret. Controls carry object names for tests and hints.

#include <QPointer>
#include <QToolBar>

class QAction;
class QComboBox;
class TFontNameBox;
class TWPRichText;

class TWPToolBar : public QToolBar {
    Q_OBJECT

public:
    explicit TWPToolBar(QWidget* parent = nullptr);

    // Attaches the tool bar to `editor` (nullptr: to none).
    void Attach(TWPRichText* editor);
    TWPRichText* Editor() const { return m_Editor; }

private:
    QAction* AddAction(const QString& name, const QString& text, const QString& hint, bool checkable);
    void ShowAttributes();
    void ApplyFontName(const QString& name);
    void ApplyFontSize(int index);
    void ApplyColor(int index);
    void ApplyStyle(QAction* action);
    void ApplyAlignment(QAction* action);

    QPointer<TWPRichText> m_Editor;
    QMetaObject::Connection m_EditorConnection;
    TFontNameBox* m_FontName;
    QComboBox* m_FontSize;
    QComboBox* m_FontColor;
    QAction* m_Bold;
    QAction* m_Italic;
    QAction* m_Underline;
    QAction* m_AlignLeft;
    QAction* m_AlignCenter;
    QAction* m_AlignRight;
};
