#include "richtext/RtfReader.h"

#include "platform/ScreenPpi.h"
#include "platform/Windows1252.h"

#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <set>
#include <string_view>

namespace {

// Deeper groups are skipped whole: the state stack stays small whatever the input.
constexpr int MaxGroupDepth = 200;
constexpr int SymbolCodePage = -2;
constexpr int MaxControlWordLength = 32;

// Destinations whose contents are never text: skipped with all their groups.
const std::set<std::string_view> SkippedDestinations = {"stylesheet",
                                                        "info",
                                                        "header",
                                                        "headerl",
                                                        "headerr",
                                                        "headerf",
                                                        "footer",
                                                        "footerl",
                                                        "footerr",
                                                        "footerf",
                                                        "footnote",
                                                        "xe",
                                                        "tc",
                                                        "txe",
                                                        "rxe",
                                                        "listtable",
                                                        "listoverridetable",
                                                        "revtbl",
                                                        "rsidtbl",
                                                        "fldinst",
                                                        "nonshppict",
                                                        "objdata",
                                                        "objclass",
                                                        "pgdsctbl",
                                                        "filetbl",
                                                        "author",
                                                        "operator",
                                                        "title",
                                                        "subject",
                                                        "keywords",
                                                        "comment",
                                                        "doccomm",
                                                        "buptim",
                                                        "creatim",
                                                        "printim",
                                                        "revtim",
                                                        "pntxta",
                                                        "pntxtb",
                                                        "annotation",
                                                        "atnid",
                                                        "atnauthor",
                                                        "bkmkstart",
                                                        "bkmkend",
                                                        "themedata",
                                                        "colorschememapping",
                                                        "latentstyles",
                                                        "datastore",
                                                        "generator",
                                                        "xmlnstbl",
                                                        "mmathPr",
                                                        "listpicture",
                                                        "shpinst",
                                                        "sp",
                                                        "sn",
                                                        "sv",
                                                        "template",
                                                        "userprops",
                                                        "docvar",
                                                        "private",
                                                        "fontemb",
                                                        "fontfile",
                                                        "panose",
                                                        "falt",
                                                        "blipuid",
                                                        "macpict",
                                                        "pmmetafile"};

// The code page that text in a font of character set `charset` is written in; 0 = the
// document's ANSI code page.
int CodePageOfCharset(int charset)
{
    switch (charset) {
    case 2: return SymbolCodePage;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 437;
    default: return 0;
    }
}

// The ANSI code pages of Windows and DOS that RTF writers name. Text in any other is read as
// Windows-1252: that keeps the decoders this reader opens (one per code page) to a few.
bool KnownAnsiCodePage(int codePage)
{
    switch (codePage) {
    case 437:
    case 850:
    case 874:
    case 932:
    case 936:
    case 949:
    case 950:
    case 1250:
    case 1251:
    case 1252:
    case 1253:
    case 1254:
    case 1255:
    case 1256:
    case 1257:
    case 1258:
    case 10000: return true;
    default: return false;
    }
}

QByteArray CodecName(int codePage)
{
    switch (codePage) {
    case 936: return "GBK";
    case 950: return "Big5";
    case 10000: return "macintosh";
    case 437:
    case 850: return "IBM" + QByteArray::number(codePage);
    default: return "windows-" + QByteArray::number(codePage);
    }
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Control characters other than tab would split paragraphs or show as boxes.
QString WithoutControls(QString text)
{
    text.removeIf([](QChar c) { return (c.unicode() < 0x20 && c != '\t') || c == QChar::ParagraphSeparator; });
    return text;
}

} // namespace

void TRtfReader::Read(const QByteArray& rtf, QTextDocument& document)
{
    TRtfReader reader(rtf, document);
    // One edit: a document already laid out (a cell on the page) would otherwise lay out the
    // whole paragraph again after each run of text, in time growing with its square.
    reader.m_Cursor.beginEditBlock();
    reader.Run();
    reader.m_Cursor.endEditBlock();
}

TRtfReader::TRtfReader(const QByteArray& rtf, QTextDocument& document)
    : m_Rtf(rtf)
    , m_Document(document)
{
    m_Document.clear();
    m_Cursor = QTextCursor(&m_Document);
}

void TRtfReader::Run()
{
    while (m_Pos < m_Rtf.size()) {
        const char c = m_Rtf[m_Pos++];
        switch (c) {
        case '{': OpenGroup(); break;
        case '}': CloseGroup(); break;
        case '\\': ReadControl(); break;
        case '\r':
        case '\n': break;
        default: TextByte(c);
        }
    }
    FlushText();
    // A final \par ends the last paragraph; it does not open an empty one.
    if (!m_ParagraphPending) {
        m_Cursor.setBlockFormat(BlockFormat());
        if (m_Cursor.block().length() <= 1)
            m_Cursor.setBlockCharFormat(CharFormat());
    }
}

void TRtfReader::OpenGroup()
{
    if (m_OverflowDepth > 0 || m_Stack.size() >= MaxGroupDepth) {
        ++m_OverflowDepth;
        return;
    }
    FlushText();
    m_Stack.append(m_State);
    m_GroupStart = true;
    m_StarPending = false;
    m_FallbackToSkip = 0;
}

void TRtfReader::CloseGroup()
{
    if (m_OverflowDepth > 0) {
        --m_OverflowDepth;
        return;
    }
    FlushText();
    if (m_Stack.isEmpty())
        return; // a stray closing brace
    const TState parent = m_Stack.last();
    if (m_State.Destination == dsPicture && parent.Destination != dsPicture)
        InsertPicture();
    if (m_State.Destination == dsFontTable)
        EndFontEntry();
    m_State = m_Stack.takeLast();
    m_GroupStart = false;
    m_StarPending = false;
    m_FallbackToSkip = 0;
}

void TRtfReader::ReadControl()
{
    if (m_Pos >= m_Rtf.size())
        return;
    const char c = m_Rtf[m_Pos];
    if (!IsLetter(c)) {
        ++m_Pos;
        if (c == '\'') {
            int value = 0;
            int digits = 0;
            while (digits < 2 && m_Pos < m_Rtf.size() && HexValue(m_Rtf[m_Pos]) >= 0) {
                value = value * 16 + HexValue(m_Rtf[m_Pos++]);
                ++digits;
            }
            if (digits == 2)
                TextByte(char(value), true);
            return;
        }
        if (m_OverflowDepth > 0 || m_State.Destination == dsSkip)
            return;
        if (c == '*') {
            m_StarPending = true;
            return;
        }
        if (m_FallbackToSkip > 0) {
            --m_FallbackToSkip;
            return;
        }
        switch (c) {
        case '\\':
        case '{':
        case '}': TextByte(c, true); break;
        case '~': Text(QString(QChar(0x00A0))); break;
        case '_': Text(QString(QChar(0x2011))); break;
        case '\r':
        case '\n': ControlWord("par", false, 0); break;
        default: break; // \- optional hyphen, \| and \: formula characters
        }
        return;
    }

    QByteArray word;
    while (m_Pos < m_Rtf.size() && IsLetter(m_Rtf[m_Pos])) {
        if (word.size() < MaxControlWordLength)
            word += m_Rtf[m_Pos];
        ++m_Pos;
    }
    bool negative = false;
    if (m_Pos + 1 < m_Rtf.size() && m_Rtf[m_Pos] == '-' && IsDigit(m_Rtf[m_Pos + 1])) {
        negative = true;
        ++m_Pos;
    }
    bool hasParameter = false;
    qint64 value = 0;
    while (m_Pos < m_Rtf.size() && IsDigit(m_Rtf[m_Pos])) {
        hasParameter = true;
        value = std::min<qint64>(value * 10 + (m_Rtf[m_Pos++] - '0'), INT32_MAX);
    }
    if (m_Pos < m_Rtf.size() && m_Rtf[m_Pos] == ' ')
        ++m_Pos;
    ControlWord(word, hasParameter, int(negative ? -value : value));
}

void TRtfReader::ControlWord(const QByteArray& word, bool hasParameter, int parameter)
{
    if (word == "bin") {
        RawBytes(hasParameter ? parameter : 0);
        return;
    }
    if (m_OverflowDepth > 0 || m_State.Destination == dsSkip)
        return;
    const bool groupStart = m_GroupStart;
    const bool ignorable = m_StarPending;
    m_GroupStart = false;
    m_StarPending = false;
    if (m_FallbackToSkip > 0) {
        --m_FallbackToSkip;
        return;
    }
    if (groupStart && Destination(word))
        return;
    if (ignorable) {
        // An ignorable destination this reader does not know.
        m_State.Destination = dsSkip;
        return;
    }

    if (word == "ansi")
        m_AnsiCodePage = 1252;
    else if (word == "mac")
        m_AnsiCodePage = 10000;
    else if (word == "pc")
        m_AnsiCodePage = 437;
    else if (word == "pca")
        m_AnsiCodePage = 850;
    else if (word == "ansicpg")
        m_AnsiCodePage = KnownAnsiCodePage(parameter) ? parameter : 1252;
    else if (word == "deff")
        m_DefaultFont = parameter;
    else if (word == "uc")
        m_State.UnicodeSkip = std::clamp(parameter, 0, 10);

    switch (m_State.Destination) {
    case dsFontTable:
        if (word == "f")
            StartFontEntry(parameter);
        else if (word == "fcharset")
            m_EntryCharset = parameter;
        break;
    case dsColorTable:
        if (word == "red" || word == "green" || word == "blue") {
            const int component = std::clamp(parameter, 0, 255);
            (word == "red" ? m_Red : word == "green" ? m_Green : m_Blue) = component;
            m_ColorGiven = true;
        }
        break;
    case dsPicture: PictureWord(word, parameter); break;
    case dsText: TextWord(word, hasParameter, parameter); break;
    case dsSkip: break;
    }
}

bool TRtfReader::Destination(const QByteArray& word)
{
    if (word == "fonttbl") {
        m_State.Destination = dsFontTable;
        m_EntryName.clear();
    } else if (word == "colortbl") {
        m_State.Destination = dsColorTable;
        m_Colors.clear();
        m_ColorGiven = false;
        m_Red = m_Green = m_Blue = 0;
    } else if (word == "pict") {
        m_State.Destination = dsPicture;
        m_Picture = TRtfPicture();
        m_PendingNibble = -1;
    } else if (word == "shppict") {
        // Word's picture beside its older form in \nonshppict: read it as the text around it.
    } else if (SkippedDestinations.count(std::string_view(word.constData(), word.size()))) {
        m_State.Destination = dsSkip;
    } else {
        return false;
    }
    return true;
}

void TRtfReader::PictureWord(const QByteArray& word, int parameter)
{
    TRtfPicture& p = m_Picture;
    if (word == "pngblip")
        p.Kind = pkPng;
    else if (word == "jpegblip")
        p.Kind = pkJpeg;
    else if (word == "emfblip")
        p.Kind = pkEmf;
    else if (word == "wmetafile") {
        p.Kind = pkWmf;
        p.MapMode = parameter;
    } else if (word == "dibitmap")
        p.Kind = pkDib;
    else if (word == "wbitmap")
        p.Kind = pkDdb;
    else if (word == "picw")
        p.PicW = parameter;
    else if (word == "pich")
        p.PicH = parameter;
    else if (word == "picwgoal")
        p.GoalW = parameter;
    else if (word == "pichgoal")
        p.GoalH = parameter;
    else if (word == "picscalex")
        p.ScaleX = parameter;
    else if (word == "picscaley")
        p.ScaleY = parameter;
    else if (word == "wbmbitspixel")
        p.BitsPixel = parameter;
    else if (word == "wbmplanes")
        p.Planes = parameter;
    else if (word == "wbmwidthbytes")
        p.WidthBytes = parameter;
}

void TRtfReader::TextWord(const QByteArray& word, bool hasParameter, int parameter)
{
    // Flag words: no parameter or a non-zero one turns them on.
    const bool on = !hasParameter || parameter != 0;
    if (word == "u") {
        FlushBytes();
        const bool valid = parameter >= -32768 && parameter <= 0xFFFF;
        m_Text += valid ? QChar(ushort(parameter < 0 ? parameter + 65536 : parameter)) : QChar::ReplacementCharacter;
        m_FallbackToSkip = m_State.UnicodeSkip;
        return;
    }
    FlushText();
    if (word == "par" || word == "sect" || word == "page" || word == "row")
        EndParagraph();
    else if (word == "line")
        Text(QString(QChar::LineSeparator));
    else if (word == "tab" || word == "cell")
        Text("\t");
    else if (word == "emdash")
        Text(QString(QChar(0x2014)));
    else if (word == "endash")
        Text(QString(QChar(0x2013)));
    else if (word == "bullet")
        Text(QString(QChar(0x2022)));
    else if (word == "lquote")
        Text(QString(QChar(0x2018)));
    else if (word == "rquote")
        Text(QString(QChar(0x2019)));
    else if (word == "ldblquote")
        Text(QString(QChar(0x201C)));
    else if (word == "rdblquote")
        Text(QString(QChar(0x201D)));
    else if (word == "emspace" || word == "enspace" || word == "qmspace")
        Text(" ");
    else if (word == "pard")
        m_State.Alignment = Qt::AlignLeft;
    else if (word == "ql")
        m_State.Alignment = Qt::AlignLeft;
    else if (word == "qr")
        m_State.Alignment = Qt::AlignRight;
    else if (word == "qc")
        m_State.Alignment = Qt::AlignHCenter;
    else if (word == "qj")
        m_State.Alignment = Qt::AlignJustify;
    else if (word == "plain") {
        m_State.Font = -1;
        m_State.HalfPoints = 24;
        m_State.Bold = m_State.Italic = m_State.Underline = m_State.StrikeOut = false;
        m_State.Color = 0;
    } else if (word == "f")
        m_State.Font = parameter;
    else if (word == "fs")
        m_State.HalfPoints = std::clamp(hasParameter ? parameter : 24, 2, 3276);
    else if (word == "b")
        m_State.Bold = on;
    else if (word == "i")
        m_State.Italic = on;
    else if (word == "ulnone")
        m_State.Underline = false;
    else if (word.startsWith("ul") && word != "ulc")
        m_State.Underline = on; // \ul, \uld, \uldb, \ulw, \ulwave ...
    else if (word == "strike" || word == "striked")
        m_State.StrikeOut = on;
    else if (word == "cf")
        m_State.Color = parameter;
}

void TRtfReader::TextByte(char byte, bool escaped)
{
    if (m_OverflowDepth > 0)
        return;
    m_GroupStart = false;
    m_StarPending = false;
    switch (m_State.Destination) {
    case dsText:
        if (m_FallbackToSkip > 0)
            --m_FallbackToSkip;
        else
            m_Bytes += byte;
        break;
    case dsFontTable:
        if (byte == ';' && !escaped)
            EndFontEntry();
        else
            m_EntryName += byte;
        break;
    case dsColorTable:
        if (byte == ';' && !escaped) {
            m_Colors += m_ColorGiven ? QColor(m_Red, m_Green, m_Blue) : QColor();
            m_ColorGiven = false;
            m_Red = m_Green = m_Blue = 0;
        }
        break;
    case dsPicture:
        if (!escaped && HexValue(byte) >= 0) {
            if (m_PendingNibble < 0) {
                m_PendingNibble = HexValue(byte);
            } else {
                m_Picture.Data += char(m_PendingNibble * 16 + HexValue(byte));
                m_PendingNibble = -1;
            }
        }
        break;
    case dsSkip: break;
    }
}

void TRtfReader::Text(const QString& text)
{
    if (m_State.Destination != dsText)
        return;
    FlushBytes();
    m_Text += text;
}

void TRtfReader::RawBytes(int count)
{
    const qsizetype available = std::clamp<qsizetype>(count, 0, m_Rtf.size() - m_Pos);
    if (m_OverflowDepth == 0 && m_State.Destination == dsPicture)
        m_Picture.Data += m_Rtf.mid(m_Pos, available);
    m_Pos += available;
}

void TRtfReader::FlushBytes()
{
    if (m_Bytes.isEmpty())
        return;
    m_Text += Decode(m_Bytes, CodePageOfFont(m_State.Font));
    m_Bytes.clear();
}

void TRtfReader::FlushText()
{
    FlushBytes();
    const QString text = WithoutControls(m_Text);
    m_Text.clear();
    if (text.isEmpty())
        return;
    RealizeParagraph();
    m_Cursor.insertText(text, CharFormat());
}

void TRtfReader::EndParagraph()
{
    RealizeParagraph();
    m_Cursor.setBlockFormat(BlockFormat());
    if (m_Cursor.block().length() <= 1)
        m_Cursor.setBlockCharFormat(CharFormat());
    m_ParagraphPending = true;
}

void TRtfReader::RealizeParagraph()
{
    if (!m_ParagraphPending)
        return;
    m_Cursor.insertBlock(BlockFormat(), CharFormat());
    m_ParagraphPending = false;
}

void TRtfReader::StartFontEntry(int number)
{
    EndFontEntry();
    m_EntryFont = number;
    m_EntryCharset = 0;
}

void TRtfReader::EndFontEntry()
{
    QString name =
        Decode(m_EntryName, CodePageOfCharset(m_EntryCharset) == SymbolCodePage ? m_AnsiCodePage
                                                                                : CodePageOfCharset(m_EntryCharset));
    // No font is named with control characters, and the writer could not write them back: a
    // name read must be a name written, or a saved cell would change each time it is read.
    name.removeIf([](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
    name = name.trimmed();
    m_EntryName.clear();
    if (name.isEmpty())
        return;
    m_Fonts[m_EntryFont] = {name, m_EntryCharset};
}

void TRtfReader::InsertPicture()
{
    if (m_Picture.Kind == pkNone)
        return;
    const int ppi = ScreenPpi();
    QTextImageFormat format = AddPictureResource(m_Document, m_Picture.Decode(ppi));
    const QSize size = m_Picture.DisplaySize(ppi);
    format.setWidth(size.width());
    format.setHeight(size.height());
    if (m_Picture.KeepsSource()) {
        format.setProperty(RtfPictureKindProperty, int(m_Picture.Kind));
        format.setProperty(RtfPictureDataProperty, m_Picture.Data);
        format.setProperty(RtfPictureSourceSizeProperty, QSize(m_Picture.PicW, m_Picture.PicH));
        format.setProperty(RtfPictureMapModeProperty, m_Picture.MapMode);
    }
    RealizeParagraph();
    m_Cursor.insertImage(format);
}

QTextCharFormat TRtfReader::CharFormat() const
{
    QTextCharFormat format;
    const auto font = m_Fonts.find(m_State.Font >= 0 ? m_State.Font : m_DefaultFont);
    if (font != m_Fonts.end())
        format.setFontFamilies(QStringList{font->second.Name});
    format.setFontPointSize(m_State.HalfPoints / 2.0);
    format.setFontWeight(m_State.Bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(m_State.Italic);
    format.setFontUnderline(m_State.Underline);
    format.setFontStrikeOut(m_State.StrikeOut);
    if (m_State.Color > 0 && m_State.Color < m_Colors.size() && m_Colors[m_State.Color].isValid())
        format.setForeground(m_Colors[m_State.Color]);
    return format;
}

QTextBlockFormat TRtfReader::BlockFormat() const
{
    QTextBlockFormat format;
    format.setAlignment(m_State.Alignment);
    return format;
}

int TRtfReader::CodePageOfFont(int font) const
{
    const auto entry = m_Fonts.find(font >= 0 ? font : m_DefaultFont);
    const int codePage = entry == m_Fonts.end() ? 0 : CodePageOfCharset(entry->second.Charset);
    return codePage == 0 ? m_AnsiCodePage : codePage;
}

QString TRtfReader::Decode(const QByteArray& bytes, int codePage)
{
    if (codePage == SymbolCodePage) {
        QString text;
        for (char byte : bytes)
            text += QChar(0xF000 + uchar(byte));
        return text;
    }
    if (codePage != 1252) {
        auto& decoder = m_Decoders[codePage];
        if (!decoder)
            decoder =
                std::make_unique<QStringDecoder>(CodecName(codePage).constData(), QStringConverter::Flag::Stateless);
        if (decoder->isValid())
            return decoder->decode(bytes);
    }
    return FromWindows1252(bytes);
}
