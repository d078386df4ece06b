// mvemojiicons: draws the pictures of the shipped icon libraries from the Noto Color Emoji font
// and writes each as an icon file (32 x 32 and 16 x 16, 32-bit colour with an alpha channel).
//   mvemojiicons LIST.txt FOLDER
// Each line of the list is a code point in hex (several for a sequence, joined with "+") and a
// name; lines starting with "#" are comments. The icons are written as FOLDER/NN-name.ico.

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>

#include <cstdio>

namespace {

const QString EmojiFamily = "Noto Color Emoji";
// The font's pictures are bitmaps of this many pixels; drawn at it and scaled down they stay sharp.
constexpr int EmojiPixels = 109;

int Fail(const QString& message)
{
    std::fprintf(stderr, "mvemojiicons: %s\n", qPrintable(message));
    return 1;
}

QImage DrawEmoji(const QString& text, int size)
{
    QImage canvas(EmojiPixels + 19, EmojiPixels + 19, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    QFont font(EmojiFamily);
    font.setPixelSize(EmojiPixels);
    painter.setFont(font);
    painter.drawText(canvas.rect(), Qt::AlignCenter, text);
    painter.end();
    return canvas.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

void Append(QByteArray& out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char(value >> (8 * i)));
}

// One icon image: a bottom-up 32-bit bitmap (height doubled for the mask) and its AND mask.
QByteArray IconImageData(const QImage& image)
{
    const int width = image.width(), height = image.height();
    QByteArray data;
    Append(data, 40, 4);
    Append(data, width, 4);
    Append(data, height * 2, 4);
    Append(data, 1, 2);
    Append(data, 32, 2);
    data.append(24, '\0');
    for (int y = height - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x)
            Append(data, line[x], 4); // BGRA in memory order
    }
    const int maskStride = ((width + 31) / 32) * 4;
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x)
            if (qAlpha(line[x]) == 0)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        data.append(row);
    }
    return data;
}

QByteArray IconFileOf(const QList<QImage>& images)
{
    QByteArray header, body;
    Append(header, 0, 2);
    Append(header, 1, 2);
    Append(header, images.size(), 2);
    quint32 offset = 6 + 16 * images.size();
    for (const QImage& image : images) {
        const QByteArray data = IconImageData(image);
        header.append(char(image.width())).append(char(image.height())).append(2, '\0');
        Append(header, 1, 2);
        Append(header, 32, 2);
        Append(header, data.size(), 4);
        Append(header, offset, 4);
        offset += data.size();
        body.append(data);
    }
    return header + body;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.size() != 2)
        return Fail("usage: mvemojiicons LIST.txt FOLDER");
    if (!QFontDatabase::families().contains(EmojiFamily))
        return Fail("the font \"" + EmojiFamily + "\" is not installed (Debian package fonts-noto-color-emoji)");
    QFile list(arguments[0]);
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text))
        return Fail(arguments[0] + ": " + list.errorString());
    QDir folder(arguments[1]);
    if (!folder.mkpath("."))
        return Fail(arguments[1] + ": cannot make the folder");
    for (const QString& old : folder.entryList({"*.ico"}, QDir::Files))
        folder.remove(old);
    const QRegularExpression line("^([0-9A-Fa-f]+(?:\\+[0-9A-Fa-f]+)*)\\s+([a-z0-9-]+)$");
    int number = 0, lineNumber = 0;
    while (!list.atEnd()) {
        const QString text = QString::fromUtf8(list.readLine()).trimmed();
        ++lineNumber;
        if (text.isEmpty() || text.startsWith('#'))
            continue;
        const QRegularExpressionMatch match = line.match(text);
        if (!match.hasMatch())
            return Fail(QString("%1:%2: expected a code point and a name").arg(arguments[0]).arg(lineNumber));
        QString emoji;
        for (const QString& code : match.captured(1).split('+'))
            emoji += QString::fromUcs4(std::u32string(1, char32_t(code.toUInt(nullptr, 16))).data(), 1);
        const QImage large = DrawEmoji(emoji, 32);
        bool drawn = false;
        for (int y = 0; y < large.height() && !drawn; ++y)
            for (int x = 0; x < large.width() && !drawn; ++x)
                drawn = qAlpha(large.pixel(x, y)) != 0;
        if (!drawn)
            return Fail(QString("%1:%2: the font has no picture for %3")
                            .arg(arguments[0])
                            .arg(lineNumber)
                            .arg(match.captured(1)));
        QSaveFile file(folder.filePath(QString("%1-%2.ico").arg(++number, 2, 10, QChar('0')).arg(match.captured(2))));
        const QByteArray icon = IconFileOf({large, DrawEmoji(emoji, 16)});
        if (!file.open(QIODevice::WriteOnly) || file.write(icon) != icon.size() || !file.commit())
            return Fail(file.fileName() + ": " + file.errorString());
    }
    if (number == 0)
        return Fail(arguments[0] + ": no icons listed");
    return 0;
}
