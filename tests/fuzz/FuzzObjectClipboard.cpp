// The object clipboard file as Paste reads it onto a page: a damaged file must end with the
// stream's error and leave the page's objects as they were.

#include "FuzzSupport.h"
#include "calendar/CalendarPanel32.h"
#include "objects/GLabelObjectFiler.h"
#include "platform/MervaneError.h"

namespace {

// Stands in for the main window, which owns the page's objects and answers the name look-ups.
class TFuzzOwner : public TComponent {
public:
    TFuzzOwner()
        : TComponent(nullptr)
    {
    }
    QString ClassName() const override { return "TFuzzOwner"; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureFuzzApplication();
    const QString fileName = WriteFuzzInput(data, size, "Clipbrd.tmp");
    TFuzzOwner owner;
    TCalendarPanel32 page(&owner);
    const qsizetype before = page.Objects().size();
    try {
        TGLabelObjectFiler(&owner).LoadFromFile(&owner, page, fileName);
    } catch (const EMervaneError&) {
        if (page.Objects().size() != before)
            qFatal("A damaged clipboard file left %d objects on the page", int(page.Objects().size() - before));
    }
    return 0;
}
