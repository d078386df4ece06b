#include "richtext/WPRichText.h"

#include "richtext/RtfPicture.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsTextItem>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QStyleOptionGraphicsItem>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <algorithm>
#include <cmath>

namespace {

constexpr const char* RtfMimeType = "text/rtf";

// The colours of the 16-entry colour table, in the order the colour list shows them.
constexpr TColor TextColors[TWPRichText::TextColorCount] = {clBlack,  clBlue,  clAqua, clLime,  clFuchsia, clRed,
                                                            clYellow, clWhite, clNavy, clTeal,  clGreen,   clPurple,
                                                            clMaroon, clOlive, clGray, clSilver};

// A picture's own properties are no writing attributes.
QTextCharFormat WithoutPicture(QTextCharFormat format)
{
    for (int property : {int(QTextFormat::ObjectType), int(QTextFormat::ImageName), int(QTextFormat::ImageWidth),
                         int(QTextFormat::ImageHeight), RtfPictureKindProperty, RtfPictureDataProperty,
                         RtfPictureSourceSizeProperty, RtfPictureMapModeProperty})
        format.clearProperty(property);
    return format;
}

// The text item without the dashed focus frame Qt draws around it: the page shows no frame.
class TPageTextItem : public QGraphicsTextItem {
public:
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override
    {
        QStyleOptionGraphicsItem plain(*option);
        plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        QGraphicsTextItem::paint(painter, &plain, widget);
    }
};

bool IsMouseEvent(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove;
}

} // namespace

TWPRichText::TWPRichText(TComponent* owner, QWidget* parent)
    : QGraphicsView(parent)
    , TComponent(owner)
    , m_Scene(new QGraphicsScene(this))
    , m_Item(new TPageTextItem)
{
    m_FontTable += DefaultRichTextFont().family();
    m_Page.SetPageSize(12240, 15840); // a letter page until the owner sets its own
    setScene(m_Scene);
    m_Scene->addItem(m_Item);
    m_Item->setTextInteractionFlags(Qt::TextEditorInteraction);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setBackgroundBrush(Qt::white);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    setFocusPolicy(Qt::StrongFocus);
    BindDocument();
    m_Scene->setFocusItem(m_Item);
    connect(this, &TWPRichText::CurrentFormatChanged, this, &TWPRichText::KeepCaretVisible);
}

TWPRichText::~TWPRichText()
{
    // The text item refers to m_Text's document, which goes before the scene would.
    delete m_Scene;
}

void TWPRichText::SetText(const TWPRtfText& text)
{
    // The item must never point at a freed document, not even while it is replaced.
    m_Item->setDocument(&m_Detached);
    m_Text.Assign(text);
    BindDocument();
    emit CurrentFormatChanged();
}

void TWPRichText::Clear()
{
    m_Text.Clear();
    SetTextCursor(QTextCursor(&m_Text.Document()));
}

void TWPRichText::SetPageSize(int widthTwips, int heightTwips)
{
    m_Page.SetPageSize(widthTwips, heightTwips);
    UpdateLayout();
}

void TWPRichText::SetMargins(int left, int top, int right, int bottom)
{
    m_Page.SetMargins(left, top, right, bottom);
    UpdateLayout();
}

void TWPRichText::SetZoom(int percent)
{
    m_Page.SetZoom(percent);
    UpdateLayout();
}

void TWPRichText::SetBackgroundColor(TColor color)
{
    setBackgroundBrush(ColorToQColor(color));
}

void TWPRichText::RenderPage(QPainter& painter, const QRect& target)
{
    m_Page.Render(m_Text.Document(), painter, target);
}

void TWPRichText::RenderPage(TWPRtfText& text, QPainter& painter, const QRect& target) const
{
    m_Page.Render(text.Document(), painter, target);
}

QTextCursor TWPRichText::TextCursor() const
{
    return m_Item->textCursor();
}

void TWPRichText::SetTextCursor(const QTextCursor& cursor)
{
    m_Item->setTextCursor(cursor);
    emit CurrentFormatChanged();
}

void TWPRichText::SelectAll()
{
    QTextCursor cursor = TextCursor();
    cursor.select(QTextCursor::Document);
    SetTextCursor(cursor);
}

void TWPRichText::MoveCaretToEnd()
{
    QTextCursor cursor = TextCursor();
    cursor.movePosition(QTextCursor::End);
    SetTextCursor(cursor);
}

void TWPRichText::NewParagraph()
{
    QTextCursor cursor = TextCursor();
    const QTextBlock block = cursor.block();
    if (block.length() <= 1 && !block.next().isValid() && block.previous().isValid())
        return;
    cursor.insertBlock();
    SetTextCursor(cursor);
}

