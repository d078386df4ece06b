#include "platform/IconLibrary.h"

#include <QBuffer>
#include <QHash>
#include <QList>

#include <algorithm>
#include <optional>

namespace {

// Bounds-checked little-endian reads; every offset comes from the file and is checked here.
class TBytes {
public:
    explicit TBytes(const QByteArray& bytes)
        : m_Bytes(bytes)
    {
    }
    qint64 Size() const { return m_Bytes.size(); }
    bool Has(qint64 offset, qint64 length) const
    {
        return offset >= 0 && length >= 0 && offset <= Size() && length <= Size() - offset;
    }
    quint16 U16(qint64 offset) const
    {
        if (!Has(offset, 2))
            return 0;
        return quint16(quint8(m_Bytes[offset]) | quint8(m_Bytes[offset + 1]) << 8);
    }
    quint32 U32(qint64 offset) const { return U16(offset) | quint32(U16(offset + 2)) << 16; }
    QByteArrayView View(qint64 offset, qint64 length) const
    {
        return Has(offset, length) ? QByteArrayView(m_Bytes).sliced(offset, length) : QByteArrayView();
    }

private:
    const QByteArray& m_Bytes;
};

// One image of an icon: the fields of its directory entry and its bitmap or PNG data.
struct TIconImage {
    quint8 Width = 0; // 0 means 256
    quint8 Height = 0;
    quint8 Colors = 0;
    quint16 Planes = 0;
    quint16 BitCount = 0;
    QByteArrayView Data;
};

using TIconImages = QList<TIconImage>;

// The icons of a file: the group directories of a library with the images they refer to by id,
// or the directory of an .ico file.
struct TLibrary {
    QList<QByteArrayView> Groups;
    QHash<quint16, QByteArrayView> IconsById;
    std::optional<TIconImages> IcoFile;

    int Count() const { return IcoFile ? 1 : int(Groups.size()); }
};

constexpr quint16 RT_ICON = 3;
constexpr quint16 RT_GROUP_ICON = 14;
constexpr int GroupHeaderSize = 6;
constexpr int GroupEntrySize = 14;
constexpr int IcoEntrySize = 16;
// The loader refuses programs with more sections than this; it also keeps the address lookups cheap.
constexpr int MaxSections = 96;

// The fields shared by the entries of .ico files (16 bytes) and of icon groups (14 bytes).
TIconImage ImageEntry(const TBytes& bytes, qint64 entry, QByteArrayView data)
{
    return {quint8(bytes.U16(entry) & 0xFF),
            quint8(bytes.U16(entry) >> 8),
            quint8(bytes.U16(entry + 2) & 0xFF),
            bytes.U16(entry + 4),
            bytes.U16(entry + 6),
            data};
}

bool IsIconDirectoryHeader(const TBytes& bytes, qint64 offset, qint64 available, int entrySize)
{
    const quint16 count = bytes.U16(offset + 4);
    return bytes.Has(offset, GroupHeaderSize) && bytes.U16(offset) == 0 && bytes.U16(offset + 2) == 1 && count > 0 &&
           qint64(GroupHeaderSize) + qint64(count) * entrySize <= available;
}

bool IsGroupDirectory(QByteArrayView data)
{
    const QByteArray copy = QByteArray::fromRawData(data.data(), data.size());
    return IsIconDirectoryHeader(TBytes(copy), 0, data.size(), GroupEntrySize);
}

std::optional<TIconImages> ReadIcoFile(const TBytes& bytes)
{
    if (!IsIconDirectoryHeader(bytes, 0, bytes.Size(), IcoEntrySize))
        return std::nullopt;
    TIconImages images;
    const int count = bytes.U16(4);
    for (int i = 0; i < count; ++i) {
        const qint64 entry = GroupHeaderSize + qint64(i) * IcoEntrySize;
        const QByteArrayView data = bytes.View(bytes.U32(entry + 12), bytes.U32(entry + 8));
        if (data.isEmpty())
            continue;
        images.append(ImageEntry(bytes, entry, data));
    }
    if (images.isEmpty())
        return std::nullopt;
    return images;
}

// NE: the resource table lists resources by type; offsets and lengths are in units of
// 2^shift bytes. The last resource may be shorter than its rounded length, so lengths are cut
// at the end of the file.
bool ReadNeResources(const TBytes& bytes, qint64 header, TLibrary& library)
{
    const quint16 tableOffset = bytes.U16(header + 0x24);
    if (tableOffset == bytes.U16(header + 0x26))
        return true; // no resources
    qint64 position = header + tableOffset;
    if (!bytes.Has(position, 2))
        return false;
    const int shift = bytes.U16(position);
    if (shift > 16)
        return false;
    position += 2;
    for (;;) {
        if (!bytes.Has(position, 2))
            return false;
        const quint16 type = bytes.U16(position);
        if (type == 0)
            return true;
        if (!bytes.Has(position, 8))
            return false;
        const int count = bytes.U16(position + 2);
        position += 8;
        if (!bytes.Has(position, qint64(count) * 12))
            return false;
        for (int i = 0; i < count; ++i, position += 12) {
            const qint64 offset = qint64(bytes.U16(position)) << shift;
            const qint64 length = std::min(qint64(bytes.U16(position + 2)) << shift, bytes.Size() - offset);
            const quint16 id = bytes.U16(position + 6);
            const QByteArrayView data = bytes.View(offset, length);
            if (data.isEmpty())
                continue;
            if (type == (0x8000 | RT_GROUP_ICON))
                library.Groups.append(data);
            else if (type == (0x8000 | RT_ICON) && (id & 0x8000) && !library.IconsById.contains(id & 0x7FFF))
                library.IconsById.insert(id & 0x7FFF, data);
        }
    }
}

struct TSection {
    quint32 VirtualAddress;
    quint32 Size;
    quint32 FileOffset;
};

// PE: the resource directory is a tree of type, name and language; its offsets count from the
// start of the directory, and its leaves hold addresses in memory, mapped to the file through the
// section table.
class TPeResourceReader {
public:
    TPeResourceReader(const TBytes& bytes, TLibrary& library)
        : m_Bytes(bytes)
        , m_Library(library)
    {
    }

