#pragma once
// Little-endian reading over a byte block for the image decoders: every read checks that the
// bytes are there and reports a short block through Ok() instead of reading past the end.

#include <QByteArray>
#include <QtGlobal>

class TByteReader {
public:
    explicit TByteReader(const QByteArray& data, qsizetype offset = 0);

    quint8 U8();
    quint16 U16();
    qint16 I16() { return qint16(U16()); }
    quint32 U32();
    // `count` bytes; an empty array (and Ok() false) when fewer are left.
    QByteArray Bytes(qsizetype count);
    void Skip(qsizetype count);
    // Moves to `position`; beyond the end, Ok() turns false.
    void Seek(qsizetype position);

    bool Ok() const { return m_Ok; }
    qsizetype Position() const { return m_Pos; }
    qsizetype Left() const { return m_Data.size() - m_Pos; }
    bool AtEnd() const { return m_Pos >= m_Data.size(); }

private:
    bool Take(qsizetype count);

    const QByteArray& m_Data;
    qsizetype m_Pos = 0;
    bool m_Ok = true;
};