void TWPRichText::InsertText(const QString& text)
{
    QTextCursor cursor = TextCursor();
    cursor.insertText(text);
    SetTextCursor(cursor);
}

void TWPRichText::InsertPicture(const QImage& image)
{
    if (image.isNull())
        return;
    QTextCursor cursor = TextCursor();
    cursor.insertImage(AddPictureResource(m_Text.Document(), image));
    SetTextCursor(cursor);
}

void TWPRichText::Copy()
{
    const QTextCursor cursor = TextCursor();
    if (!cursor.hasSelection())
        return;
    QTextDocument part;
    part.setDefaultFont(m_Text.Document().defaultFont());
    QTextCursor(&part).insertFragment(cursor.selection());
    CopyPictureResources(m_Text.Document(), part);
    auto* mime = new QMimeData;
    mime->setText(cursor.selection().toPlainText().remove(QChar::ObjectReplacementCharacter));
    mime->setData(RtfMimeType, TRtfWriter::Write(part));
    QGuiApplication::clipboard()->setMimeData(mime);
}

void TWPRichText::Cut()
{
    Copy();
    QTextCursor cursor = TextCursor();
    cursor.removeSelectedText();
    SetTextCursor(cursor);
}

void TWPRichText::Paste()
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime)
        return;
    QTextCursor cursor = TextCursor();
    if (mime->hasFormat(RtfMimeType)) {
        QTextDocument part;
        part.setDefaultFont(m_Text.Document().defaultFont());
        TRtfReader::Read(mime->data(RtfMimeType), part);
        cursor.insertFragment(QTextDocumentFragment(&part));
        CopyPictureResources(part, m_Text.Document());
    } else if (mime->hasImage()) {
        cursor.insertImage(AddPictureResource(m_Text.Document(), qvariant_cast<QImage>(mime->imageData())));
    } else if (mime->hasText()) {
        cursor.insertText(mime->text());
    }
    SetTextCursor(cursor);
}

QTextCharFormat TWPRichText::CurrentCharFormat() const
{
    return WithoutPicture(TextCursor().charFormat());
}

void TWPRichText::SetCurrentCharFormat(const QTextCharFormat& format)
{
    QTextCursor cursor = TextCursor();
    if (cursor.hasSelection())
        cursor.mergeCharFormat(format);
    else
        cursor.setCharFormat(format);
    SetTextCursor(cursor);
}

void TWPRichText::MergeCharFormat(const QTextCharFormat& format)
{
    QTextCursor cursor = TextCursor();
    if (!cursor.hasSelection()) {
        QTextCursor word = cursor;
        word.select(QTextCursor::WordUnderCursor);
        if (word.hasSelection())
            word.mergeCharFormat(format);
    }
    cursor.mergeCharFormat(format);
    SetTextCursor(cursor);
}

Qt::Alignment TWPRichText::CurrentAlignment() const
{
    return TextCursor().blockFormat().alignment() & Qt::AlignHorizontal_Mask;
}

void TWPRichText::SetAlignment(Qt::Alignment alignment)
{
    QTextCursor cursor = TextCursor();
    QTextBlockFormat format;
    format.setAlignment(alignment);
    cursor.mergeBlockFormat(format);
    SetTextCursor(cursor);
}

TWPCharAttr TWPRichText::CurrentAttr()
{
    const QTextCharFormat format = CurrentCharFormat();
    const QFont defaultFont = m_Text.Document().defaultFont();
    const QStringList families = format.fontFamilies().toStringList();
    TWPCharAttr attr;
    attr.FontIndex = FontIndex(families.isEmpty() ? defaultFont.family() : families.first());
    attr.Size = int(std::lround(format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                               : defaultFont.pointSizeF()));
    attr.Style = (format.fontWeight() >= QFont::DemiBold ? wpsBold : 0) | (format.fontItalic() ? wpsItalic : 0) |
                 (format.fontUnderline() ? wpsUnderline : 0) | (format.fontStrikeOut() ? wpsStrikeOut : 0);
    const TColor color =
        format.hasProperty(QTextFormat::ForegroundBrush) ? ColorFromQColor(format.foreground().color()) : clBlack;
    attr.ColorIndex = 0;
    for (int i = 0; i < TextColorCount; ++i) {
        if (TextColors[i] == color)
            attr.ColorIndex = i;
    }
    return attr;
}

