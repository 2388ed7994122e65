#pragma once

#include <QByteArray>
#include <QString>

class QObject;

namespace dayloom {

class TCalendarPanel32;
class ValueReader;
class ValueWriter;

// The calendar document (.DLF, kind 1) and the style sheet (kind 2): the
// page settings as a hand-ordered list of values, the 42 day-cell stores,
// the user title and the page objects as component records.
//
// Writing produces version 4. Files are written through a temporary file in
// the same folder that replaces the target only once it is complete; a
// failure throws WriteError naming the file and leaves the target as it was.
// Reading accepts every version and throws ReadError with the stream's
// message; values read before the error stay in the page.
class CalendarDocument {
public:
    static constexpr int Version = 4;
    static constexpr int KindDocument = 1;
    static constexpr int KindStyleSheet = 2;

    // The version 4 document of the page as bytes. Page objects are written
    // as they are: the caller sets the zoom to 1 around it.
    static QByteArray Save(const TCalendarPanel32& page);
    static void SaveToFile(const TCalendarPanel32& page, const QString& path);

    // Reads a document into the page. The caller clears the cells, the page
    // objects and the user title first. New page objects are named
    // "Component" + the lowest number 0..1000 that no object below `owner`
    // (the page when null) carries yet. Errors inside the object list are
    // swallowed: the objects read before stay, the rest is ignored.
    static void Load(TCalendarPanel32& page, const QByteArray& data, QObject* owner = nullptr);
    static void LoadFromFile(TCalendarPanel32& page, const QString& path, QObject* owner = nullptr);

    static QByteArray SaveStyle(const TCalendarPanel32& page);
    // Settings and border only; cells, dates, title and objects untouched.
    static void LoadStyle(TCalendarPanel32& page, const QByteArray& data);

    // Writes bytes to a file atomically (temporary file, flush, rename);
    // WriteError "Unable to write <path>" on failure.
    static void WriteFileAtomically(const QString& path, const QByteArray& bytes);
    // The whole file; ReadError "Stream read error" when it cannot be read.
    static QByteArray ReadWholeFile(const QString& path);

private:
    static void writeSettings(ValueWriter& w, const TCalendarPanel32& page);
    static void readSettings(ValueReader& r, TCalendarPanel32& page);
    static void readObjects(ValueReader& r, TCalendarPanel32& page, QObject* owner);
};

// For the properties dialog's style-sheet buttons.
void SaveStyleSheet(const TCalendarPanel32& page, const QString& path);
void LoadStyleSheet(TCalendarPanel32& page, const QString& path);

}  // namespace dayloom
