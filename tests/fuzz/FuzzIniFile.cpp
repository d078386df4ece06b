// MV.ini as the program reads it at start: the preferences and the recent-files list. Values that
// are missing, not numbers or out of range give the defaults; nothing may fail.

#include "FuzzSupport.h"
#include "app/MRUFileList.h"
#include "app/Preferences.h"
#include "platform/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureFuzzApplication();
    const QString fileName = WriteFuzzInput(data, size, "MV.ini");
    TPreferences preferences;
    preferences.Load(TIniFile(fileName));
    TMRUFileList recentFiles;
    recentFiles.SetAutoSave(false);
    recentFiles.SetAutoSaveName(fileName);
    recentFiles.LoadList();
    return 0;
}