void TWPRichText::SetCurrentAttr(const TWPCharAttr& attr)
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{FontName(attr.FontIndex)});
    format.setFontPointSize(std::max(1, attr.Size));
    format.setFontWeight(attr.Style & wpsBold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(attr.Style & wpsItalic);
    format.setFontUnderline(attr.Style & wpsUnderline);
    format.setFontStrikeOut(attr.Style & wpsStrikeOut);
    format.setForeground(ColorToQColor(TextColor(attr.ColorIndex)));
    QTextCursor cursor = TextCursor();
    cursor.mergeCharFormat(format);
    SetTextCursor(cursor);
}

int TWPRichText::FontIndex(const QString& name)
{
    for (int i = 0; i < m_FontTable.size(); ++i) {
        if (m_FontTable[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    m_FontTable += name;
    return int(m_FontTable.size()) - 1;
}

QString TWPRichText::FontName(int index) const
{
    return m_FontTable.value(index, m_FontTable.first());
}

TColor TWPRichText::TextColor(int index)
{
    return index >= 0 && index < TextColorCount ? TextColors[index] : clBlack;
}

bool TWPRichText::event(QEvent* event)
{
    // Checked before QGraphicsView hands every Tab to the text.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && (key->modifiers() & Qt::ControlModifier))
            return focusNextPrevChild(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
    }
    return QGraphicsView::event(event);
}

void TWPRichText::keyPressEvent(QKeyEvent* event)
{
    // The clipboard carries RTF, so text keeps its formatting between editors and programs.
    if (event == QKeySequence::Copy)
        Copy();
    else if (event == QKeySequence::Cut)
        Cut();
    else if (event == QKeySequence::Paste)
        Paste();
    else
        QGraphicsView::keyPressEvent(event);
    emit CurrentFormatChanged();
}

bool TWPRichText::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        // A click on the page beside or below the text puts the caret at the nearest place.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPointF point = m_Item->mapFromScene(mapToScene(mouse->position().toPoint()));
        const QRectF bounds = m_Item->boundingRect();
        if (!bounds.contains(point)) {
            const QPointF nearest(std::clamp(point.x(), 0.0, std::max(0.0, bounds.width() - 1)),
                                  std::clamp(point.y(), 0.0, std::max(0.0, bounds.height() - 1)));
            const int position = m_Text.Document().documentLayout()->hitTest(nearest, Qt::FuzzyHit);
            QTextCursor cursor(&m_Text.Document());
            cursor.setPosition(std::max(0, position));
            setFocus(Qt::MouseFocusReason);
            m_Scene->setFocusItem(m_Item);
            SetTextCursor(cursor);
            return true;
        }
    }
    const bool result = QGraphicsView::viewportEvent(event);
    if (IsMouseEvent(event->type()))
        emit CurrentFormatChanged();
    return result;
}

void TWPRichText::focusInEvent(QFocusEvent* event)
{
    QGraphicsView::focusInEvent(event);
    m_Scene->setFocusItem(m_Item);
}

void TWPRichText::BindDocument()
{
    QTextDocument& document = m_Text.Document();
    m_Item->setDocument(&document);
    document.setUndoRedoEnabled(true);
    connect(&document, &QTextDocument::contentsChanged, this, &TWPRichText::Changed);
    connect(&document, &QTextDocument::contentsChanged, this, &TWPRichText::KeepCaretVisible);
    // A fresh caret takes its writing attributes from the text, not from the previous one.
    m_Item->setTextCursor(QTextCursor(&document));
    UpdateLayout();
}

void TWPRichText::UpdateLayout()
{
    const QRect text = m_Page.TextRect();
    m_Item->setTextWidth(text.width());
    m_Item->setPos(text.topLeft());
    const double zoom = m_Page.Zoom() / 100.0;
    setTransform(QTransform::fromScale(zoom, zoom));
    KeepCaretVisible();
}

void TWPRichText::KeepCaretVisible()
{
    const QRectF page(0, 0, TwipsToPixels(m_Page.PageWidth()), TwipsToPixels(m_Page.PageHeight()));
    m_Scene->setSceneRect(page.united(m_Item->mapRectToScene(m_Item->boundingRect())));
    ensureVisible(CaretRect(), 0, 0);
}

QRectF TWPRichText::CaretRect() const
{
    const QTextCursor cursor = m_Item->textCursor();
    const QTextBlock block = cursor.block();
    const QTextLayout* layout = block.layout();
    if (!layout)
        return {};
    const QTextLine line = layout->lineForTextPosition(cursor.positionInBlock());
    const QRectF caret = line.isValid() ? QRectF(layout->position().x() + line.cursorToX(cursor.positionInBlock()),
                                                 layout->position().y() + line.y(), 1, line.height())
                                        : layout->boundingRect().translated(layout->position());
    return m_Item->mapRectToScene(caret);
}
