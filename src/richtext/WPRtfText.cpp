#include "richtext/WPRtfText.h"

#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "stream/PropertyList.h"

QFont DefaultRichTextFont()
{
    QFont font("Arial");
    font.setPointSize(10);
    return font;
}

TWPRtfText::TWPRtfText()
    : m_Document(std::make_unique<QTextDocument>())
{
    Prepare();
}

void TWPRtfText::DefineProperties(TPropertyList& list)
{
    TPersistent::DefineProperties(list);
    list.AddBinary(
        "Data", [this] { return Rtf() + QByteArray(4, '\0'); }, [this](const QByteArray& data) { SetRtf(data); },
        [this] { return !IsEmpty(); });
}

void TWPRtfText::Assign(const TWPRtfText& source)
{
    if (&source == this)
        return;
    m_Document.reset(source.m_Document->clone());
    Prepare();
}

void TWPRtfText::Clear()
{
    m_Document->clear();
}

QByteArray TWPRtfText::Rtf() const
{
    return TRtfWriter::Write(*m_Document);
}

void TWPRtfText::SetRtf(const QByteArray& rtf)
{
    // The stream block ends in zero bytes that are no part of the RTF.
    qsizetype size = rtf.size();
    while (size > 0 && rtf[size - 1] == '\0')
        --size;
    TRtfReader::Read(rtf.left(size), *m_Document);
}

// Margins are the page's matter, not the document's.
void TWPRtfText::Prepare()
{
    m_Document->setDocumentMargin(0);
    m_Document->setDefaultFont(DefaultRichTextFont());
    m_Document->setUndoRedoEnabled(false);
}
