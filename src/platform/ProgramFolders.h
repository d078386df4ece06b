#pragma once
// Where the program's files are. Shipped files (icon libraries, textures, help pages, samples)
// are found beside the executable, or in ../share/mervane/ beside its folder when installed
// (`cmake --install`); files the program writes (MV.ini, MVRECUR.DAX, Clipbrd.tmp, TempFile.tmp)
// go to the data folder: the program folder when it is writable and not installed (the build
// folder, a portable copy), otherwise the user's application data folder.

#include <QString>

// Folder of the running executable, always ending in '/'.
QString ProgramFolder();

// Folder of the shipped files, always ending in '/'.
QString ResourceFolder();

// The shipped files' folder of a program in `programFolder` (ending in '/'): its
// ../share/mervane/ (as installed) when that exists, else `programFolder` itself.
QString ResourceFolderFor(const QString& programFolder);

// The data folder of a program in `programFolder`: `userFolder` when the program is installed or
// its folder is not writable, else `programFolder`. Both end in '/'.
QString DataFolderFor(const QString& programFolder, const QString& userFolder);

// Folder for the files the program writes, always ending in '/'; created when missing.
QString DataFolder();

// Where the open and save dialogs of calendar files and style sheets start: the data folder, so
// that a program folder the user cannot write to is never offered for saving.
QString UserFilesFolder();

// DataFolder() + "MV.ini".
QString IniFileName();

// Makes DataFolder() answer `folder` from now on (tests point it at a temporary folder);
// an empty string returns to the normal choice.
void OverrideDataFolder(const QString& folder);
