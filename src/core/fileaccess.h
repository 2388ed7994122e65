#pragma once

#include <QByteArray>
#include <QString>

namespace dayloom {

// Every file the program reads goes through ReadInputFile and every file it
// writes through SaveFileContents, so that no reader can be made to hang on a
// pipe or take in a device without end, and no save can replace a device
// node or a folder by a regular file.

// What a file is read as. Each kind has a size limit that no real file of
// that kind reaches; a larger file is refused before it is read.
enum class InputKind {
    Document,       // calendar documents and the object clipboard's work file
    StyleSheet,     // calendar style sheets
    Picture,        // clip art: bitmaps, metafiles, icons, JPEG and other pictures
    Texture,        // texture bitmaps of effect text
    BorderPicture,  // the page's border metafiles
    RecurringList,  // the recurring-date list and its older form
    Ini,            // the preferences file
    IconLibrary,    // icon libraries (icon files, programs and libraries of icons)
    Calendar,       // calendar files with events to import
    HelpPage,       // the program's help pages
    SystemFacts,    // the system's own files the configuration report reads (/proc, /etc)
};

// The largest file of a kind that is read, in bytes.
qint64 InputSizeLimit(InputKind kind);

enum class InputFault {
    None,
    Missing,         // no such file
    NotRegularFile,  // a folder, pipe, socket or device
    TooLarge,        // beyond InputSizeLimit
    Unreadable,      // no permission, or a read error
};

// Reads the whole file at path into *bytes (cleared on failure). Only a
// regular file is read (a symbolic link counts as what it points to); a
// pipe is never opened in a way that could wait for a writer.
InputFault ReadInputFile(const QString& path, InputKind kind, QByteArray* bytes);
// A short English reason for a fault ("not a regular file", ...), for the
// messages that give one.
QString InputFaultText(InputFault fault);

// Writes bytes to path through a temporary file in the same folder that
// replaces the target only once it is complete (QSaveFile). A target that
// exists and is not a regular file (a folder, device node, pipe or socket,
// also behind a symbolic link) is refused and left alone. On failure returns
// false with a short reason in *reason; the target is as it was.
bool SaveFileContents(const QString& path, const QByteArray& bytes, QString* reason = nullptr);
// Whether SaveFileContents would refuse path because of what it is.
bool IsSpecialFileTarget(const QString& path);

}  // namespace dayloom
