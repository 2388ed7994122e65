#pragma once

#include <QString>
#include <QStringList>

namespace dayloom {

// The screen's logical pixels per inch, truncated to an integer. Page geometry
// is converted from inches with it. Tests and headless export fix it at 96.
int ScreenPPI();
void SetScreenPPI(int ppi);  // 0 returns to the screen's own value

// Milliseconds from a monotonic clock (the tick count of the timing rules).
qint64 TickCount();

// ProgramDir is the folder of the program's own files (DL.ini, the
// recurring-date list, the object clipboard, the user's own additions),
// always ending in "/". --program-dir sets it; otherwise it is the
// executable's folder when that folder is writable and is not part of an
// installation (a build tree or a portable folder), else the per-user data
// folder (QStandardPaths::AppDataLocation).
void SetProgramDir(const QString& dir);
QString ProgramDir();
// The installation's data folder: "../share/dayloom" from the executable's
// folder, or the executable's own folder for a program that is not
// installed (a build tree, where the build links the data, or a portable
// folder). Tests point it at the shipped data.
void SetInstalledDataDir(const QString& dir);
QString InstalledDataDir();
// Folders where files the program only reads (Borders, Textures, icon
// libraries, BonusIcons, Clipart, help, samples) are found: ProgramDir first,
// then the installation's data folder. Each ends in "/".
QStringList DataDirs();
// The first existing path of relativePath below one of DataDirs(), letter
// case of each component ignored; empty when none exists.
QString FindDataFile(const QString& relativePath);
// Every existing folder relativePath below DataDirs(), in lookup order (a
// list of borders or libraries joins them, the first of a name winning).
QStringList FindDataFolders(const QString& relativePath);
// A program file given by its name below ProgramDir: where FindDataFile finds
// it, else ProgramDir + relativePath (where it would be created).
QString DataFilePath(const QString& relativePath);
// A file in dir whose name equals name ignoring letter case; dir + name when
// none exists.
QString FileInDirIgnoringCase(const QString& dir, const QString& name);

}  // namespace dayloom