    bool Read(qint64 header)
    {
        const qint64 coff = header + 4;
        const int sectionCount = m_Bytes.U16(coff + 2);
        const qint64 optional = coff + 20;
        const qint64 sectionTable = optional + m_Bytes.U16(coff + 16);
        const quint16 magic = m_Bytes.U16(optional);
        if (magic != 0x10B && magic != 0x20B)
            return false;
        const qint64 directories = optional + (magic == 0x10B ? 96 : 112);
        const quint32 directoryCount = m_Bytes.U32(directories - 4);
        if (directoryCount < 3)
            return true;
        if (!m_Bytes.Has(directories + 16, 8) || sectionCount > MaxSections ||
            !m_Bytes.Has(sectionTable, qint64(sectionCount) * 40))
            return false;
        const quint32 resourceAddress = m_Bytes.U32(directories + 16);
        if (resourceAddress == 0)
            return true;
        for (int i = 0; i < sectionCount; ++i) {
            const qint64 section = sectionTable + qint64(i) * 40;
            m_Sections.append({m_Bytes.U32(section + 12), std::max(m_Bytes.U32(section + 8), m_Bytes.U32(section + 16)),
                               m_Bytes.U32(section + 20)});
        }
        m_Base = FileOffset(resourceAddress);
        if (m_Base < 0)
            return false;
        return ReadTypes();
    }

private:
    qint64 FileOffset(quint32 address) const
    {
        for (const TSection& section : m_Sections) {
            if (address >= section.VirtualAddress && address - section.VirtualAddress < section.Size)
                return qint64(section.FileOffset) + (address - section.VirtualAddress);
        }
        return -1;
    }

    // The entries of the directory at `offset` (from the resource base), or -1 entries when damaged.
    int EntryCount(qint64 directory) const
    {
        if (!m_Bytes.Has(directory, 16))
            return -1;
        const int count = m_Bytes.U16(directory + 12) + m_Bytes.U16(directory + 14);
        return m_Bytes.Has(directory + 16, qint64(count) * 8) ? count : -1;
    }

    bool ReadTypes()
    {
        const int count = EntryCount(m_Base);
        if (count < 0)
            return false;
        // Only the first directory of each wanted type is read: repeated types would make the
        // cost grow with their product.
        qint64 groups = -1, icons = -1;
        for (int i = 0; i < count; ++i) {
            const qint64 entry = m_Base + 16 + qint64(i) * 8;
            const quint32 type = m_Bytes.U32(entry);
            const quint32 target = m_Bytes.U32(entry + 4);
            if (!(target & 0x80000000u))
                continue;
            const qint64 subdirectory = m_Base + (target & 0x7FFFFFFFu);
            if (type == RT_GROUP_ICON && groups < 0)
                groups = subdirectory;
            else if (type == RT_ICON && icons < 0)
                icons = subdirectory;
        }
        return (icons < 0 || ReadNames(icons, RT_ICON)) && (groups < 0 || ReadNames(groups, RT_GROUP_ICON));
    }

