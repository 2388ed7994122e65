#include "ui/preferences.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QWidget>

#include "core/screen.h"
#include "stream/inifile.h"
#include "ui/uiutil.h"

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

QString FormClassName(const QWidget* form)
{
    QString name = QString::fromLatin1(form->metaObject()->className());
    const qsizetype colon = name.lastIndexOf(u':');
    return colon < 0 ? name : name.mid(colon + 1);
}

bool HasStoredPlacement(const QWidget* form)
{
    if (!form)
        return false;
    const IniFile ini(IniFileName());
    const QString section = PlacementSection(FormClassName(form));
    const int left = ini.ReadInteger(section, QStringLiteral("Left"), 0);
    const int top = ini.ReadInteger(section, QStringLiteral("Top"), 0);
    const int right = ini.ReadInteger(section, QStringLiteral("Right"), 0);
    const int bottom = ini.ReadInteger(section, QStringLiteral("Bottom"), 0);
    if (ini.ReadBool(section, QStringLiteral("Maximized"), false))
        return true;
    return bottom != 0 && right - left > 0 && bottom - top > 0;
}

QRect FirstWindowBounds(const QSize& wanted, const QRect& available)
{
    const int width = qMin(wanted.width(), available.width() * 9 / 10);
    const int height = qMin(wanted.height(), available.height() * 9 / 10);
    return QRect(available.x() + (available.width() - width) / 2,
                 available.y() + (available.height() - height) / 2, width, height);
}

void RestorePlacement(QWidget* form)
{
    if (!form)
        return;
    IniFile ini(IniFileName());
    const QString section = PlacementSection(FormClassName(form));
    const int left = ini.ReadInteger(section, QStringLiteral("Left"), 0);
    const int top = ini.ReadInteger(section, QStringLiteral("Top"), 0);
    const int right = ini.ReadInteger(section, QStringLiteral("Right"), 0);
    const int bottom = ini.ReadInteger(section, QStringLiteral("Bottom"), 0);
    const bool maximized =
        ini.ReadBool(section, QStringLiteral("Maximized"), form->isMaximized());
    if (maximized) {
        form->setWindowState(form->windowState() | Qt::WindowMaximized);
        return;
    }
    QRect bounds(left, top, right - left, bottom - top);
    // Nothing stored, or a rectangle no window can have: centre it instead.
    if (bottom == 0 || right - left <= 0 || bottom - top <= 0) {
        CenterForm(form);
        bounds = QRect(form->pos(), form->size());
    }
    QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1024, 768);
    bounds = KeepOnScreen(bounds, screenSize);
    // Left/Top place the window's frame; the width and height are its inside,
    // so that a placement reads back exactly on any window manager.
    form->move(bounds.topLeft());
    form->resize(bounds.size());
}

void SavePlacement(QWidget* form)
{
    if (!form)
        return;
    IniFile ini(IniFileName());
    const QString section = PlacementSection(FormClassName(form));
    const bool maximized = form->isMaximized();
    QRect r(form->pos(), form->size());
    if (maximized && form->normalGeometry().isValid()) {
        const QPoint frame = form->geometry().topLeft() - form->pos();
        r = QRect(form->normalGeometry().topLeft() - frame, form->normalGeometry().size());
    }
    ini.BeginUpdate();
    ini.WriteInteger(section, QStringLiteral("Left"), r.x());
    ini.WriteInteger(section, QStringLiteral("Top"), r.y());
    ini.WriteInteger(section, QStringLiteral("Right"), r.x() + r.width());
    ini.WriteInteger(section, QStringLiteral("Bottom"), r.y() + r.height());
    ini.WriteBool(section, QStringLiteral("Maximized"), maximized);
    ini.EndUpdate();
}

}  // namespace dayloom
