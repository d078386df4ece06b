#pragma once
// Bytes of stream records written by hand in the effects tests: values with their type codes, an
// owner for objects read alone, and whole files.

#include "../common/FileBytes.h"
#include "stream/Component.h"
#include "stream/ValueType.h"

#include <QByteArray>
#include <QFile>

class TOwner : public TComponent {
public:
    TOwner()
        : TComponent(nullptr)
    {
    }
    QString ClassName() const override { return "TOwner"; }
};

inline QByteArray Str(const QByteArray& text)
{
    return char(text.size()) + text;
}

inline QByteArray Ident(const QByteArray& name)
{
    return char(vaIdent) + Str(name);
}

inline QByteArray Int8(int value)
{
    return QByteArray(1, char(vaInt8)) + char(value);
}

inline QByteArray Int16(int value)
{
    return QByteArray(1, char(vaInt16)) + char(value & 0xFF) + char((value >> 8) & 0xFF);
}

inline QByteArray Boolean(bool value)
{
    return QByteArray(1, char(value ? vaTrue : vaFalse));
}
