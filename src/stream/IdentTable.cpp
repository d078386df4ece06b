#include "stream/IdentTable.h"

#include "platform/Color.h"

TIdentTable::TIdentTable(std::vector<TIdentEntry> entries, TNormalize normalize)
    : m_Entries(std::move(entries))
    , m_Normalize(normalize)
{
}

std::optional<QString> TIdentTable::ToIdent(qint32 value) const
{
    if (m_Normalize)
        value = m_Normalize(value);
    for (const TIdentEntry& entry : m_Entries) {
        if (entry.Written && entry.Value == value)
            return entry.Name;
    }
    return std::nullopt;
}

std::optional<qint32> TIdentTable::FromIdent(const QString& name) const
{
    for (const TIdentEntry& entry : m_Entries) {
        if (entry.Name.compare(name, Qt::CaseInsensitive) == 0)
            return entry.Value;
    }
    return std::nullopt;
}

namespace {

// System colours of the $FF000000 base are written with the names of the $80000000 base.
qint32 NormalizeSystemColor(qint32 color)
{
    const int index = SystemColorIndex(color);
    return index >= 0 ? SystemColor(index) : color;
}

} // namespace

const TIdentTable& ColorIdents()
{
    static const TIdentTable table(
        {
            {clBlack, "clBlack"},
            {clMaroon, "clMaroon"},
            {clGreen, "clGreen"},
            {clOlive, "clOlive"},
            {clNavy, "clNavy"},
            {clPurple, "clPurple"},
            {clTeal, "clTeal"},
            {clGray, "clGray"},
            {clSilver, "clSilver"},
            {clRed, "clRed"},
            {clLime, "clLime"},
            {clYellow, "clYellow"},
            {clBlue, "clBlue"},
            {clFuchsia, "clFuchsia"},
            {clAqua, "clAqua"},
            {clWhite, "clWhite"},
            {clNone, "clNone"},
            {clScrollBar, "clScrollBar"},
            {clBackground, "clBackground"},
            {clActiveCaption, "clActiveCaption"},
            {clInactiveCaption, "clInactiveCaption"},
            {clMenu, "clMenu"},
            {clWindow, "clWindow"},
            {clWindowFrame, "clWindowFrame"},
            {clMenuText, "clMenuText"},
            {clWindowText, "clWindowText"},
            {clCaptionText, "clCaptionText"},
            {clActiveBorder, "clActiveBorder"},
            {clInactiveBorder, "clInactiveBorder"},
            {clAppWorkSpace, "clAppWorkSpace"},
            {clHighlight, "clHighlight"},
            {clHighlightText, "clHighlightText"},
            {clBtnFace, "clBtnFace"},
            {clBtnShadow, "clBtnShadow"},
            {clGrayText, "clGrayText"},
            {clBtnText, "clBtnText"},
            {clInactiveCaptionText, "clInactiveCaptionText"},
            {clBtnHighlight, "clBtnHighlight"},
            {cl3DDkShadow, "cl3DDkShadow"},
            {cl3DLight, "cl3DLight"},
            {clInfoText, "clInfoText"},
            {clInfoBk, "clInfoBk"},
        },
        NormalizeSystemColor);
    return table;
}

const TIdentTable& CursorIdents()
{
    static const TIdentTable table({
        {0, "crDefault"},   {-2, "crArrow"},        {-3, "crCross"},     {-4, "crIBeam"},    {-6, "crSizeNESW"},
        {-7, "crSizeNS"},   {-8, "crSizeNWSE"},     {-9, "crSizeWE"},    {-10, "crUpArrow"}, {-11, "crHourGlass"},
        {-12, "crDrag"},    {-13, "crNoDrop"},      {-14, "crHSplit"},   {-15, "crVSplit"},  {-16, "crMultiDrag"},
        {-17, "crSQLWait"}, {-18, "crNo"},          {-19, "crAppStart"}, {-20, "crHelp"},    {-21, "crHandPoint"},
        {-22, "crSizeAll"}, {-22, "crSize", false},
    });
    return table;
}

const TIdentTable& CharsetIdents()
{
    static const TIdentTable table({
        {0, "ANSI_CHARSET"},
        {1, "DEFAULT_CHARSET"},
        {2, "SYMBOL_CHARSET"},
        {77, "MAC_CHARSET"},
        {128, "SHIFTJIS_CHARSET"},
        {129, "HANGEUL_CHARSET"},
        {130, "JOHAB_CHARSET"},
        {134, "GB2312_CHARSET"},
        {136, "CHINESEBIG5_CHARSET"},
        {161, "GREEK_CHARSET"},
        {162, "TURKISH_CHARSET"},
        {177, "HEBREW_CHARSET"},
        {178, "ARABIC_CHARSET"},
        {186, "BALTIC_CHARSET"},
        {204, "RUSSIAN_CHARSET"},
        {222, "THAI_CHARSET"},
        {238, "EASTEUROPE_CHARSET"},
        {255, "OEM_CHARSET"},
    });
    return table;
}
