#pragma once

#include <QString>

namespace dayloom {

// Registers calendar documents with the desktop the freedesktop way: a
// shared-mime-info package for "*.<ext>" (application/x-dayloom-calendar) and
// a .desktop entry that opens them with the program, both under the user's
// data folder (~/.local/share), then refreshes the MIME and desktop
// databases when their tools are installed.
class DocumentTypeRegistration {
public:
    // The extension is trimmed and gets a leading "." when it has none; an
    // empty extension writes nothing and returns false. `program` is the
    // program's full path. Returns true when the desktop entry was written.
    static bool Register(const QString& extension, const QString& program,
                         QString* error = nullptr);

    static QString MimeType() { return QStringLiteral("application/x-dayloom-calendar"); }
    // The files' contents, as installed by the build too.
    static QByteArray MimeXml(const QString& extension);
    static QByteArray DesktopEntry(const QString& program);
};

}  // namespace dayloom
