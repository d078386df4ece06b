// PCX files as the picture browser decodes them: a bitmap or a null image, never more pixels
// than the data can describe.

#include "FuzzSupport.h"
#include "imaging/PcxDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DecodePcx(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
