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

// Folders where files the program only reads (Borders, help pages, samples)
// are found: ProgramDir first, then the installation's data folder, then the
// source tree's data folder for a build-tree run. Each ends in "/".
void SetProgramDir(const QString& dir);
QString ProgramDir();
QStringList DataDirs();
// The first existing path of name below one of DataDirs(), letter case of the
// last component ignored; empty when none exists.
QString FindDataFile(const QString& relativePath);
// A file in dir whose name equals name ignoring letter case; dir + name when
// none exists.
QString FileInDirIgnoringCase(const QString& dir, const QString& name);

}  // namespace dayloom