    bool ReadNames(qint64 directory, quint16 type)
    {
        const int count = EntryCount(directory);
        if (count < 0)
            return false;
        for (int i = 0; i < count; ++i) {
            const qint64 entry = directory + 16 + qint64(i) * 8;
            const quint32 name = m_Bytes.U32(entry);
            const quint32 target = m_Bytes.U32(entry + 4);
            if (!(target & 0x80000000u))
                continue;
            const QByteArrayView data = FirstLanguage(m_Base + (target & 0x7FFFFFFFu));
            if (data.isEmpty())
                continue;
            if (type == RT_GROUP_ICON)
                m_Library.Groups.append(data);
            else if (!(name & 0x80000000u) && name <= 0xFFFF && !m_Library.IconsById.contains(quint16(name)))
                m_Library.IconsById.insert(quint16(name), data);
        }
        return true;
    }

    QByteArrayView FirstLanguage(qint64 directory) const
    {
        if (EntryCount(directory) < 1)
            return {};
        const quint32 target = m_Bytes.U32(directory + 16 + 4);
        if (target & 0x80000000u)
            return {};
        const qint64 leaf = m_Base + target;
        if (!m_Bytes.Has(leaf, 16))
            return {};
        return m_Bytes.View(FileOffset(m_Bytes.U32(leaf)), m_Bytes.U32(leaf + 4));
    }

    const TBytes& m_Bytes;
    TLibrary& m_Library;
    QList<TSection> m_Sections;
    qint64 m_Base = -1;
};

TLibrary ReadLibrary(const QByteArray& file)
{
    const TBytes bytes(file);
    TLibrary library;
    if (file.startsWith("MZ")) {
        const qint64 header = bytes.U32(0x3C);
        bool whole = false;
        if (bytes.Has(header, 0x40) && file.mid(header, 2) == "NE")
            whole = ReadNeResources(bytes, header, library);
        else if (bytes.Has(header, 24) && file.mid(header, 4) == QByteArray("PE\0\0", 4))
            whole = TPeResourceReader(bytes, library).Read(header);
        if (!whole)
            return {};
        library.Groups.removeIf([](QByteArrayView group) { return !IsGroupDirectory(group); });
        return library;
    }
    library.IcoFile = ReadIcoFile(bytes);
    return library;
}

TIconImages ImagesOf(const TLibrary& library, int index)
{
    if (index < 0 || index >= library.Count())
        return {};
    if (library.IcoFile)
        return *library.IcoFile;
    const QByteArray group = QByteArray::fromRawData(library.Groups[index].data(), library.Groups[index].size());
    const TBytes bytes(group);
    TIconImages images;
    const int count = bytes.U16(4);
    for (int i = 0; i < count; ++i) {
        const qint64 entry = GroupHeaderSize + qint64(i) * GroupEntrySize;
        const QByteArrayView data = library.IconsById.value(bytes.U16(entry + 12));
        if (data.isEmpty())
            continue;
        images.append(ImageEntry(bytes, entry, data));
    }
    return images;
}

int EdgeOf(quint8 value)
{
    return value == 0 ? 256 : value;
}

int ColourDepthOf(const TIconImage& image)
{
    if (image.BitCount > 0)
        return image.BitCount;
    int depth = 0;
    for (int colours = image.Colors; colours > 1; colours >>= 1)
        ++depth;
    return image.Colors == 0 ? 8 : depth;
}

// Ranks how well an image fits `size`: lower is better.
std::tuple<int, int, int> Fit(const TIconImage& image, int size)
{
    const int edge = EdgeOf(image.Width);
    const int distance = edge == size ? 0 : edge > size ? 1 : 2;
    return {distance, distance == 2 ? -edge : edge, -ColourDepthOf(image)};
}

const QByteArray PngSignature("\x89PNG\r\n\x1a\n", 8);
constexpr int MaxIconEdge = 256;

quint32 BigEndian32(QByteArrayView data, int offset)
{
    return quint32(quint8(data[offset])) << 24 | quint32(quint8(data[offset + 1])) << 16 |
           quint32(quint8(data[offset + 2])) << 8 | quint32(quint8(data[offset + 3]));
}

// Qt's reader applies the AND mask, which marks the transparent pixels, to images of up to 256
// colours but not to 24-bit ones. The mask follows the colour bitmap, bottom row first, one bit a
// pixel; a missing or short mask leaves the picture opaque.
QImage WithAndMask(const QImage& picture, const TBytes& bytes, qint32 width, qint32 height)
{
    const qint64 colourStride = (qint64(width) * 24 + 31) / 32 * 4;
    const qint64 maskStride = (qint64(width) + 31) / 32 * 4;
    const qint64 mask = qint64(bytes.U32(0)) + colourStride * height;
    if (picture.size() != QSize(width, height) || !bytes.Has(mask, maskStride * height))
        return picture;
    QImage masked = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        const QByteArrayView row = bytes.View(mask + (height - 1 - y) * maskStride, maskStride);
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (quint8(row[x / 8]) & (0x80 >> (x % 8)))
                line[x] = 0;
        }
    }
    return masked;
}

