#pragma once

#include <QByteArray>
#include <QString>

#include "print/calendarprintjob.h"

namespace dayloom {

class TCalendarPanel32;

// The print job as a PDF file: what printing draws, at the paper's true size
// (Letter 8.5 x 11 in, A4 210 x 297 mm, landscape turned), with the page's
// top-left corner on the paper's corner. Texts stay text with their fonts
// embedded; pictures keep their own resolution.
class PdfExport {
public:
    // Device units per inch of the file's drawing.
    static constexpr int Resolution = 1200;

    // The file's bytes; empty when the job fails.
    static QByteArray Render(TCalendarPanel32& page, const PrintJobOptions& options, const QString& title = {});
    // Writes the file through a temporary file that replaces path only once
    // it is complete: a failed write leaves an earlier file as it was. True
    // when this file was written. Reading the recurring-date list may throw
    // ReadError.
    static bool Save(TCalendarPanel32& page, const QString& path, const PrintJobOptions& options);
};

}  // namespace dayloom
