#pragma once
// Writes a QTextDocument as RTF: a Windows-1252 header with font and colour tables, then each
// paragraph with its alignment and each run with font, size, bold, italic, underline,
// strike-out and colour. Characters outside Windows-1252 are written as \uN with a '?' for
// readers that do not know it; pictures as PNG, or as the JPEG or metafile bytes they were read
// from. Each paragraph ends with \par, which the reader takes as the end of the last paragraph.

#include <QByteArray>
#include <QColor>
#include <QStringList>

class QTextBlock;
class QTextCharFormat;
class QTextDocument;
class QTextImageFormat;

class TRtfWriter {
public:
    static QByteArray Write(const QTextDocument& document);

private:
    explicit TRtfWriter(const QTextDocument& document);

    void CollectTables();
    QByteArray Body();
    void WriteBlock(const QTextBlock& block);
    void WriteCharFormat(const QTextCharFormat& format);
    void WriteText(const QString& text);
    void WritePicture(const QTextImageFormat& format);

    QString FontName(const QTextCharFormat& format) const;
    int FontIndex(const QTextCharFormat& format) const;
    int ColorIndex(const QTextCharFormat& format) const;

    const QTextDocument& m_Document;
    QStringList m_Fonts;
    QList<QColor> m_Colors; // \colortbl entries after the automatic one
    QByteArray m_Out;
    QByteArray m_LastFormat; // control words of the run format in force
};
