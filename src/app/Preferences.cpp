#include "app/Preferences.h"

#include "platform/IniFile.h"
#include "platform/ProgramFolders.h"

void TPreferences::Load(const TIniFile& ini)
{
    MainZoomPercent = ini.ReadInteger("Zooming", "Main", 60);
    PropertiesZoomPercent = ini.ReadInteger("Zooming", "Prop", 30);
    DefaultFont.Name = ini.ReadString("Default Font", "Name", "Arial");
    DefaultFont.Size = ini.ReadInteger("Default Font", "Size", 10);
    DefaultFont.Bold = ini.ReadBool("Default Font", "Bold", false);
    DefaultFont.Italic = ini.ReadBool("Default Font", "Italic", false);
    DefaultFont.Underline = ini.ReadBool("Default Font", "Underline", false);
    DefaultFont.Strikeout = ini.ReadBool("Default Font", "Strikeout", false);
    DefaultFont.Color = ini.ReadInteger("Default Font", "Color", clBlack);
    IconFile = ini.ReadString("Icons", "File", ProgramFolder() + "MISC1.ICL");
    IconToolVisible = ini.ReadBool("Icons", "Visible", true);
    HintsOn = ini.ReadBool("Hints", "On", true);
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
