#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include "core/tcolor.h"

namespace dayloom {

class IniFile;

// The program's preferences in its ini file: what the window's
// LoadPreferences reads and SavePreferences writes, the folders file
// dialogs start in, and the keys window placements are stored under. The
// command line reads them too (the default editor font of --fill-recurring),
// so they live below the widgets.

// ProgramDir + "DL.ini".
QString IniFileName();

// Everything LoadPreferences reads and SavePreferences writes.
struct Preferences {
    int MainZoom = 60;
    int PropZoom = 30;
    QString DefaultFontName = QStringLiteral("Arial");
    int DefaultFontSize = 10;
    bool DefaultFontBold = false;
    bool DefaultFontItalic = false;
    bool DefaultFontUnderline = false;
    bool DefaultFontStrikeout = false;
    TColor DefaultFontColor = clBlack;
    QString IconFile;  // default: ProgramDir + "MISC1.ICL"
    bool IconsVisible = true;
    bool ShowHints = true;
};
// Reads every key (defaults for the missing ones) in the program's order.
Preferences ReadPreferences(const IniFile& ini);
// Writes every key in the program's order; false when the file could not be
// written.
bool WritePreferences(IniFile& ini, const Preferences& prefs);

// The folders file dialogs start in, kept in the section [Folders] under
// the keys "Documents" (Open, Save As), "Exports" (the picture exports),
// "Clipart" (the folder the clip-art browser last placed a picture from) and
// "Calendars" (iCalendar files imported or exported).
enum class FolderKind { Documents, Exports, Clipart, Calendars };
// The folder last used for that kind of file; empty when none is stored.
QString ReadLastFolder(FolderKind kind);
bool WriteLastFolder(FolderKind kind, const QString& folder);
// Where a dialog for documents or exports starts: the folder of the open
// document (currentFile, empty when none), else the folder last used when
// it still exists, else the user's documents folder (else the home folder).
QString StartFolder(FolderKind kind, const QString& currentFile);

// The placement section of a window class: class + "_Placement", with the
// screen's pixels per inch appended above 96.
QString PlacementSection(const QString& formClass);
// A stored rectangle moved back onto a screen of the given size: first so
// that its right (bottom) edge is not beyond the screen, then so that its
// left (top) edge is not negative (it then becomes 1).
QRect KeepOnScreen(const QRect& bounds, const QSize& screen);

}  // namespace dayloom
