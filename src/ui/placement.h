#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace dayloom {

// Window placement in the ini file, keyed by the window's class name (the
// section PlacementSection gives).
// True when the ini file holds a placement for the window (a usable
// rectangle, or the maximised state).
bool HasStoredPlacement(const QWidget* form);
void RestorePlacement(QWidget* form);
// The bounds of a window that wants the given size and has no placement:
// at most 90 % of the available area each way, centred in it.
QRect FirstWindowBounds(const QSize& wanted, const QRect& available);
void SavePlacement(QWidget* form);
QString FormClassName(const QWidget* form);

}  // namespace dayloom
