#include "platform/IniFile.h"

#include "platform/FileCommit.h"

#include <QFile>
#include <QTextStream>

namespace {

// The section name of a "[Name]" line, or a null string for other lines.
QString SectionOf(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith('[') && trimmed.endsWith(']'))
        return trimmed.mid(1, trimmed.size() - 2).trimmed();
    return {};
}

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The index of the section's header line, or -1.
int FindSection(const QStringList& lines, const QString& section)
{
    for (int i = 0; i < lines.size(); ++i) {
        if (SameName(SectionOf(lines[i]), section))
            return i;
    }
    return -1;
}

// One past the section's last line.
int SectionEnd(const QStringList& lines, int header)
{
    int end = header + 1;
    while (end < lines.size() && SectionOf(lines[end]).isNull())
        ++end;
    return end;
}

// Splits "Key=Value" at the first '='; false for lines without one.
bool SplitEntry(const QString& line, QString& key, QString& value)
{
    const int equals = line.indexOf('=');
    if (equals < 0 || line.trimmed().startsWith(';'))
        return false;
    key = line.left(equals).trimmed();
    value = line.mid(equals + 1).trimmed();
    return true;
}

int FileWriteCount = 0;

} // namespace

TIniFile::TIniFile(const QString& fileName)
    : m_FileName(fileName)
{
}

TIniFile::~TIniFile()
{
    if (m_UpdateDepth > 0) {
        m_UpdateDepth = 1;
        EndUpdate();
    }
}

int TIniFile::FileWrites()
{
    return FileWriteCount;
}

void TIniFile::BeginUpdate()
{
    if (m_UpdateDepth++ == 0) {
        m_UpdateLines = ReadLines();
        m_UpdateChanged = false;
    }
}

bool TIniFile::EndUpdate()
{
    if (m_UpdateDepth == 0 || --m_UpdateDepth > 0)
        return true;
    const QStringList lines = std::exchange(m_UpdateLines, {});
    return !std::exchange(m_UpdateChanged, false) || WriteLines(lines);
}

QStringList TIniFile::Lines() const
{
    return m_UpdateDepth > 0 ? m_UpdateLines : ReadLines();
}

bool TIniFile::SetLines(const QStringList& lines)
{
    if (m_UpdateDepth == 0)
        return WriteLines(lines);
    m_UpdateLines = lines;
    m_UpdateChanged = true;
    return true;
}

QStringList TIniFile::ReadLines() const
{
    QFile file(m_FileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList lines;
    QTextStream stream(&file);
    while (!stream.atEnd())
        lines += stream.readLine();
    return lines;
}

bool TIniFile::WriteLines(const QStringList& lines)
{
    TWholeSaveFile file(m_FileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream stream(&file);
    for (const QString& line : lines)
        stream << line << '\n';
    stream.flush();
    if (stream.status() != QTextStream::Ok || !file.CommitWhole())
        return false;
    ++FileWriteCount;
    return true;
}

QList<std::pair<QString, QString>> TIniFile::ReadSection(const QString& section) const
{
    const QStringList lines = Lines();
    QList<std::pair<QString, QString>> entries;
    const int header = FindSection(lines, section);
    if (header < 0)
        return entries;
    const int end = SectionEnd(lines, header);
    for (int i = header + 1; i < end; ++i) {
        QString key, value;
        if (SplitEntry(lines[i], key, value))
            entries.append({key, value});
    }
    return entries;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    for (const auto& [name, value] : ReadSection(section)) {
        if (SameName(name, key))
            return value;
    }
    return defaultValue;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    const QString text = ReadString(section, key, QString());
    bool ok = false;
    const int value = text.startsWith("0x", Qt::CaseInsensitive) ? int(text.mid(2).toUInt(&ok, 16)) : text.toInt(&ok);
    return ok ? value : defaultValue;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int defaultValue, int minimum, int maximum) const
{
    const int value = ReadInteger(section, key, defaultValue);
    return value >= minimum && value <= maximum ? value : defaultValue;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    QStringList lines = Lines();
    const QString entry = key + '=' + value;
    int header = FindSection(lines, section);
    if (header < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines += QString();
        lines += '[' + section + ']';
        lines += entry;
        return SetLines(lines);
    }
    const int end = SectionEnd(lines, header);
    for (int i = header + 1; i < end; ++i) {
        QString name, old;
        if (SplitEntry(lines[i], name, old) && SameName(name, key)) {
            lines[i] = entry;
            return SetLines(lines);
        }
    }
    // After the section's last entry, before the blank lines that separate it from the next.
    int insert = end;
    while (insert > header + 1 && lines[insert - 1].trimmed().isEmpty())
        --insert;
    lines.insert(insert, entry);
    return SetLines(lines);
}

bool TIniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool TIniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    return WriteString(section, key, value ? "1" : "0");
}

bool TIniFile::EraseSection(const QString& section)
{
    QStringList lines = Lines();
    const int header = FindSection(lines, section);
    if (header < 0)
        return true;
    lines.erase(lines.begin() + header, lines.begin() + SectionEnd(lines, header));
    return SetLines(lines);
}
