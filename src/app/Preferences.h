#pragma once
// The program's preferences as MV.ini keeps them: the page zoom, the zoom of the properties
// dialog's preview, the default editor font, the icon library and visibility of the icon tool,
// and whether tool tips show. The main window loads them at creation and saves them whenever
// one of them changes and when it closes. Missing keys, values that are not numbers and values
// out of range give the defaults.

#include "richtext/WPDefaultFont.h"

#include <QString>

class TIniFile;

struct TPreferences {
    int MainZoomPercent = 60;
    int PropertiesZoomPercent = 30;
    TWPDefaultFont DefaultFont;
    QString IconFile; // full path; ResourceFolder() + "MISC1.ICL" unless stored
    bool IconToolVisible = true;
    bool HintsOn = true;

    void Load(const TIniFile& ini);
    // Writes the file once; false when it could not be written (the old file is then whole).
    bool Save(TIniFile& ini) const;
};
