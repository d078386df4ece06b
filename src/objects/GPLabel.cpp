#include "objects/GPLabel.h"

#include "objects/GetLabelText.h"
#include "platformui/UiServices.h"

#include <QMenu>
#include <iterator>

namespace {

// The menu tag of the "Text" item.
constexpr int TextItemTag = 1000;

struct TRotationItem {
    int Angle;
    const char* Caption;
};

constexpr TRotationItem RotationItems[] = {
    {0, "No Rotation"}, {90, "90 Degrees"}, {180, "180 Degrees"}, {270, "270 Degrees"}};

} // namespace

TGPLabel::TGPLabel(TComponent* owner)
    : TGBaseLabel(owner)
{
}

void TGPLabel::FillObjectMenu(QMenu& menu)
{
    TGBaseLabel::FillObjectMenu(menu);
    menu.addSeparator();
    QAction* text = AddMenuItem(menu, "Text", [this] { EditText(); });
    text->setData(TextItemTag);
    menu.addSeparator();
    QMenu* rotation = menu.addMenu("Rotation");
    for (size_t i = 0; i < std::size(RotationItems); ++i) {
        const int angle = RotationItems[i].Angle;
        m_RotationItems[i] = AddMenuItem(*rotation, RotationItems[i].Caption, [this, angle] {
            const int before = Angle();
            SetAngle(angle);
            // A turn that keeps the box size changes no bounds, so nothing else reports it.
            if (Angle() != before)
                Changed();
        });
        m_RotationItems[i]->setCheckable(true);
    }
}

void TGPLabel::PopupMenuOpening()
{
    TGBaseLabel::PopupMenuOpening();
    for (size_t i = 0; i < std::size(RotationItems); ++i) {
        if (m_RotationItems[i])
            m_RotationItems[i]->setChecked(RotationItems[i].Angle == Angle());
    }
}

bool TGPLabel::ChooseFont()
{
    if (!TGBaseLabel::ChooseFont())
        return false;
    AutoGrow();
    return true;
}

void TGPLabel::EditText()
{
    TGetLabelText dialog(DialogParent());
    dialog.SetText(Caption());
    if (UiServices().ExecDialog(dialog) != QDialog::Accepted)
        return;
    SetCaption(dialog.Text());
    AutoGrow();
    update();
}

void TGPLabel::BeginEdit()
{
    EditText();
}