// Decodes one image. The dimensions are checked first, so no file makes the decoder allocate more
// than one 256 x 256 picture.
QImage DecodeImage(QByteArrayView data)
{
    if (data.startsWith(PngSignature)) {
        if (data.size() < 24)
            return {};
        const quint32 width = BigEndian32(data, 16), height = BigEndian32(data, 20);
        if (width < 1 || width > MaxIconEdge || height < 1 || height > MaxIconEdge)
            return {};
        return QImage::fromData(data, "PNG");
    }
    const QByteArray bitmap = QByteArray::fromRawData(data.data(), data.size());
    const TBytes bytes(bitmap);
    if (!bytes.Has(0, 40) || bytes.U32(0) < 40)
        return {};
    const qint32 width = qint32(bytes.U32(4));
    const qint32 height = qint32(bytes.U32(8)) / 2; // the colour and mask bitmaps stacked
    const quint16 bitCount = bytes.U16(14);
    if (width < 1 || width > MaxIconEdge || height < 1 || height > MaxIconEdge)
        return {};
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return {};
    // Qt's reader takes .ico files: give it one with this image alone.
    QByteArray ico;
    QBuffer buffer(&ico);
    buffer.open(QIODevice::WriteOnly);
    const char header[] = {0, 0, 1, 0, 1, 0, char(width & 0xFF), char(height & 0xFF), 0, 0, 1, 0, char(bitCount), 0};
    buffer.write(header, sizeof header);
    const quint32 sizeAndOffset[] = {quint32(data.size()), quint32(GroupHeaderSize + IcoEntrySize)};
    for (quint32 value : sizeAndOffset) {
        const char little[] = {char(value), char(value >> 8), char(value >> 16), char(value >> 24)};
        buffer.write(little, 4);
    }
    buffer.write(data.data(), data.size());
    const QImage picture = QImage::fromData(ico, "ICO");
    return bitCount == 24 ? WithAndMask(picture, bytes, width, height) : picture;
}

void AppendLittle(QByteArray& out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char(value >> (8 * i)));
}

} // namespace

int IconCount(const QByteArray& file)
{
    return ReadLibrary(file).Count();
}

QImage IconPicture(const QByteArray& file, int index, int size)
{
    TIconImages images = ImagesOf(ReadLibrary(file), index);
    if (images.isEmpty() || size < 1)
        return {};
    const auto best = std::min_element(images.begin(), images.end(), [size](const TIconImage& a, const TIconImage& b) {
        return Fit(a, size) < Fit(b, size);
    });
    QImage picture = DecodeImage(best->Data);
    if (picture.isNull())
        return {};
    picture = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (picture.size() != QSize(size, size))
        picture = picture.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return picture;
}

QByteArray IconFile(const QByteArray& file, int index)
{
    const TIconImages images = ImagesOf(ReadLibrary(file), index);
    if (images.isEmpty())
        return {};
    // A group may name one image many times; the icon file it makes may not outgrow the library.
    qint64 total = GroupHeaderSize + qint64(images.size()) * IcoEntrySize;
    for (const TIconImage& image : images)
        total += image.Data.size();
    if (total > file.size() + GroupHeaderSize + qint64(images.size()) * IcoEntrySize)
        return {};
    QByteArray ico;
    ico.reserve(total);
    AppendLittle(ico, 0, 2);
    AppendLittle(ico, 1, 2);
    AppendLittle(ico, images.size(), 2);
    quint32 offset = GroupHeaderSize + images.size() * IcoEntrySize;
    for (const TIconImage& image : images) {
        ico.append(char(image.Width)).append(char(image.Height)).append(char(image.Colors)).append('\0');
        AppendLittle(ico, image.Planes, 2);
        AppendLittle(ico, image.BitCount, 2);
        AppendLittle(ico, image.Data.size(), 4);
        AppendLittle(ico, offset, 4);
        offset += image.Data.size();
    }
    for (const TIconImage& image : images)
        ico.append(image.Data.data(), image.Data.size());
    return ico;
}
