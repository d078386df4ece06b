#pragma once
// The rich text of a day cell, a rich-text label or the editor: a QTextDocument kept ready for
// painting and editing, streamed as the binary property "Data" (the RTF bytes followed by four
// zero bytes, written only when the text is not empty). Assigning copies the whole document,
// pictures included.

#include "stream/Persistent.h"

#include <QByteArray>
#include <QTextDocument>
#include <memory>

class TWPRtfText : public TPersistent {
public:
    TWPRtfText();
    TWPRtfText(const TWPRtfText&) = delete;
    TWPRtfText& operator=(const TWPRtfText&) = delete;

    QString ClassName() const override { return "TWPRtfText"; }
    void DefineProperties(TPropertyList& list) override;

    void Assign(const TWPRtfText& source);
    bool IsEmpty() const { return m_Document->isEmpty(); }
    void Clear();

    QByteArray Rtf() const;
    // Reads `rtf`; damaged RTF gives what could be read.
    void SetRtf(const QByteArray& rtf);

    // The document itself; Assign replaces it by a new one.
    QTextDocument& Document() { return *m_Document; }
    const QTextDocument& Document() const { return *m_Document; }

private:
    void Prepare();

    std::unique_ptr<QTextDocument> m_Document;
};

// Font of text that carries none of its own, and of a new empty text.
QFont DefaultRichTextFont();
