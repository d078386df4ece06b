// Calendar files and style sheets as mvtool and the program open them: the page reads the file,
// shows it as JSON and draws it with its objects. A damaged file must end with the stream's error.

#include "FuzzSupport.h"
#include "calendar/CalendarPanel32.h"
#include "platform/MervaneError.h"
#include "tools/CalendarFile.h"
#include "tools/CalendarJson.h"
#include "tools/CalendarRenderer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureFuzzApplication();
    const QString fileName = WriteFuzzInput(data, size, "input.MVF");
    try {
        TCalendarPanel32 page(nullptr);
        const TCalendarFileHeader header = TCalendarFile::Load(page, fileName);
        TCalendarJson::PageToJson(page, header);
        TCalendarRenderer::ScreenImage(page, TCalendarRenderer::MinZoom);
    } catch (const EMervaneError&) {
    }
    return 0;
}
