#include "objects/SmartImage.h"

#include "imaging/ImageFile.h"

#include <QBitmap>
#include <QEvent>
#include <QFile>
#include <QPainter>

namespace {

// The icon `icon` with every fully transparent pixel that touches an opaque one (sideways or
// diagonally) in `outline`; the other transparent pixels stay transparent.
QImage OutlinedIcon(const QImage& icon, const QColor& outline)
{
    const QImage source = icon.convertToFormat(QImage::Format_ARGB32);
    QImage result = source;
    const int width = source.width();
    const int height = source.height();
    const auto opaque = [&source, width, height](int x, int y) {
        return x >= 0 && y >= 0 && x < width && y < height && qAlpha(source.pixel(x, y)) != 0;
    };
    const QRgb outlineRgb = outline.rgb(); // fully opaque
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (opaque(x, y))
                continue;
            bool edge = false;
            for (int dy = -1; dy <= 1 && !edge; ++dy)
                for (int dx = -1; dx <= 1 && !edge; ++dx)
                    edge = opaque(x + dx, y + dy);
            if (edge)
                result.setPixel(x, y, outlineRgb);
        }
    }
    return result;
}

} // namespace

TSmartImage::TSmartImage(QWidget* parent)
    : QWidget(parent)
{
    resize(105, 105);
}

bool TSmartImage::LoadFromFile(const QString& fileName)
{
    QFile file(fileName);
    QImage image;
    if (file.open(QIODevice::ReadOnly))
        image = DecodeImageFile(file.readAll(), ImageFileType(fileName));
    SetPicture(TPicture::FromImage(image));
    return !image.isNull();
}

void TSmartImage::SetPicture(const TPicture& picture)
{
    m_Picture = picture;
    RebuildPrivateBitmap();
    ApplyAutoSize();
    update();
}

void TSmartImage::SetAutoSize(bool value)
{
    m_AutoSize = value;
    ApplyAutoSize();
    update();
}

void TSmartImage::SetStretch(bool value)
{
    m_Stretch = value;
    update();
}

void TSmartImage::SetMaintainAspect(bool value)
{
    m_MaintainAspect = value;
    update();
}

void TSmartImage::SetCenter(bool value)
{
    m_Center = value;
    update();
}

void TSmartImage::SetTransparent(bool value)
{
    if (HoldsIcon())
        return;
    m_Transparent = value;
    update();
}

void TSmartImage::RebuildPrivateBitmap()
{
    // The control draws its background in the palette's window colour (its background role), so
    // that is the colour of the outline.
    m_PrivateBitmap = HoldsIcon() && !m_Picture.Image().isNull()
                          ? OutlinedIcon(m_Picture.Image(), palette().color(backgroundRole()))
                          : QImage();
}

void TSmartImage::changeEvent(QEvent* event)
{
    // The control's own colour, the parent's colour passed down and the system colours all
    // arrive as a palette change.
    if (event->type() == QEvent::PaletteChange) {
        RebuildPrivateBitmap();
        update();
    }
    QWidget::changeEvent(event);
}

QSize TSmartImage::SourceSize() const
{
    return m_PrivateBitmap.isNull() ? m_Picture.Size() : m_PrivateBitmap.size();
}

void TSmartImage::ApplyAutoSize()
{
    const QSize source = SourceSize();
    if (m_AutoSize && source.width() > 0 && source.height() > 0)
        resize(source);
}

QRect TSmartImage::DestinationRect(QSize client) const
{
    const QSize source = SourceSize();
    if (source.width() <= 0 || source.height() <= 0)
        return {};
    if (m_Stretch && m_MaintainAspect) {
        // The largest rectangle of the picture's aspect inside the client area.
        QSize size = client;
        if (qint64(client.width()) * source.height() <= qint64(client.height()) * source.width())
            size.setHeight(int(qRound64(double(client.width()) * source.height() / source.width())));
        else
            size.setWidth(int(qRound64(double(client.height()) * source.width() / source.height())));
        QPoint at(0, 0);
        if (m_Center)
            at = QPoint((client.width() - size.width()) / 2, (client.height() - size.height()) / 2);
        return QRect(at, size);
    }
    if (m_Stretch)
        return QRect(QPoint(0, 0), client);
    if (m_Center)
        return QRect(QPoint((client.width() - source.width()) / 2, (client.height() - source.height()) / 2), source);
    return QRect(QPoint(0, 0), source);
}

void TSmartImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect target = DestinationRect(size());
    if (target.isEmpty())
        return;
    if (!m_PrivateBitmap.isNull()) {
        // The outlined icon: its transparent pixels let the background through.
        painter.drawImage(target, m_PrivateBitmap);
        return;
    }
    if (!m_Transparent || m_Picture.Image().isNull()) {
        m_Picture.Draw(painter, target);
        return;
    }
    // Pixels of the top-left pixel's colour let the background show through.
    const QImage& image = m_Picture.Image();
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(image.pixel(0, 0), Qt::MaskInColor)));
    painter.drawPixmap(target, pixmap);
}
