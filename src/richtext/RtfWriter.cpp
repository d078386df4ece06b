#include "richtext/RtfWriter.h"

#include "platform/ScreenPpi.h"
#include "platform/Windows1252.h"
#include "richtext/RtfPicture.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>
#include <cmath>

namespace {

QByteArray Number(qint64 value)
{
    return QByteArray::number(value);
}

// Bytes in hex, 128 digits a line.
QByteArray HexLines(const QByteArray& bytes)
{
    QByteArray out;
    const QByteArray hex = bytes.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128)
        out += '\n' + hex.mid(i, 128);
    return out;
}

} // namespace

QByteArray TRtfWriter::Write(const QTextDocument& document)
{
    TRtfWriter writer(document);
    writer.CollectTables();
    return writer.Body();
}

TRtfWriter::TRtfWriter(const QTextDocument& document)
    : m_Document(document)
{
}

void TRtfWriter::CollectTables()
{
    m_Fonts += m_Document.defaultFont().family();
    for (QTextBlock block = m_Document.begin(); block.isValid(); block = block.next()) {
        QList<QTextCharFormat> formats{block.charFormat()};
        for (auto it = block.begin(); !it.atEnd(); ++it)
            formats += it.fragment().charFormat();
        for (const QTextCharFormat& format : formats) {
            const QString font = FontName(format);
            if (!m_Fonts.contains(font))
                m_Fonts += font;
            if (format.hasProperty(QTextFormat::ForegroundBrush)) {
                const QColor color = format.foreground().color();
                if (!m_Colors.contains(color))
                    m_Colors += color;
            }
        }
    }
}

QByteArray TRtfWriter::Body()
{
    m_Out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (int i = 0; i < m_Fonts.size(); ++i) {
        m_Out += "{\\f" + Number(i) + "\\fnil\\fcharset0 ";
        WriteText(m_Fonts[i]);
        m_Out += ";}";
    }
    m_Out += "}\n{\\colortbl ;";
    for (const QColor& color : m_Colors)
        m_Out +=
            "\\red" + Number(color.red()) + "\\green" + Number(color.green()) + "\\blue" + Number(color.blue()) + ';';
    m_Out += "}\n\\uc1";
    for (QTextBlock block = m_Document.begin(); block.isValid(); block = block.next())
        WriteBlock(block);
    m_Out += "}";
    return m_Out;
}

void TRtfWriter::WriteBlock(const QTextBlock& block)
{
    m_Out += "\\pard";
    const Qt::Alignment alignment = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter)
        m_Out += "\\qc";
    else if (alignment & Qt::AlignRight)
        m_Out += "\\qr";
    else if (alignment & Qt::AlignJustify)
        m_Out += "\\qj";
    else
        m_Out += "\\ql";
    m_LastFormat.clear();
    // An empty paragraph keeps its font and size: they give its line height.
    if (block.length() <= 1)
        WriteCharFormat(block.charFormat());
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        if (format.isImageFormat()) {
            // Each object replacement character of the fragment is one picture.
            for (int i = 0; i < fragment.length(); ++i)
                WritePicture(format.toImageFormat());
            continue;
        }
        WriteCharFormat(format);
        WriteText(fragment.text());
    }
    m_Out += "\\par\n";
}

void TRtfWriter::WriteCharFormat(const QTextCharFormat& format)
{
    QByteArray words = "\\plain\\f" + Number(FontIndex(format));
    const double points =
        format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : m_Document.defaultFont().pointSizeF();
    words += "\\fs" + Number(std::lround(points * 2));
    if (format.fontWeight() >= QFont::DemiBold)
        words += "\\b";
    if (format.fontItalic())
        words += "\\i";
    if (format.fontUnderline())
        words += "\\ul";
    if (format.fontStrikeOut())
        words += "\\strike";
    if (const int color = ColorIndex(format))
        words += "\\cf" + Number(color);
    if (words == m_LastFormat)
        return;
    m_LastFormat = words;
    m_Out += words + ' ';
}

void TRtfWriter::WriteText(const QString& text)
{
    for (QChar c : text) {
        const ushort code = c.unicode();
        if (c == '\\' || c == '{' || c == '}') {
            m_Out += '\\';
            m_Out += char(code);
        } else if (c == '\t') {
            m_Out += "\\tab ";
        } else if (c == QChar::LineSeparator) {
            m_Out += "\\line ";
        } else if (code == 0xA0) {
            m_Out += "\\~";
        } else if (code >= 0x20 && code < 0x80) {
            m_Out += char(code);
        } else if (code < 0x20) {
            continue;
        } else if (const auto byte = ToWindows1252(QString(c)); byte && c.isPrint()) {
            m_Out += "\\'" + byte->toHex();
        } else {
            m_Out += "\\u" + Number(qint16(code)) + '?';
        }
    }
}

void TRtfWriter::WritePicture(const QTextImageFormat& format)
{
    const int ppi = ScreenPpi();
    const QImage image = m_Document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
    const auto kind = TRtfPictureKind(format.intProperty(RtfPictureKindProperty));
    const bool keepsSource = kind == pkJpeg || kind == pkEmf || kind == pkWmf;
    if (!keepsSource && image.isNull())
        return;

    QByteArray data;
    QByteArray words;
    if (keepsSource) {
        const QSize source = format.property(RtfPictureSourceSizeProperty).toSize();
        data = format.property(RtfPictureDataProperty).toByteArray();
        words = kind == pkJpeg  ? QByteArray("\\jpegblip")
                : kind == pkEmf ? QByteArray("\\emfblip")
                                : "\\wmetafile" + Number(format.intProperty(RtfPictureMapModeProperty));
        words += "\\picw" + Number(source.width()) + "\\pich" + Number(source.height());
    } else {
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        words = "\\pngblip\\picw" + Number(image.width()) + "\\pich" + Number(image.height());
    }
    const int width = format.width() > 0 ? int(format.width()) : image.width();
    const int height = format.height() > 0 ? int(format.height()) : image.height();
    words += "\\picwgoal" + Number(std::lround(width * 1440.0 / ppi)) + "\\pichgoal" +
             Number(std::lround(height * 1440.0 / ppi));
    m_Out += "{\\pict" + words + HexLines(data) + "}";
}

QString TRtfWriter::FontName(const QTextCharFormat& format) const
{
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() || families.first().isEmpty() ? m_Document.defaultFont().family() : families.first();
}

int TRtfWriter::FontIndex(const QTextCharFormat& format) const
{
    return std::max<int>(0, int(m_Fonts.indexOf(FontName(format))));
}

int TRtfWriter::ColorIndex(const QTextCharFormat& format) const
{
    if (!format.hasProperty(QTextFormat::ForegroundBrush))
        return 0;
    return int(m_Colors.indexOf(format.foreground().color())) + 1;
}
