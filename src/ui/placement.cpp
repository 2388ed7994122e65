#include "ui/placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "stream/inifile.h"
#include "stream/preferences.h"
#include "ui/uiutil.h"

namespace dayloom {

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
