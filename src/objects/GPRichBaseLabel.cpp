#include "objects/GPRichBaseLabel.h"

#include "objects/GBasePanel.h"
#include "objects/RichTextLabelEditor.h"
#include "objects/Zoom.h"
#include "platform/Lines.h"
#include "platform/ScreenPpi.h"
#include "platformui/UiServices.h"
#include "platformui/Utility.h"
#include "richtext/WPRichText.h"
#include "richtext/WPRtfStorage.h"
#include "stream/IdentTable.h"

#include <QMenu>
#include <QPainter>
#include <QScopeGuard>

namespace {

// A length in screen pixels as twips, truncated.
int PixelsAsTwips(int pixels)
{
    return int(double(pixels) / ScreenPpi() * 1440);
}

bool IsWindow(const TComponent& component)
{
    const auto* widget = dynamic_cast<const QWidget*>(&component);
    return widget && widget->isWindow();
}

} // namespace

ENoMasterWPRich::ENoMasterWPRich()
    : EMervaneError("No master rich text object found")
{
}

TWPRichText* CreateMasterRichText(TComponent& form)
{
    auto* master = new TWPRichText(&form);
    master->SetName(MasterRichTextName);
    master->setObjectName(MasterRichTextName);
    master->hide();
    return master;
}

TGPRichBaseLabel::TGPRichBaseLabel(TComponent* owner)
    : TGGraphicControl(owner)
    , m_Storage(new TWPRtfStorage(this))
{
    SetBounds(0, 0, 190, 33);
}

void TGPRichBaseLabel::PublishProperties(TPropertyList& list)
{
    TGGraphicControl::PublishProperties(list);
    list.AddObject("RTFText", m_Storage->RtfText());
    list.AddEnumeration(
        "BorderStyle", BorderStyleNames(), [this] { return m_BorderStyle; },
        [this](qint64 v) { SetBorderStyle(TBorderStyle(v)); }, NoDefault);
    list.AddBoolean(
        "Transparent", [this] { return m_Transparent; }, [this](bool v) { SetTransparent(v); }, NoDefault);
    list.AddIdentInteger(
        "BGColor", ColorIdents(), [this] { return m_BGColor; }, [this](qint64 v) { SetBGColor(TColor(v)); }, NoDefault);
}

TWPRichText* TGPRichBaseLabel::FindMaster(const TComponent& component)
{
    const TComponent* form = component.Owner();
    if (!form) {
        const auto* object = dynamic_cast<const TGGraphicControl*>(&component);
        form = object ? object->Host() : nullptr;
    }
    while (form && !IsWindow(*form))
        form = form->Owner();
    if (!form)
        return nullptr;
    for (TComponent* owned : form->Components()) {
        auto* editor = dynamic_cast<TWPRichText*>(owned);
        if (editor && editor->Name().toUpper() == MasterRichTextName)
            return editor;
    }
    return nullptr;
}

TWPRichText* TGPRichBaseLabel::Master() const
{
    return m_Master;
}

void TGPRichBaseLabel::Loaded()
{
    TGGraphicControl::Loaded();
    if (!IsReading()) {
        m_Master = FindMaster(*this);
        if (!m_Master)
            throw ENoMasterWPRich();
    }
    OnEdit = [this](TComponent*) { Edit(); };
}

void TGPRichBaseLabel::FillObjectMenu(QMenu& menu)
{
    TGGraphicControl::FillObjectMenu(menu);
    menu.addSeparator();
    m_TransparentItem = AddMenuItem(menu, "Transparent", [this] { SetTransparent(!m_Transparent); });
    m_TransparentItem->setCheckable(true);
    AddMenuItem(menu, "Background Color", [this] { ChooseBackgroundColor(); });
    m_BorderItem =
        AddMenuItem(menu, "Border", [this] { SetBorderStyle(m_BorderStyle == bsSingle ? bsNone : bsSingle); });
    m_BorderItem->setCheckable(true);
    AddMenuItem(menu, "Edit", [this] { Edit(); });
}

