#include "imaging/ByteReader.h"

TByteReader::TByteReader(const QByteArray& data, qsizetype offset)
    : m_Data(data)
    , m_Pos(offset)
{
    if (offset < 0 || offset > data.size()) {
        m_Pos = data.size();
        m_Ok = false;
    }
}

bool TByteReader::Take(qsizetype count)
{
    if (!m_Ok || count < 0 || count > Left()) {
        m_Ok = false;
        return false;
    }
    return true;
}

quint8 TByteReader::U8()
{
    if (!Take(1))
        return 0;
    return quint8(m_Data[m_Pos++]);
}

quint16 TByteReader::U16()
{
    if (!Take(2))
        return 0;
    const auto* p = reinterpret_cast<const uchar*>(m_Data.constData() + m_Pos);
    m_Pos += 2;
    return quint16(p[0] | (p[1] << 8));
}

quint32 TByteReader::U32()
{
    if (!Take(4))
        return 0;
    const auto* p = reinterpret_cast<const uchar*>(m_Data.constData() + m_Pos);
    m_Pos += 4;
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

QByteArray TByteReader::Bytes(qsizetype count)
{
    if (!Take(count))
        return {};
    const QByteArray bytes = m_Data.mid(m_Pos, count);
    m_Pos += count;
    return bytes;
}

void TByteReader::Skip(qsizetype count)
{
    if (Take(count))
        m_Pos += count;
}

void TByteReader::Seek(qsizetype position)
{
    if (position < 0 || position > m_Data.size()) {
        m_Ok = false;
        return;
    }
    m_Pos = position;
}
