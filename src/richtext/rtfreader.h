#pragma once

#include <QByteArray>

class QTextDocument;

namespace dayloom {

// Reads RTF into a QTextDocument: what RtfWriter writes and the ordinary
// formatted text of common word processors. Malformed or hostile input
// never crashes or hangs: nesting, picture sizes and data are bounded, and
// reading stops at the end of the data keeping what was read.
class RtfReader {
public:
    struct Limits {
        int maxDepth = 256;
        qint64 maxPicturePixels = 64ll * 1024 * 1024;
        int maxGoalTwips = 1440 * 200;  // 200 inches per side
    };

    // Replaces doc's content. Returns false when the data was not RTF (it is
    // then taken as plain Windows-1252 text) or ended inside a group or was
    // otherwise cut short; what could be read is kept either way.
    static bool Read(const QByteArray& rtf, QTextDocument& doc);
    static bool Read(const QByteArray& rtf, QTextDocument& doc, const Limits& limits);
};

}  // namespace dayloom
