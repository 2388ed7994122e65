#pragma once

#include <QString>

#include "page/calendardocument.h"

class QObject;

namespace dayloom {

class TCalendarPanel32;

// What a calendar page needs around it to show a document as the main window
// shows it, with or without a window: an owner that names the page objects
// and holds the rich-text labels' shared renderer, the border picture, and
// the page description the window starts from. The window and the command
// line both go through these, so that they paint the same page.

// Gives owner the shared rich-text renderer (unless it has one), attaches
// the border picture to the page and applies the window's page description.
void PrepareDocumentPage(QObject* owner, TCalendarPanel32& page);

// File > Open's reading: the cells, page objects and user title go, then the
// document is read (objects named below owner) and the objects are taken in.
// Throws what reading throws; what was read before a fault stays. A damaged
// object list does not throw: the result says how much of it was read.
DocumentLoadResult ReadDocumentInto(TCalendarPanel32& page, const QString& path, QObject* owner);

}  // namespace dayloom
