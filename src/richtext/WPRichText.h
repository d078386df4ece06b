#pragma once
// The rich-text editor control: the in-place editor over a day cell, the editor of the
// rich-text label dialog, and (hidden) the renderer that draws cells and labels. It shows its
// text on a page of a given size in twips with margins; the zoom is a view transform, so the
// text wraps at the unzoomed page width and caret, selection and mouse stay right at every zoom.
// It keeps the current writing attributes, a font table and a 16-entry colour table, and
// offers what the formatting tool bar needs.

#include "platform/Color.h"
#include "richtext/WPCharAttr.h"
#include "richtext/WPPageRenderer.h"
#include "richtext/WPRtfText.h"
#include "stream/Component.h"

#include <QGraphicsView>
#include <QStringList>
#include <QTextCursor>

class QGraphicsTextItem;

class TWPRichText : public QGraphicsView, public TComponent {
    Q_OBJECT

public:
    explicit TWPRichText(TComponent* owner, QWidget* parent = nullptr);
    ~TWPRichText() override;

    QString ClassName() const override { return "TWPRichText"; }

    // The text, copied in and out (assignable from and to any storage's text).
    const TWPRtfText& Text() const { return m_Text; }
    void SetText(const TWPRtfText& text);
    bool IsEmpty() const { return m_Text.IsEmpty(); }
    void Clear();

    // Page size and margins in twips; zoom in percent.
    const TWPPageRenderer& Page() const { return m_Page; }
    void SetPageSize(int widthTwips, int heightTwips);
    void SetMargins(int left, int top, int right, int bottom);
    int Zoom() const { return m_Page.Zoom(); }
    void SetZoom(int percent);
    void SetBackgroundColor(TColor color);

    // Draws page 1 at the zoom into `target` without caret or selection.
    void RenderPage(QPainter& painter, const QRect& target);
    // Draws page 1 of another text laid out on this editor's page, the same way, without taking
    // the text in: rich-text labels draw through the master so, with no copy at each paint.
    void RenderPage(TWPRtfText& text, QPainter& painter, const QRect& target) const;

    QTextCursor TextCursor() const;
    void SetTextCursor(const QTextCursor& cursor);
    void SelectAll();
    void MoveCaretToEnd();
    // Starts a new paragraph at the caret; the empty last paragraph of a text is reused.
    void NewParagraph();
    // Inserts at the caret with the current writing attributes.
    void InsertText(const QString& text);
    void InsertPicture(const QImage& image);
    void Copy();
    void Cut();
    void Paste();

    // Current writing attributes: those of the selection or the character before the caret,
    // or what was set for the text typed next.
    QTextCharFormat CurrentCharFormat() const;
    void SetCurrentCharFormat(const QTextCharFormat& format);
    // Applied to the selection, or else to the word at the caret, and to the text typed next.
    void MergeCharFormat(const QTextCharFormat& format);
    Qt::Alignment CurrentAlignment() const;
    void SetAlignment(Qt::Alignment alignment);

    // The current writing attributes as a record.
    TWPCharAttr CurrentAttr();
    void SetCurrentAttr(const TWPCharAttr& attr);
    // The font table: the index of `name` (ignoring case), added when missing.
    int FontIndex(const QString& name);
    QString FontName(int index) const;
    static constexpr int TextColorCount = 16;
    static TColor TextColor(int index);

signals:
    void Changed();              // the text or its formatting changed
    void CurrentFormatChanged(); // caret moved or writing attributes changed

protected:
    // Tab types a tab into the text; Ctrl+Tab and Ctrl+Shift+Tab move the focus on and back.
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void BindDocument();
    void UpdateLayout();
    // The view follows the caret: text that runs past the bottom of the page widens the scene,
    // so the typing point scrolls into view instead of going on unseen.
    void KeepCaretVisible();
    QRectF CaretRect() const; // in scene coordinates

    TWPRtfText m_Text;
    QTextDocument m_Detached; // shown while m_Text's document is being replaced
    TWPPageRenderer m_Page;
    QGraphicsScene* m_Scene;
    QGraphicsTextItem* m_Item;
    QStringList m_FontTable;
};
