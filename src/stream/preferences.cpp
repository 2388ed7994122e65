#include "stream/preferences.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/screen.h"
#include "stream/inifile.h"

namespace dayloom {

namespace {
const QString kZooming = QStringLiteral("Zooming");
const QString kFont = QStringLiteral("Default Font");
const QString kIcons = QStringLiteral("Icons");
const QString kHints = QStringLiteral("Hints");
const QString kFolders = QStringLiteral("Folders");

QString folderKey(FolderKind kind)
{
    switch (kind) {
    case FolderKind::Exports:
        return QStringLiteral("Exports");
    case FolderKind::Clipart:
        return QStringLiteral("Clipart");
    case FolderKind::Calendars:
        return QStringLiteral("Calendars");
    default:
        return QStringLiteral("Documents");
    }
}

bool isFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}
}  // namespace

QString IniFileName() { return ProgramDir() + QStringLiteral("DL.ini"); }

Preferences ReadPreferences(const IniFile& ini)
{
    Preferences p;
    p.MainZoom = ini.ReadInteger(kZooming, QStringLiteral("Main"), 60);
    p.PropZoom = ini.ReadInteger(kZooming, QStringLiteral("Prop"), 30);
    p.DefaultFontName = ini.ReadString(kFont, QStringLiteral("Name"), QStringLiteral("Arial"));
    p.DefaultFontSize = ini.ReadInteger(kFont, QStringLiteral("Size"), 10);
    p.DefaultFontBold = ini.ReadBool(kFont, QStringLiteral("Bold"), false);
    p.DefaultFontItalic = ini.ReadBool(kFont, QStringLiteral("Italic"), false);
    p.DefaultFontUnderline = ini.ReadBool(kFont, QStringLiteral("Underline"), false);
    p.DefaultFontStrikeout = ini.ReadBool(kFont, QStringLiteral("Strikeout"), false);
    p.DefaultFontColor = ini.ReadInteger(kFont, QStringLiteral("Color"), 0);
    p.IconFile = ini.ReadString(kIcons, QStringLiteral("File"),
                                ProgramDir() + QStringLiteral("MISC1.ICL"));
    p.IconsVisible = ini.ReadBool(kIcons, QStringLiteral("Visible"), true);
    p.ShowHints = ini.ReadBool(kHints, QStringLiteral("On"), true);
    return p;
}

bool WritePreferences(IniFile& ini, const Preferences& p)
{
    ini.BeginUpdate();
    bool ok = ini.WriteInteger(kZooming, QStringLiteral("Main"), p.MainZoom);
    ok = ini.WriteInteger(kZooming, QStringLiteral("Prop"), p.PropZoom) && ok;
    ok = ini.WriteString(kFont, QStringLiteral("Name"), p.DefaultFontName) && ok;
    ok = ini.WriteInteger(kFont, QStringLiteral("Size"), p.DefaultFontSize) && ok;
    ok = ini.WriteBool(kFont, QStringLiteral("Bold"), p.DefaultFontBold) && ok;
    ok = ini.WriteBool(kFont, QStringLiteral("Italic"), p.DefaultFontItalic) && ok;
    ok = ini.WriteBool(kFont, QStringLiteral("Underline"), p.DefaultFontUnderline) && ok;
    ok = ini.WriteBool(kFont, QStringLiteral("Strikeout"), p.DefaultFontStrikeout) && ok;
    ok = ini.WriteInteger(kFont, QStringLiteral("Color"), p.DefaultFontColor) && ok;
    ok = ini.WriteBool(kIcons, QStringLiteral("Visible"), p.IconsVisible) && ok;
    ok = ini.WriteBool(kHints, QStringLiteral("On"), p.ShowHints) && ok;
    ok = ini.WriteString(kIcons, QStringLiteral("File"), p.IconFile) && ok;
    return ini.EndUpdate() && ok;
}

QString ReadLastFolder(FolderKind kind)
{
    return IniFile(IniFileName()).ReadString(kFolders, folderKey(kind), QString());
}

bool WriteLastFolder(FolderKind kind, const QString& folder)
{
    IniFile ini(IniFileName());
    return ini.WriteString(kFolders, folderKey(kind), folder);
}

QString StartFolder(FolderKind kind, const QString& currentFile)
{
    if (!currentFile.isEmpty()) {
        const QString own = QFileInfo(currentFile).absolutePath();
        if (isFolder(own))
            return own;
    }
    const QString last = ReadLastFolder(kind);
    if (isFolder(last))
        return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (isFolder(documents))
        return documents;
    return QDir::homePath();
}

QString PlacementSection(const QString& formClass)
{
    QString section = formClass + QStringLiteral("_Placement");
    const int ppi = ScreenPPI();
    if (ppi > 96)
        section += QString::number(ppi);
    return section;
}

QRect KeepOnScreen(const QRect& bounds, const QSize& screen)
{
    // Left/Top/Right/Bottom with exclusive right and bottom edges.
    int left = bounds.x(), top = bounds.y();
    int right = left + bounds.width(), bottom = top + bounds.height();
    if (right > screen.width()) {
        left -= right - screen.width();
        right = screen.width();
    }
    if (left < 0) {
        right += 1 - left;
        left = 1;
    }
    if (bottom > screen.height()) {
        top -= bottom - screen.height();
        bottom = screen.height();
    }
    if (top < 0) {
        bottom += 1 - top;
        top = 1;
    }
    return QRect(left, top, right - left, bottom - top);
}

}  // namespace dayloom
