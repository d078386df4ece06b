#pragma once
// An INI file as the program keeps its preferences: "[Section]" lines and "Key=Value" lines.
// Section and key names compare ignoring case; the order of sections and keys in the file is
// kept, and unknown lines survive a write. Each call reads the file, and each write rewrites it
// whole (atomically), so several objects may share one file.

#include <QString>
#include <QStringList>
#include <utility>

class TIniFile {
public:
    explicit TIniFile(const QString& fileName);

    QString FileName() const { return m_FileName; }

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Decimal, or hexadecimal after "0x"/"0X"; anything else gives the default.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    // Read as an integer: non-zero is true.
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;
    // The key/value pairs of a section in file order.
    QList<std::pair<QString, QString>> ReadSection(const QString& section) const;

    // Writes return false when the file could not be written.
    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool WriteInteger(const QString& section, const QString& key, int value);
    bool WriteBool(const QString& section, const QString& key, bool value);
    bool EraseSection(const QString& section);

private:
    QStringList ReadLines() const;
    bool WriteLines(const QStringList& lines);

    QString m_FileName;
};
