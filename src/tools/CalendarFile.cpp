#include "tools/CalendarFile.h"

#include "calendar/CalendarPanel32.h"
#include "platform/MervaneError.h"
#include "stream/Reader.h"
#include "stream/StreamFile.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

// The stream's messages ("Invalid property value") do not name the file, and an mvtool command
// may read or write several.
template <typename Work>
void NamingFile(const QString& fileName, Work work)
{
    try {
        work();
    } catch (const EMervaneError& error) {
        if (error.Message().contains(fileName))
            throw;
        throw EMervaneError(fileName + ": " + error.Message());
    }
}

void ReadPage(TCalendarPanel32& page, TCalendarFileFormat format, const QString& fileName)
{
    if (format == TCalendarFileFormat::StyleSheet) {
        page.LoadStyleSheet(fileName);
        // As the properties dialog does after loading one: the orientation follows the layout.
        page.RecalcLayout(false);
    } else {
        // Without an owner the objects are not renamed "Component"N, as they are when the
        // program's main window owns them: mvtool shows and rewrites a file as it is.
        page.LoadFromFile(fileName, nullptr);
        page.AttachObjects();
        // Every new widget asks to be polished through a posted event, which the program's event
        // loop delivers at once. mvtool has no loop: undelivered, each destroyed widget would
        // search the whole queue for its own, and a page of many objects would take quadratic
        // time to close.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::PolishRequest);
    }
}

} // namespace

TCalendarFileHeader TCalendarFile::ReadHeader(const QString& fileName)
{
    TCalendarFileHeader header;
    NamingFile(fileName, [&] {
        ReadStreamFile(fileName, [&header](TReader& reader) {
            reader.ReadListBegin();
            header.Version = reader.ReadInteger();
            if (reader.ReadInteger() == StyleSheetKind)
                header.Format = TCalendarFileFormat::StyleSheet;
        });
    });
    return header;
}

TCalendarFileHeader TCalendarFile::Load(TCalendarPanel32& page, const QString& fileName)
{
    const TCalendarFileHeader header = ReadHeader(fileName);
    NamingFile(fileName, [&] { ReadPage(page, header.Format, fileName); });
    return header;
}

void TCalendarFile::Save(TCalendarPanel32& page, TCalendarFileFormat format, const QString& fileName)
{
    NamingFile(fileName, [&] {
        if (format == TCalendarFileFormat::StyleSheet)
            page.SaveStyleSheet(fileName);
        else
            page.SaveToFile(fileName);
    });
}
