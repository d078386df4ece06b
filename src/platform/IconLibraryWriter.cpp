#include "platform/IconLibraryWriter.h"

#include "platform/IconLibrary.h"

namespace {

constexpr int MzHeaderSize = 0x40;
constexpr int NeHeaderSize = 0x40;
constexpr int IcoEntrySize = 16;
constexpr int GroupEntrySize = 14;
// Resource offsets and lengths are 16-bit counts of 2^shift bytes.
constexpr int MaxShift = 12;
static_assert(MaxIconLibrarySize == qint64(0xFFFF) << MaxShift);

void Put16(QByteArray& out, qint64 offset, quint32 value)
{
    out[offset] = char(value);
    out[offset + 1] = char(value >> 8);
}

void Put32(QByteArray& out, qint64 offset, quint32 value)
{
    Put16(out, offset, value & 0xFFFF);
    Put16(out, offset + 2, value >> 16);
}

void Append16(QByteArray& out, quint32 value)
{
    out.append(char(value)).append(char(value >> 8));
}

quint32 Get16(const QByteArray& in, qint64 offset)
{
    return quint8(in[offset]) | quint32(quint8(in[offset + 1])) << 8;
}

quint32 Get32(const QByteArray& in, qint64 offset)
{
    return Get16(in, offset) | Get16(in, offset + 2) << 16;
}

struct TResource {
    quint16 Id;
    QByteArray Data;
};

} // namespace

TIconLibraryResult MakeIconLibrary(const QList<QByteArray>& icons, const QStringList& names)
{
    QList<TResource> images, groups;
    for (qsizetype i = 0; i < icons.size(); ++i) {
        const QString name = i < names.size() ? names[i] : QString::number(i + 1);
        // The reader checks the file and gives it back whole and in order, or nothing.
        const QByteArray ico =
            IconCount(icons[i]) == 1 && !icons[i].startsWith("MZ") ? IconFile(icons[i], 0) : QByteArray();
        if (ico.isEmpty())
            return {{}, name + ": not an icon file"};
        const int count = int(Get16(ico, 4));
        QByteArray group;
        Append16(group, 0);
        Append16(group, 1);
        Append16(group, count);
        for (int image = 0; image < count; ++image) {
            const qint64 entry = 6 + qint64(image) * IcoEntrySize;
            if (images.size() >= 0x7FFF)
                return {{}, name + ": too many images for one library"};
            const quint16 id = quint16(images.size() + 1);
            images.append({id, ico.mid(Get32(ico, entry + 12), Get32(ico, entry + 8))});
            group.append(ico.mid(entry, 12));
            Append16(group, id);
        }
        Q_ASSERT(group.size() == 6 + count * GroupEntrySize);
        groups.append({quint16(groups.size() + 1), group});
    }
    if (groups.isEmpty())
        return {{}, "no icon files given"};

    // The table: shift, the group type, the image type, the end mark and an empty name list;
    // then the resident names (just the end mark), the empty entry table and the data.
    const qint64 tableOffset = MzHeaderSize + NeHeaderSize;
    const qint64 tableSize = 2 + (8 + groups.size() * 12) + (8 + images.size() * 12) + 2 + 1;
    const qint64 namesOffset = tableOffset + tableSize;
    const qint64 entryTableOffset = namesOffset + 1;
    const qint64 dataStart = entryTableOffset + 2;
    qint64 dataSize = 0;
    for (const QList<TResource>* list : {&images, &groups})
        for (const TResource& resource : *list)
            dataSize += resource.Data.size() + (1 << MaxShift);
    int shift = 4;
    while (shift < MaxShift && ((dataStart + dataSize) >> shift) > 0xFFFF)
        ++shift;
    if (((dataStart + dataSize) >> shift) > 0xFFFF)
        return {{}, "the icons are too large for one library"};

    QByteArray out(MzHeaderSize + NeHeaderSize, '\0');
    out[0] = 'M';
    out[1] = 'Z';
    Put16(out, 0x18, 0x40); // relocation table offset: marks a new-style executable
    Put32(out, 0x3C, MzHeaderSize);
    const qint64 ne = MzHeaderSize;
    out[ne] = 'N';
    out[ne + 1] = 'E';
    out[ne + 2] = 5; // linker version
    Put16(out, ne + 0x04, entryTableOffset - ne);
    Put16(out, ne + 0x06, 2);
    Put16(out, ne + 0x0C, 0x8000);           // a library module
    Put16(out, ne + 0x22, tableOffset - ne); // segment table: no segments
    Put16(out, ne + 0x24, tableOffset - ne);
    Put16(out, ne + 0x26, namesOffset - ne);
    Put16(out, ne + 0x28, entryTableOffset - ne);
    Put16(out, ne + 0x2A, entryTableOffset - ne);
    Put16(out, ne + 0x32, shift);
    out[ne + 0x36] = 2; // Windows
    Put16(out, ne + 0x3E, 0x030A);

    Append16(out, shift);
    QList<qint64> entryPositions;
    for (const auto& [type, list] : {std::pair{0x800E, &groups}, std::pair{0x8003, &images}}) {
        Append16(out, type);
        Append16(out, list->size());
        out.append(4, '\0');
        for (const TResource& resource : *list) {
            entryPositions.append(out.size());
            out.append(4, '\0');   // offset and length, filled in below
            Append16(out, 0x1030); // moveable, pure, discardable
            Append16(out, 0x8000 | resource.Id);
            out.append(4, '\0');
        }
    }
    Append16(out, 0);
    out.append('\0');    // no resource names
    out.append('\0');    // resident names: none
    out.append(2, '\0'); // entry table: empty
    Q_ASSERT(out.size() == dataStart);

    qsizetype position = 0;
    for (const QList<TResource>* list : {&groups, &images}) {
        for (const TResource& resource : *list) {
            const qint64 unit = qint64(1) << shift;
            out.append((unit - out.size() % unit) % unit, '\0');
            Put16(out, entryPositions[position], out.size() >> shift);
            Put16(out, entryPositions[position] + 2, (resource.Data.size() + unit - 1) >> shift);
            ++position;
            out.append(resource.Data);
        }
    }
    // The last length is rounded up too: the file ends on a whole unit.
    const qint64 unit = qint64(1) << shift;
    out.append((unit - out.size() % unit) % unit, '\0');
    return {out, {}};
}