void TGPRichBaseLabel::PopupMenuOpening()
{
    if (!m_TransparentItem)
        return;
    m_TransparentItem->setChecked(m_Transparent);
    m_BorderItem->setChecked(m_BorderStyle == bsSingle);
}

void TGPRichBaseLabel::Changed()
{
    if (!IsLoading() && !IsReading())
        NotifyChanged();
}

const TWPRtfText& TGPRichBaseLabel::RTFText() const
{
    return m_Storage->RtfText();
}

void TGPRichBaseLabel::SetRTFText(const TWPRtfText& value)
{
    m_Storage->RtfText().Assign(value);
    update();
    Changed();
}

void TGPRichBaseLabel::SetBGColor(TColor value)
{
    StoreProperty(m_BGColor, value);
}

// Only the look on screen changes: the background shows through or not, and the document is not
// marked modified.
void TGPRichBaseLabel::SetTransparent(bool value)
{
    StoreLook(m_Transparent, value);
}

void TGPRichBaseLabel::SetBorderStyle(TBorderStyle value)
{
    StoreProperty(m_BorderStyle, value);
}

void TGPRichBaseLabel::ChooseBackgroundColor()
{
    QColor color = ColorToQColor(m_BGColor);
    if (!UiServices().ChooseColor(color))
        return;
    SetBGColor(ColorFromQColor(color));
    // Choosing the colour it already has still counts as a change, as the colour was chosen.
    NotifyChanged();
    SetTransparent(false);
    update();
}

void TGPRichBaseLabel::Draw(QPainter& painter, QSize size, int zoomPercent)
{
    if (!m_Master)
        return;
    const TColor background = m_Transparent ? clWhite : m_BGColor;
    if (!m_Transparent)
        painter.fillRect(QRect(QPoint(0, 0), size), ColorToQColor(m_BGColor));
    m_Master->SetBackgroundColor(background);
    m_Master->SetZoom(zoomPercent);
    // The page is the label at zoom 1.0, so that the text wraps where it does in print.
    m_Master->SetPageSize(PixelsAsTwips(DocumentBounds().width()), PixelsAsTwips(DocumentBounds().height()));
    m_Master->SetMargins(0, 0, 0, 0);
    // The master lays the label's own text out on its page: the text keeps its layout between
    // paints instead of being copied into the master each time.
    m_Master->RenderPage(m_Storage->RtfText(), painter, QRect(QPoint(0, 0), size));
    if (m_BorderStyle == bsSingle) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        DrawRectangle(painter, {0, 0, size.width(), size.height()});
    }
}

void TGPRichBaseLabel::Paint(QPainter& painter)
{
    if (TGBasePanel* host = Host(); host && host->PaintingSuspended())
        return;
    Draw(painter, size(), TZoom::OfFactor(Zoom()).Percent());
}

void TGPRichBaseLabel::PrintTo(TReportPrinter& report, double x, double y)
{
    const QSize size = DocumentBounds().size();
    PrintRecorded(report, x, y, size, [this, size](QPainter& painter) { Draw(painter, size, 100); });
}

void TGPRichBaseLabel::Edit()
{
    BusyCursor();
    const auto normalCursor = qScopeGuard([] { NormalCursor(); });
    TRichTextLabelEditor dialog(parentWidget() ? window() : nullptr);
    TWPRichText& editor = dialog.WPRichText1();
    editor.SetText(m_Storage->RtfText());
    if (!m_Transparent) {
        QPalette palette = dialog.WPPanel().palette();
        palette.setColor(QPalette::Window, ColorToQColor(m_BGColor));
        dialog.WPPanel().setPalette(palette);
        editor.SetBackgroundColor(m_BGColor);
    }
    dialog.WPPanel().resize(Width() + 1, Height() + 1);
    editor.SetPageSize(PixelsAsTwips(DocumentBounds().width()), PixelsAsTwips(DocumentBounds().height()));
    editor.SetMargins(0, 0, 0, 0);
    editor.SetZoom(TZoom::OfFactor(Zoom()).Percent());
    if (UiServices().ExecDialog(dialog) == QDialog::Accepted)
        SetRTFText(editor.Text());
}
