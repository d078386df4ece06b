#include "app/Preferences.h"

#include "platform/IniFile.h"
#include "platform/ProgramFolders.h"

namespace {

// The zoom steps in percent, as the main window and the properties preview use them.
constexpr int MinZoomPercent = 20;
constexpr int MaxZoomPercent = 100;
// Font sizes in points the rich text can hold (its sizes are half points, 2 .. 3276).
constexpr int MinFontSize = 1;
constexpr int MaxFontSize = 1638;

// A plain colour $00BBGGRR or one of the system colours.
bool IsFontColor(TColor color)
{
    const int index = SystemColorIndex(color);
    if (index >= 0)
        return (quint32(color) & 0x00FFFF00u) == 0 && index <= SystemColorIndex(clInfoBk);
    return color >= 0 && color <= 0xFFFFFF;
}

QString NonEmpty(const QString& value, const QString& defaultValue)
{
    return value.isEmpty() ? defaultValue : value;
}

} // namespace

void TPreferences::Load(const TIniFile& ini)
{
    // Each value is checked here, where it is read: out of its range it gives the default, as a
    // missing one does.
    const TPreferences defaults;
    MainZoomPercent = ini.ReadInteger("Zooming", "Main", defaults.MainZoomPercent, MinZoomPercent, MaxZoomPercent);
    PropertiesZoomPercent =
        ini.ReadInteger("Zooming", "Prop", defaults.PropertiesZoomPercent, MinZoomPercent, MaxZoomPercent);
    const TWPDefaultFont& font = defaults.DefaultFont;
    DefaultFont.Name = NonEmpty(ini.ReadString("Default Font", "Name", font.Name), font.Name);
    DefaultFont.Size = ini.ReadInteger("Default Font", "Size", font.Size, MinFontSize, MaxFontSize);
    DefaultFont.Bold = ini.ReadBool("Default Font", "Bold", font.Bold);
    DefaultFont.Italic = ini.ReadBool("Default Font", "Italic", font.Italic);
    DefaultFont.Underline = ini.ReadBool("Default Font", "Underline", font.Underline);
    DefaultFont.Strikeout = ini.ReadBool("Default Font", "Strikeout", font.Strikeout);
    const TColor color = ini.ReadInteger("Default Font", "Color", font.Color);
    DefaultFont.Color = IsFontColor(color) ? color : font.Color;
    const QString iconFile = ResourceFolder() + "MISC1.ICL";
    IconFile = NonEmpty(ini.ReadString("Icons", "File", iconFile), iconFile);
    IconToolVisible = ini.ReadBool("Icons", "Visible", defaults.IconToolVisible);
    HintsOn = ini.ReadBool("Hints", "On", defaults.HintsOn);
}

bool TPreferences::Save(TIniFile& ini) const
{
    ini.BeginUpdate();
    ini.WriteInteger("Zooming", "Main", MainZoomPercent);
    ini.WriteInteger("Zooming", "Prop", PropertiesZoomPercent);
    ini.WriteString("Default Font", "Name", DefaultFont.Name);
    ini.WriteInteger("Default Font", "Size", DefaultFont.Size);
    ini.WriteBool("Default Font", "Bold", DefaultFont.Bold);
    ini.WriteBool("Default Font", "Italic", DefaultFont.Italic);
    ini.WriteBool("Default Font", "Underline", DefaultFont.Underline);
    ini.WriteBool("Default Font", "Strikeout", DefaultFont.Strikeout);
    ini.WriteInteger("Default Font", "Color", DefaultFont.Color);
    ini.WriteBool("Icons", "Visible", IconToolVisible);
    ini.WriteBool("Hints", "On", HintsOn);
    ini.WriteString("Icons", "File", IconFile);
    return ini.EndUpdate();
}
