// An icon library, program or icon file as the icon tool reads it: the count, then pictures by
// index at the system size, and whole icons as the library writer takes them. Nothing may fail;
// damaged input has no icons or null pictures.

#include "FuzzSupport.h"
#include "platform/IconLibrary.h"

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
    return 0;
}
