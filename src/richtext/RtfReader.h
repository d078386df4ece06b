#pragma once
// Reads RTF as word processors write it into a QTextDocument: fonts with their character sets,
// colours, sizes, styles, alignment, paragraphs, line breaks, tabs, Unicode and code-page
// escapes, and pictures. What it does not know it skips. Damaged input never fails: unbalanced
// braces, cut data, bad escapes, huge numbers and deep nesting give whatever text could be read.

#include "richtext/RtfPicture.h"

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QTextCursor>
#include <map>
#include <memory>

class QTextDocument;

class TRtfReader {
public:
    // Replaces the contents of `document` with the text of `rtf`.
    static void Read(const QByteArray& rtf, QTextDocument& document);

private:
    enum TDestination { dsText, dsSkip, dsFontTable, dsColorTable, dsPicture };

    // Everything a group saves and restores.
    struct TState {
        TDestination Destination = dsText;
        int Font = -1; // index into the font table; -1 = the default font
        int HalfPoints = 24;
        bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
        int Color = 0; // index into the colour table; 0 = automatic
        int UnicodeSkip = 1;
        Qt::Alignment Alignment = Qt::AlignLeft;
    };

    struct TFontEntry {
        QString Name;
        int Charset = 0;
    };

    TRtfReader(const QByteArray& rtf, QTextDocument& document);

    void Run();
    void OpenGroup();
    void CloseGroup();
    void ReadControl();
    void ControlWord(const QByteArray& word, bool hasParameter, int parameter);
    bool Destination(const QByteArray& word);
    void PictureWord(const QByteArray& word, int parameter);
    void TextWord(const QByteArray& word, bool hasParameter, int parameter);
    void TextByte(char byte, bool escaped = false);
    void Text(const QString& text);
    void RawBytes(int count);

    void FlushBytes();
    void FlushText();
    void EndParagraph();
    void RealizeParagraph();
    void StartFontEntry(int number);
    void EndFontEntry();
    void InsertPicture();

    QTextCharFormat CharFormat() const;
    QTextBlockFormat BlockFormat() const;
    int CodePageOfFont(int font) const;
    QString Decode(const QByteArray& bytes, int codePage);

    const QByteArray m_Rtf;
    qsizetype m_Pos = 0;
    QTextDocument& m_Document;
    QTextCursor m_Cursor;

    TState m_State;
    QList<TState> m_Stack;
    int m_OverflowDepth = 0;    // groups beyond the nesting limit, skipped whole
    bool m_StarPending = false; // \* seen: the group's destination is ignorable
    bool m_GroupStart = false;  // no control word read yet in the current group
    int m_FallbackToSkip = 0;   // characters after \uN still to skip

    int m_AnsiCodePage = 1252;
    int m_DefaultFont = 0;
    std::map<int, TFontEntry> m_Fonts;
    int m_EntryFont = 0; // font table entry being read
    int m_EntryCharset = 0;
    QByteArray m_EntryName;
    QList<QColor> m_Colors; // invalid colour: automatic
    int m_Red = 0, m_Green = 0, m_Blue = 0;
    bool m_ColorGiven = false;
    TRtfPicture m_Picture;
    int m_PendingNibble = -1; // first hex digit of a picture byte

    QByteArray m_Bytes;              // text bytes not yet decoded
    QString m_Text;                  // decoded text not yet inserted
    bool m_ParagraphPending = false; // a \par whose new paragraph is made by the next text
    std::map<int, std::unique_ptr<QStringDecoder>> m_Decoders;
};
