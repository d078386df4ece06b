#include "objects/SmartImage.h"

#include "imaging/ImageFile.h"

#include <QBitmap>
#include <QFile>
#include <QPainter>

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
    m_Transparent = value;
    update();
}

void TSmartImage::ApplyAutoSize()
{
    if (m_AutoSize && m_Picture.Width() > 0 && m_Picture.Height() > 0)
        resize(m_Picture.Size());
}

QRect TSmartImage::DestinationRect(QSize client) const
{
    const QSize source = m_Picture.Size();
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
