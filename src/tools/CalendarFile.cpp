#include "tools/CalendarFile.h"

#include "calendar/CalendarPanel32.h"
#include "stream/Reader.h"
#include "stream/StreamFile.h"

#include <QCoreApplication>
#include <QEvent>

TCalendarFileHeader TCalendarFile::ReadHeader(const QString& fileName)
{
    TCalendarFileHeader header;
    ReadStreamFile(fileName, [&header](TReader& reader) {
        reader.ReadListBegin();
        header.Version = reader.ReadInteger();
        if (reader.ReadInteger() == StyleSheetKind)
            header.Format = TCalendarFileFormat::StyleSheet;
    });
    return header;
}

TCalendarFileHeader TCalendarFile::Load(TCalendarPanel32& page, const QString& fileName)
{
    const TCalendarFileHeader header = ReadHeader(fileName);
    if (header.Format == TCalendarFileFormat::StyleSheet) {
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
    return header;
}

void TCalendarFile::Save(TCalendarPanel32& page, TCalendarFileFormat format, const QString& fileName)
{
    if (format == TCalendarFileFormat::StyleSheet)
        page.SaveStyleSheet(fileName);
    else
        page.SaveToFile(fileName);
}
