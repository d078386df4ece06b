#include "platformui/FontDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

enum TStyleEntry { seRegular, seItalic, seBold, seBoldItalic };

// Scalable fonts only: a page is drawn at every zoom and printed at the printer's resolution.
QStringList ScalableFamilies(const QString& given)
{
    QStringList families;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isScalable(family) && !QFontDatabase::isPrivateFamily(family))
            families += family;
    }
    // A name that only a substitute answers to is not among the families, yet it is the font's
    // name: it is listed so that the dialog can start on it.
    if (!given.isEmpty() && !families.contains(given, Qt::CaseInsensitive))
        families += given;
    families.sort(Qt::CaseInsensitive);
    return families;
}

} // namespace

TFontDialog::TFontDialog(const TFontChoice& initial, QWidget* parent)
    : QDialog(parent)
    , m_Initial(initial)
    , m_Color(initial.Color)
{
    setWindowTitle("Font");
    const QFont& font = initial.Font;

    m_Name = new QComboBox(this);
    m_Name->setObjectName("FontName");
    m_Name->addItems(ScalableFamilies(font.family()));
    m_Name->setCurrentIndex(m_Name->findText(font.family(), Qt::MatchFixedString));

    m_Style = new QComboBox(this);
    m_Style->setObjectName("FontStyle");
    m_Style->addItems({"Regular", "Italic", "Bold", "Bold Italic"});
    m_Style->setCurrentIndex((font.bold() ? seBold : seRegular) + (font.italic() ? 1 : 0));

    m_Size = new QComboBox(this);
    m_Size->setObjectName("FontSize");
    m_Size->setEditable(true);
    m_Size->setValidator(new QIntValidator(1, 1638, m_Size));
    for (int size : QFontDatabase::standardSizes())
        m_Size->addItem(QString::number(size));
    const int points = font.pointSize() > 0 ? font.pointSize() : 0;
    m_Size->setCurrentText(points > 0 ? QString::number(points) : QString());

    m_Underline = new QCheckBox("&Underline", this);
    m_Underline->setObjectName("Underline");
    m_Underline->setChecked(font.underline());
    m_Strikeout = new QCheckBox("Stri&keout", this);
    m_Strikeout->setObjectName("Strikeout");
    m_Strikeout->setChecked(font.strikeOut());

    m_ColorButton = new QPushButton(this);
    m_ColorButton->setObjectName("ColorButton");
    connect(m_ColorButton, &QPushButton::clicked, this, [this] { ChooseColorClick(); });

    m_Sample = new QLabel("AaBbYyZz", this);
    m_Sample->setObjectName("Sample");
    m_Sample->setAlignment(Qt::AlignCenter);
    m_Sample->setMinimumSize(220, 60);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okbutton");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow("&Font:", m_Name);
    form->addRow("Font st&yle:", m_Style);
    form->addRow("&Size:", m_Size);
    form->addRow("Effects:", m_Underline);
    form->addRow("", m_Strikeout);
    form->addRow("&Color:", m_ColorButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_Sample);
    layout->addWidget(buttons);

    ShowColor();
    // Connected after the controls show the given font: only the user's changes count.
    connect(m_Name, &QComboBox::currentIndexChanged, this, [this] { Changed(); });
    connect(m_Style, &QComboBox::currentIndexChanged, this, [this] { Changed(); });
    connect(m_Size, &QComboBox::currentTextChanged, this, [this] { Changed(); });
    connect(m_Underline, &QCheckBox::toggled, this, [this] { Changed(); });
    connect(m_Strikeout, &QCheckBox::toggled, this, [this] { Changed(); });
}

TFontChoice TFontDialog::Choice() const
{
    return m_Changed ? ShownChoice() : m_Initial;
}

TFontChoice TFontDialog::ShownChoice() const
{
    QFont font = m_Initial.Font;
    font.setFamily(m_Name->currentText());
    const int style = m_Style->currentIndex();
    font.setBold(style == seBold || style == seBoldItalic);
    font.setItalic(style == seItalic || style == seBoldItalic);
    if (const int points = m_Size->currentText().toInt(); points > 0)
        font.setPointSize(points);
    font.setUnderline(m_Underline->isChecked());
    font.setStrikeOut(m_Strikeout->isChecked());
    return {font, m_Color};
}

void TFontDialog::Changed()
{
    m_Changed = true;
    ShowColor();
}

void TFontDialog::ChooseColorClick()
{
    QColor color = m_Color;
    if (!UiServices().ChooseColor(color))
        return;
    m_Color = color;
    Changed();
}

void TFontDialog::ShowColor()
{
    const TFontChoice shown = ShownChoice();
    m_ColorButton->setText(shown.Color.name());
    QPalette palette = m_Sample->palette();
    palette.setColor(QPalette::WindowText, shown.Color);
    m_Sample->setPalette(palette);
    m_Sample->setFont(shown.Font);
}
