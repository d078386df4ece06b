#pragma once
// Makes an icon library (.icl): a 16-bit resource file in the NE format with one icon group per
// icon file given, in that order, each group holding every image of its icon file. The shipped
// libraries are made with it at build time (tool mvicl); IconLibrary.h reads them back.

#include <QByteArray>
#include <QList>
#include <QString>

// The most a library can hold: its offsets and lengths are 16-bit counts of 4096-byte units.
constexpr qint64 MaxIconLibrarySize = qint64(0xFFFF) << 12;

struct TIconLibraryResult {
    QByteArray Library; // empty when Error is set
    QString Error;
};

// `icons` are the bytes of .ico files, `names` their names for messages.
TIconLibraryResult MakeIconLibrary(const QList<QByteArray>& icons, const QStringList& names);
