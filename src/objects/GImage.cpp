#include "objects/GImage.h"

#include "objects/GBasePanel.h"
#include "objects/GImageBrowser.h"
#include "platform/Lines.h"
#include "platform/ScreenPpi.h"
#include "platformui/UiServices.h"
#include "print/ReportPrinter.h"

#include <QMenu>
#include <QPainter>

TGImage::TGImage(TComponent* owner)
    : TGGraphicControl(owner)
{
    SetBounds(Left(), Top(), 105, 105);
    m_Picture.OnChange = [this] { PictureChanged(); };
}

void TGImage::PublishProperties(TPropertyList& list)
{
    TGGraphicControl::PublishProperties(list);
    list.AddBoolean(
        "AutoSize", [this] { return m_AutoSize; }, [this](bool v) { SetAutoSize(v); }, false);
    list.AddEnumeration(
        "BorderStyle", BorderStyleNames(), [this] { return m_BorderStyle; },
        [this](qint64 v) { SetBorderStyle(TBorderStyle(v)); }, NoDefault);
    list.AddObject("Picture", m_Picture);
    list.AddBoolean(
        "Stretch", [this] { return m_Stretch; }, [this](bool v) { SetStretch(v); }, true);
}

void TGImage::Loaded()
{
    TGGraphicControl::Loaded();
    BoundsChanged();
}

void TGImage::FillObjectMenu(QMenu& menu)
{
    TGGraphicControl::FillObjectMenu(menu);
    menu.addSeparator();
    AddMenuItem(menu, "Load Image From Disk", [this] { LoadImage(); });
    menu.addSeparator();
    m_BorderItem =
        AddMenuItem(menu, "Border", [this] { SetBorderStyle(m_BorderStyle == bsSingle ? bsNone : bsSingle); });
    m_StretchItem = AddMenuItem(menu, "Stretch to Fit", [this] {
        SetStretch(!m_Stretch);
        NotifyChanged(); // a stored setting changed
    });
    m_AutoSizeItem = AddMenuItem(menu, "AutoSize", [this] { SetAutoSize(!m_AutoSize); });
    for (QAction* item : {m_BorderItem, m_StretchItem, m_AutoSizeItem})
        item->setCheckable(true);
    PopupMenuOpening();
}

void TGImage::PopupMenuOpening()
{
    if (!m_BorderItem)
        return;
    m_BorderItem->setChecked(m_BorderStyle == bsSingle);
    m_StretchItem->setChecked(m_Stretch);
    m_AutoSizeItem->setChecked(m_AutoSize);
}

void TGImage::BoundsChanged()
{
    TGGraphicControl::BoundsChanged();
    const TPicture& picture = Picture();
    if (m_AutoSize && picture.Width() > 0 && picture.Height() > 0)
        SetBounds(Left(), Top(), int(qRound(picture.Width() * double(Zoom()))),
                  int(qRound(picture.Height() * double(Zoom()))));
}

void TGImage::SetStretch(bool value)
{
    m_Stretch = value;
    m_AutoSize = !value;
    update();
}

void TGImage::SetAutoSize(bool value)
{
    m_AutoSize = value;
    m_Stretch = !value;
    PictureChanged();
    if (!IsLoading() && !IsReading())
        NotifyChanged();
}

void TGImage::SetBorderStyle(TBorderStyle value)
{
    if (value == m_BorderStyle)
        return;
    m_BorderStyle = value;
    update();
    if (!IsLoading() && !IsReading())
        NotifyChanged();
}

void TGImage::PictureChanged()
{
    if (!IsLoading() && !IsReading())
        BoundsChanged();
    // A bitmap of exactly the box covers it: nothing beneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent, Picture().IsBitmap() && Picture().Size() == size());
    update();
}

void TGImage::LoadImage()
{
    TGImageBrowser browser(parentWidget() ? window() : nullptr);
    browser.SetStretchChecked(m_Stretch);
    browser.SetAutoSizeChecked(m_AutoSize);
    if (UiServices().ExecDialog(browser) != QDialog::Accepted || browser.FileName().isEmpty())
        return;
    // A file the preview could not read (the browser has said so for bitmaps and metafiles)
    // would leave the object empty: it keeps its picture.
    if (browser.PreviewPicture().IsEmpty())
        return;
    SetPicture(browser.PreviewPicture());
    TGImageBrowser::RememberFolderOf(browser.FileName());
    // Through the setters, so that AutoSize wins and the two always differ, even when both
    // boxes were left unticked.
    SetStretch(browser.StretchChecked());
    SetAutoSize(browser.AutoSizeChecked());
}

void TGImage::Draw(QPainter& painter, QSize size, bool withBorder) const
{
    const QRect box(QPoint(0, 0), size);
    if (Picture().IsEmpty()) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::white);
        DrawRectangle(painter, {0, 0, size.width(), size.height()});
    } else {
        Picture().Draw(painter, box);
    }
    if (withBorder && m_BorderStyle == bsSingle) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        DrawRectangle(painter, {0, 0, size.width(), size.height()});
    }
}

void TGImage::Paint(QPainter& painter)
{
    if (TGBasePanel* host = Host(); host && host->PaintingSuspended())
        return;
    Draw(painter, size(), true);
}

void TGImage::PrintTo(TReportPrinter& report, double x, double y)
{
    const QRect bounds = DocumentBounds();
    const double ppi = ScreenPpi();
    const QRectF inches(
        QPointF(x + bounds.left() / ppi, y + bounds.top() / ppi),
        QPointF(x + (bounds.left() + bounds.width()) / ppi, y + (bounds.top() + bounds.height()) / ppi));
    const TPicture& picture = Picture();
    if (picture.IsMetafile()) {
        PrintRecorded(report, x, y, bounds.size(),
                      [&](QPainter& painter) { picture.Draw(painter, QRect(QPoint(0, 0), bounds.size())); });
    } else if (!picture.Image().isNull() && !bounds.isEmpty()) {
        // Rendered at the object's size, as on screen, then stretched onto its place.
        QImage rendered(bounds.size(), QImage::Format_RGB32);
        rendered.fill(Qt::white);
        QPainter painter(&rendered);
        picture.Draw(painter, rendered.rect());
        painter.end();
        report.StretchDraw(inches, rendered);
    }
    if (m_BorderStyle == bsSingle) {
        report.SetPen(Qt::black, Qt::SolidLine, 1);
        report.SetBrush(Qt::white, Qt::NoBrush);
        report.Rectangle(inches.left(), inches.top(), inches.right(), inches.bottom());
    }
}
