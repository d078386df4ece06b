#include "effects/SuperTextGetSymbol.h"

#include "platformui/UiServices.h"
#include "platformui/Utility.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

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
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setWindowTitle("Symbol Selector");
    setFixedSize(530, 371);
    QFont dialogFont("Arial");
    dialogFont.setPointSize(8);
    setFont(dialogFont);

    auto* label = new QLabel("&Font", this);
    label->setGeometry(8, 10, 40, 20);
    m_SymbolSets = new QComboBox(this);
    m_SymbolSets->setObjectName("SymbolSets");
    m_SymbolSets->setGeometry(50, 8, 250, 24);
    m_SymbolSets->setToolTip("Select a symbol font set");
    label->setBuddy(m_SymbolSets);

    m_SymbolList = new QListWidget(this);
    m_SymbolList->setObjectName("SymbolList");
    m_SymbolList->setGeometry(8, 40, 514, 286);
    m_SymbolList->setViewMode(QListView::IconMode);
    m_SymbolList->setMovement(QListView::Static);
    m_SymbolList->setResizeMode(QListView::Adjust);
    m_SymbolList->setGridSize(QSize((514 - 20) / Columns, 36));
    for (int code = FirstCode; code <= LastCode; ++code) {
        auto* item = new QListWidgetItem(QString(QChar(code)), m_SymbolList);
        item->setTextAlignment(Qt::AlignCenter);
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
    ok->setGeometry(362, 336, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (!m_FontName.isEmpty() || !m_Symbol.isEmpty())
            accept();
    });
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("OKButton");
    cancel->setGeometry(446, 336, 75, 25);
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

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
