// An icon library, program or icon file as the icon tool reads it: the count, then pictures by
// index at the system size, and whole icons as the library writer takes them; then the input as
// an icon file handed to the library writer. Nothing may fail; damaged input has no icons, null
// pictures, or the writer's message.

#include "FuzzSupport.h"
#include "platform/IconLibrary.h"
#include "platform/IconLibraryWriter.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureFuzzApplication();
    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    const int count = IconCount(file);
    // The first icons and the last: every group is reached by the count already.
    for (int index : {0, 1, 2, count - 1, count}) {
        IconPicture(file, index);
        IconFile(file, index);
    }
    const TIconLibraryResult written = MakeIconLibrary({file}, {"fuzz.ico"});
    if (written.Error.isEmpty() && IconCount(written.Library) != 1)
        __builtin_trap(); // a library written from one icon holds that icon
    return 0;
}
