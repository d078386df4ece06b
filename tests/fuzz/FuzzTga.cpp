// TGA files as the picture browser decodes them: a bitmap or a null image, never more pixels
// than the data can describe.

#include "FuzzSupport.h"
#include "imaging/TgaDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DecodeTga(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
