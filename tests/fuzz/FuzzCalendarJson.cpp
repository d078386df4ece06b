// The JSON that `mvtool build` turns into a calendar file: a wrong field must end with the tool's
// error naming it, and whatever is accepted must write.

#include "FuzzSupport.h"
#include "calendar/CalendarPanel32.h"
#include "platform/MervaneError.h"
#include "tools/CalendarFile.h"
#include "tools/CalendarJson.h"

#include <QJsonDocument>
#include <QJsonObject>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureFuzzApplication();
    const QJsonDocument json =
        QJsonDocument::fromJson(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!json.isObject())
        return 0;
    const QString fileName = WriteFuzzInput(nullptr, 0, "output.MVF");
    try {
        TCalendarPanel32 page(nullptr);
        TCalendarFile::Save(page, TCalendarJson::JsonToPage(json.object(), page), fileName);
    } catch (const EMervaneError&) {
    }
    return 0;
}
