#include "richtext/WPToolBar.h"

#include "richtext/FontNameBox.h"
#include "richtext/WPRichText.h"

#include <QActionGroup>
#include <QComboBox>
#include <QPainter>
#include <QPixmap>
#include <cmath>

namespace {

const int FontSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

const char* const ColorNames[TWPRichText::TextColorCount] = {"Black",  "Blue",  "Aqua", "Lime",  "Fuchsia", "Red",
                                                             "Yellow", "White", "Navy", "Teal",  "Green",   "Purple",
                                                             "Maroon", "Olive", "Gray", "Silver"};

QIcon Swatch(TColor color)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(ColorToQColor(color));
    QPainter painter(&pixmap);
    painter.setPen(Qt::gray);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

} // namespace

TWPToolBar::TWPToolBar(QWidget* parent)
    : QToolBar(parent)
    , m_FontName(new TFontNameBox(this))
    , m_FontSize(new QComboBox(this))
    , m_FontColor(new QComboBox(this))
{
    setObjectName("TWPToolBar");
    m_FontName->setObjectName("FontName");
    m_FontName->setToolTip("Font");
    addWidget(m_FontName);
    connect(m_FontName, &QComboBox::textActivated, this, &TWPToolBar::ApplyFontName);

    m_FontSize->setObjectName("FontSize");
    m_FontSize->setToolTip("Font size");
    for (int size : FontSizes)
        m_FontSize->addItem(QString::number(size), size);
    addWidget(m_FontSize);
    connect(m_FontSize, &QComboBox::activated, this, &TWPToolBar::ApplyFontSize);

    m_FontColor->setObjectName("FontColor");
    m_FontColor->setToolTip("Text colour");
    for (int i = 0; i < TWPRichText::TextColorCount; ++i)
        m_FontColor->addItem(Swatch(TWPRichText::TextColor(i)), ColorNames[i], TWPRichText::TextColor(i));
    addWidget(m_FontColor);
    connect(m_FontColor, &QComboBox::activated, this, &TWPToolBar::ApplyColor);

    addSeparator();
    m_Bold = AddAction("Bold", "B", "Bold", true);
    m_Italic = AddAction("Italic", "I", "Italic", true);
    m_Underline = AddAction("Underline", "U", "Underline", true);
    for (QAction* action : {m_Bold, m_Italic, m_Underline})
        connect(action, &QAction::triggered, this, [this, action] { ApplyStyle(action); });
    QFont bold = m_Bold->font();
    bold.setBold(true);
    m_Bold->setFont(bold);
    QFont italic = m_Italic->font();
    italic.setItalic(true);
    m_Italic->setFont(italic);
    QFont underline = m_Underline->font();
    underline.setUnderline(true);
    m_Underline->setFont(underline);

    addSeparator();
    auto* alignment = new QActionGroup(this);
    m_AlignLeft = AddAction("AlignLeft", "Left", "Align left", true);
    m_AlignCenter = AddAction("AlignCenter", "Centre", "Centre", true);
    m_AlignRight = AddAction("AlignRight", "Right", "Align right", true);
    for (QAction* action : {m_AlignLeft, m_AlignCenter, m_AlignRight}) {
        alignment->addAction(action);
        connect(action, &QAction::triggered, this, [this, action] { ApplyAlignment(action); });
    }

    addSeparator();
    connect(AddAction("Copy", "Copy", "Copy", false), &QAction::triggered, this, [this] {
        if (m_Editor)
            m_Editor->Copy();
    });
    connect(AddAction("Cut", "Cut", "Cut", false), &QAction::triggered, this, [this] {
        if (m_Editor)
            m_Editor->Cut();
    });
    connect(AddAction("Paste", "Paste", "Paste", false), &QAction::triggered, this, [this] {
        if (m_Editor)
            m_Editor->Paste();
    });
    connect(AddAction("SelectAll", "All", "Select all", false), &QAction::triggered, this, [this] {
        if (m_Editor)
            m_Editor->SelectAll();
    });
}

void TWPToolBar::Attach(TWPRichText* editor)
{
    disconnect(m_EditorConnection);
    m_Editor = editor;
    if (editor) {
        m_EditorConnection = connect(editor, &TWPRichText::CurrentFormatChanged, this, &TWPToolBar::ShowAttributes);
        ShowAttributes();
    }
}

QAction* TWPToolBar::AddAction(const QString& name, const QString& text, const QString& hint, bool checkable)
{
    QAction* action = addAction(text);
    action->setObjectName(name);
    action->setToolTip(hint);
    action->setCheckable(checkable);
    return action;
}

void TWPToolBar::ShowAttributes()
{
    if (!m_Editor)
        return;
    const QTextCharFormat format = m_Editor->CurrentCharFormat();
    const QFont defaultFont = m_Editor->Text().Document().defaultFont();
    const QStringList families = format.fontFamilies().toStringList();
    m_FontName->SetCurrentFamily(families.isEmpty() ? defaultFont.family() : families.first());
    const double points =
        format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : defaultFont.pointSizeF();
    m_FontSize->setCurrentIndex(m_FontSize->findData(int(std::lround(points))));
    const TColor color =
        format.hasProperty(QTextFormat::ForegroundBrush) ? ColorFromQColor(format.foreground().color()) : clBlack;
    m_FontColor->setCurrentIndex(m_FontColor->findData(color));
    m_Bold->setChecked(format.fontWeight() >= QFont::DemiBold);
    m_Italic->setChecked(format.fontItalic());
    m_Underline->setChecked(format.fontUnderline());
    const Qt::Alignment alignment = m_Editor->CurrentAlignment();
    m_AlignCenter->setChecked(alignment & Qt::AlignHCenter);
    m_AlignRight->setChecked(alignment & Qt::AlignRight);
    m_AlignLeft->setChecked(!(alignment & (Qt::AlignHCenter | Qt::AlignRight)));
}

void TWPToolBar::ApplyFontName(const QString& name)
{
    if (!m_Editor)
        return;
    QTextCharFormat format;
    format.setFontFamilies(QStringList{name});
    m_Editor->MergeCharFormat(format);
    m_Editor->setFocus();
}

void TWPToolBar::ApplyFontSize(int index)
{
    if (!m_Editor || index < 0)
        return;
    QTextCharFormat format;
    format.setFontPointSize(m_FontSize->itemData(index).toInt());
    m_Editor->MergeCharFormat(format);
    m_Editor->setFocus();
}

void TWPToolBar::ApplyColor(int index)
{
    if (!m_Editor || index < 0)
        return;
    QTextCharFormat format;
    format.setForeground(ColorToQColor(TColor(m_FontColor->itemData(index).toInt())));
    m_Editor->MergeCharFormat(format);
    m_Editor->setFocus();
}

void TWPToolBar::ApplyStyle(QAction* action)
{
    if (!m_Editor)
        return;
    QTextCharFormat format;
    if (action == m_Bold)
        format.setFontWeight(action->isChecked() ? QFont::Bold : QFont::Normal);
    else if (action == m_Italic)
        format.setFontItalic(action->isChecked());
    else
        format.setFontUnderline(action->isChecked());
    m_Editor->MergeCharFormat(format);
    m_Editor->setFocus();
}

void TWPToolBar::ApplyAlignment(QAction* action)
{
    if (!m_Editor)
        return;
    m_Editor->SetAlignment(action == m_AlignCenter  ? Qt::AlignHCenter
                           : action == m_AlignRight ? Qt::AlignRight
                                                    : Qt::AlignLeft);
    m_Editor->setFocus();
}
