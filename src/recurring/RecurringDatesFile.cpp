#include "recurring/RecurringDatesFile.h"

#include "platform/FileCommit.h"
#include "platform/ProgramFolders.h"
#include "platform/Windows1252.h"
#include "recurring/RecurringRecord.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace {

const QByteArray Utf8Mark = "\xEF\xBB\xBF";

QStringList SplitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines += text.mid(start, i - start);
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines += text.mid(start);
    return lines;
}

// The text of UTF-8 bytes, or nothing when they are not valid UTF-8.
std::optional<QString> FromUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// Text editors save UTF-8 without a mark: bytes beyond ASCII that are valid UTF-8 are taken as
// such. Windows-1252 text is hardly ever valid UTF-8 (a letter beyond ASCII would have to be
// followed by the right continuation bytes), and ASCII reads the same either way.
std::optional<QString> UnmarkedUtf8(const QByteArray& bytes)
{
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char byte) { return uchar(byte) < 0x80; });
    return ascii ? std::nullopt : FromUtf8(bytes);
}

} // namespace

TRecurringDatesRead ParseRecurringDates(const QByteArray& bytes)
{
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        return {{}, QString("It holds a zero byte at offset %1, which no text file does.").arg(zero)};
    if (bytes.startsWith(Utf8Mark)) {
        // The mark is taken off here; a second one is the text's own and stays, as it was written.
        const std::optional<QString> text = FromUtf8(QByteArrayView(bytes).sliced(Utf8Mark.size()));
        if (!text)
            return {{}, QString("It starts as UTF-8 text but holds bytes that are not UTF-8.")};
        return {SplitLines(*text), QString()};
    }
    if (const std::optional<QString> text = UnmarkedUtf8(bytes))
        return {SplitLines(*text), QString()};
    return {SplitLines(FromWindows1252(bytes)), QString()};
}

QByteArray EncodeRecurringDates(const QStringList& records)
{
    const QString text = records.isEmpty() ? QString() : records.join("\r\n") + "\r\n";
    // Windows-1252 bytes that the reader would take as UTF-8 (behind the mark, or valid UTF-8
    // without it) would read back as other characters.
    const std::optional<QByteArray> bytes = ToWindows1252(text);
    if (bytes && !bytes->startsWith(Utf8Mark) && !UnmarkedUtf8(*bytes))
        return *bytes;
    return Utf8Mark + text.toUtf8();
}

QString RecurringDatesFileName()
{
    return DataFolder() + "MVRECUR.DAX";
}

QString OldRecurringDatesFileName()
{
    return DataFolder() + "MVRECUR.DAT";
}

TRecurringDatesRead ReadRecurringDatesFile(const QString& fileName)
{
    if (!QFileInfo::exists(fileName))
        return {};
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    if (file.size() > MaxRecurringDatesFileSize)
        return {{}, QString("It is larger than %1 bytes.").arg(MaxRecurringDatesFileSize)};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, file.errorString()};
    return ParseRecurringDates(bytes);
}

QString WriteRecurringDatesFile(const QString& fileName, const QStringList& records)
{
    TWholeSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const QByteArray bytes = EncodeRecurringDates(records);
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.CommitWhole())
        return file.errorString();
    return QString();
}

QString ConvertOldRecord(const QString& line)
{
    return PadField(line.mid(4, 150), EventTextWidth) + DayOfMonthKind + PadField(line.left(4), FormulaWidth);
}

QString ConvertOldRecurringDates(const QString& oldFileName, const QString& fileName)
{
    if (!QFileInfo::exists(oldFileName))
        return QString();
    const TRecurringDatesRead old = ReadRecurringDatesFile(oldFileName);
    if (!old.Ok())
        return "Unable to read " + oldFileName + ".\r" + old.Error;
    // Records kept in the newer file stay: the old one only adds to them.
    const TRecurringDatesRead current = ReadRecurringDatesFile(fileName);
    if (!current.Ok())
        return "Unable to read " + fileName + ".\r" + current.Error;
    QStringList records = current.Records;
    QSet<QString> known;
    for (const QString& record : records)
        known.insert(record.toCaseFolded());
    for (const QString& line : old.Records) {
        const QString record = ConvertOldRecord(line);
        if (!known.contains(record.toCaseFolded())) {
            known.insert(record.toCaseFolded());
            records += record;
        }
    }
    const QString error = WriteRecurringDatesFile(fileName, records);
    if (!error.isEmpty())
        return "Unable to save " + fileName + ".\r" + error;
    QFile oldFile(oldFileName);
    if (!oldFile.remove())
        return "Unable to delete " + oldFileName + ".\r" + oldFile.errorString();
    return QString();
}
