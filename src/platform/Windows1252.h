#pragma once
// Conversion between text and Windows-1252 bytes, the code page of the strings in calendar
// files. Written by hand: Qt's own codecs cover only UTF and Latin-1, and the table is tiny.

#include <QByteArray>
#include <QString>
#include <optional>

// Every byte maps to a character; the five unassigned bytes map to the C1 controls of the
// same value, as Windows does.
QString FromWindows1252(const QByteArray& bytes);

// The bytes of `text`, or nothing when a character has no Windows-1252 byte.
std::optional<QByteArray> ToWindows1252(const QString& text);
