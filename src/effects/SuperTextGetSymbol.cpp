#include "effects/SuperTextGetSymbol.h"

#include "platformui/UiServices.h"
#include "platformui/Utility.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int FirstCode = 32;
constexpr int LastCode = 255;
constexpr int Columns = 15;
constexpr int SymbolPixels = 24;

} // namespace

QStringList TSuperTextGetSymbol::SymbolFonts()
{
    QStringList names;
    for (const QString& family : QFontDatabase::families(QFontDatabase::Symbol)) {
        if (QFontDatabase::isScalable(family) && !QFontDatabase::isPrivateFamily(family))
            names += family;
    }
    names.sort(Qt::CaseInsensitive);
    names.removeDuplicates();
    return names;
}

int TSuperTextGetSymbol::PreferredFont(const QStringList& sortedNames)
{
    for (int i = 0; i < sortedNames.size(); ++i) {
        if (sortedNames[i].toUpper().contains("WINGDING"))
            return i;
    }
    return sortedNames.isEmpty() ? -1 : 0;
}

TSuperTextGetSymbol::TSuperTextGetSymbol(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setWindowTitle("Symbol Selector");
    QFont dialogFont("Arial");
    dialogFont.setPointSize(8);
    setFont(dialogFont);

    auto* label = new QLabel("&Font", this);
    m_SymbolSets = new QComboBox(this);
    m_SymbolSets->setObjectName("SymbolSets");
    m_SymbolSets->setMinimumSize(250, 24);
    m_SymbolSets->setToolTip("Select a symbol font set");
    label->setBuddy(m_SymbolSets);

    m_SymbolList = new QListWidget(this);
    m_SymbolList->setObjectName("SymbolList");
    m_SymbolList->setMinimumSize(514, 286);
    m_SymbolList->setViewMode(QListView::IconMode);
    m_SymbolList->setMovement(QListView::Static);
    m_SymbolList->setResizeMode(QListView::Adjust);
    const QSize cell((514 - 20) / Columns, 36);
    m_SymbolList->setGridSize(cell);
    for (int code = FirstCode; code <= LastCode; ++code) {
        auto* item = new QListWidgetItem(QString(QChar(code)), m_SymbolList);
        item->setTextAlignment(Qt::AlignCenter);
        // Each glyph stands in the middle of its whole cell: an item only as tall as the font's
        // line starts at the cell's top, where the top row's taller glyphs were cut.
        item->setSizeHint(cell);
    }
    connect(m_SymbolList, &QListWidget::currentItemChanged, this, [this] { Choose(); });
    connect(m_SymbolList, &QListWidget::itemDoubleClicked, this, [this] {
        Choose();
        if (!m_FontName.isEmpty() || !m_Symbol.isEmpty())
            accept();
    });

    auto* ok = new QPushButton("Ok", this);
    ok->setObjectName("CopyCharButton");
    ok->setToolTip("Copy the selected symbol to the label");
    ok->setMinimumSize(75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (!m_FontName.isEmpty() || !m_Symbol.isEmpty())
            accept();
    });
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("OKButton");
    cancel->setMinimumSize(75, 25);
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(label);
    fontRow->addWidget(m_SymbolSets);
    fontRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout;
    layout->addLayout(fontRow);
    layout->addWidget(m_SymbolList, 1);
    layout->addLayout(buttons);
    SetFormLayout(*this, layout, {530, 371});

    UseFont("Wingdings");
    const QStringList fonts = SymbolFonts();
    m_SymbolSets->addItems(fonts);
    const int preferred = PreferredFont(fonts);
    if (preferred < 0) {
        UiServices().ShowMessage("No Symbol fonts installed", "Information", TMessageIcon::Information);
    } else {
        m_FontsFound = true;
        m_SymbolSets->setCurrentIndex(preferred);
        UseFont(fonts[preferred]);
        m_SymbolList->setCurrentRow(0);
    }
    connect(m_SymbolSets, &QComboBox::currentTextChanged, this, [this](const QString& name) { UseFont(name); });
    CenterDialog(*this);
}

void TSuperTextGetSymbol::UseFont(const QString& name)
{
    QFont font(name);
    font.setPixelSize(SymbolPixels);
    m_SymbolList->setFont(font);
    m_FontName = name;
}

void TSuperTextGetSymbol::Choose()
{
    if (QListWidgetItem* item = m_SymbolList->currentItem())
        m_Symbol = item->text();
}

void TSuperTextGetSymbol::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Choose();
}
