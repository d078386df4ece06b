#pragma once
// An INI file as the program keeps its preferences: "[Section]" lines and "Key=Value" lines.
// Section and key names compare ignoring case; the order of sections and keys in the file is
// kept, and unknown lines survive a write. Outside an update each call reads the file and each
// write rewrites it whole (atomically), so several objects may share one file. A save of several
// keys goes between BeginUpdate() and EndUpdate(): the writes then change the contents held in
// memory, and the file is written once.
//
// A value that cannot be read as asked (not a number, or outside the range the caller gives)
// reads as the caller's default, as a missing key does: the file may be edited by hand, and a
// bad entry in the preferences must cost the user that preference, not the program.

#include <QString>
#include <QStringList>
#include <utility>

class TIniFile {
public:
    explicit TIniFile(const QString& fileName);
    // An update still open is written, as EndUpdate() would (its result unreported).
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    QString FileName() const { return m_FileName; }

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Decimal, or hexadecimal after "0x"/"0X"; anything else gives the default.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    // As above; a value outside minimum .. maximum gives the default too.
    int ReadInteger(const QString& section, const QString& key, int defaultValue, int minimum, int maximum) const;
    // Read as an integer: non-zero is true.
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;
    // The key/value pairs of a section in file order.
    QList<std::pair<QString, QString>> ReadSection(const QString& section) const;

    // Writes return false when the file could not be written. Within an update they change only
    // the contents in memory and return true; EndUpdate() reports the write.
    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool WriteInteger(const QString& section, const QString& key, int value);
    bool WriteBool(const QString& section, const QString& key, bool value);
    bool EraseSection(const QString& section);

    // Updates nest: the file is read at the outermost BeginUpdate() and written at the matching
    // EndUpdate(), only when something changed. EndUpdate() returns false when the file could not
    // be written; the old file is then left whole.
    void BeginUpdate();
    bool EndUpdate();

    // How many times any TIniFile of this process has written its file (tests count the writes
    // one save costs).
    static int FileWrites();

private:
    // The contents: the file's lines, or those held in memory during an update.
    QStringList Lines() const;
    // Makes `lines` the contents: written at once, or held until the update ends.
    bool SetLines(const QStringList& lines);
    QStringList ReadLines() const;
    bool WriteLines(const QStringList& lines);

    QString m_FileName;
    int m_UpdateDepth = 0;
    QStringList m_UpdateLines;
    bool m_UpdateChanged = false;
};
