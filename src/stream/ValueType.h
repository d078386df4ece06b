#pragma once
// The value codes of the component stream: one byte ahead of every value.

#include <QtGlobal>

enum TValueType : quint8 {
    vaNull, // ends a list, a property list or a child list
    vaList,
    vaInt8,
    vaInt16,
    vaInt32,
    vaExtended, // 80-bit float
    vaString,   // 1-byte length + Windows-1252 characters
    vaIdent,
    vaFalse,
    vaTrue,
    vaBinary, // 4-byte length + bytes
    vaSet,
    vaLString, // 4-byte length + Windows-1252 characters
    vaNil,
    vaCollection,
    // Codes of later producers, read when met; vaUTF8String is also written for text that
    // Windows-1252 cannot hold.
    vaSingle,
    vaCurrency,
    vaDate,
    vaWString,
    vaInt64,
    vaUTF8String,
};
