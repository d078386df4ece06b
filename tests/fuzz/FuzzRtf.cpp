// The text of a day cell or rich label as RTF: read it, write it back and draw it in a cell-sized
// area. Reading never fails; whatever it reads must write and draw.

#include "FuzzSupport.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "richtext/WPPageRenderer.h"

#include <QImage>
#include <QPainter>
#include <QTextDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureFuzzApplication();
    QTextDocument document;
    TRtfReader::Read(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)), document);
    TRtfWriter::Write(document);
    QImage image(120, 90, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    TWPPageRenderer::ForTarget(image.size(), 100).Render(document, painter, image.rect());
    return 0;
}
