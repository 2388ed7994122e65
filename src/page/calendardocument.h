#pragma once

#include <QByteArray>
#include <QString>

#include "core/fileaccess.h"

class QObject;

namespace dayloom {

class TCalendarPanel32;
struct PageSettings;
class ValueReader;
class ValueWriter;

// The calendar document (.DLF, kind 1) and the style sheet (kind 2): the
// page settings as a hand-ordered list of values, the 42 day-cell stores,
// the user title and the page objects as component records.
//
// Writing produces version 4. Files are written through a temporary file in
// the same folder that replaces the target only once it is complete; a
// failure (also a target that is not a regular file) throws WriteError
// naming the file and leaves the target as it was. Reading accepts every
// version and throws ReadError with the stream's message; values read before
// the error stay in the page. A damaged object list does not fail the load:
// the objects before the damage stay, and the result says so.

// What a document load got of the object list.
struct DocumentLoadResult {
    int ObjectsRead = 0;
    // False when the list could not be read through to its end marker: the
    // document was read only in part, and saving it drops what was lost.
    bool ObjectListComplete = true;
    bool Partial() const { return !ObjectListComplete; }
};

class CalendarDocument {
public:
    static constexpr int Version = 4;
    static constexpr int KindDocument = 1;
    static constexpr int KindStyleSheet = 2;

    // The version 4 document of the page as bytes. Page objects are written
    // in page pixels, whatever zoom a view shows them at.
    static QByteArray Save(const TCalendarPanel32& page);
    static void SaveToFile(const TCalendarPanel32& page, const QString& path);

    // Reads a document into the page. The caller clears the cells, the page
    // objects and the user title first. New page objects are named
    // "Component" + the lowest number 0..1000 that no object below `owner`
    // (the page when null) carries yet. An error inside the object list
    // keeps the objects read before it and ignores the rest; the result
    // tells.
    static DocumentLoadResult Load(TCalendarPanel32& page, const QByteArray& data,
                                   QObject* owner = nullptr);
    static DocumentLoadResult LoadFromFile(TCalendarPanel32& page, const QString& path,
                                           QObject* owner = nullptr);

    static QByteArray SaveStyle(const TCalendarPanel32& page);
    // Settings and border only; cells, dates, title and objects untouched.
    static void LoadStyle(TCalendarPanel32& page, const QByteArray& data);

    // The whole file read as `kind`; ReadError "Stream read error" when it
    // cannot be read, is not a regular file or is beyond the kind's size.
    static QByteArray ReadWholeFile(const QString& path, InputKind kind = InputKind::Document);

private:
    static void writeSettings(ValueWriter& w, const PageSettings& settings);
    static void readSettings(ValueReader& r, PageSettings& settings);
    static DocumentLoadResult readObjects(ValueReader& r, TCalendarPanel32& page, QObject* owner);
};

// The texts the window and the command line give about documents.
// "Unable to open <path>." and, on a line of its own, "Possibly corrupted,
// possibly not a Calendar file" (a style sheet: "... Calendar Style file").
QString UnableToOpenText(const QString& path, bool styleSheet = false);
// The warning after a document was read only in part.
QString PartialReadText(int objectsRead);
// The question before such a document is saved over.
QString PartialSaveQuestion();

// For the properties dialog's style-sheet buttons.
void SaveStyleSheet(const TCalendarPanel32& page, const QString& path);
void LoadStyleSheet(TCalendarPanel32& page, const QString& path);

}  // namespace dayloom
