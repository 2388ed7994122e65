#pragma once

#include <QByteArray>

class QTextDocument;

namespace dayloom {

// Writes a QTextDocument as a complete RTF document (Windows-1252 text,
// font and colour tables, character and paragraph formatting, PNG or JPEG
// pictures). The output depends only on the document's content, so the same
// text always gives the same bytes.
class RtfWriter {
public:
    static QByteArray Write(const QTextDocument& doc);
};

}  // namespace dayloom
