#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include "core/pagemapping.h"
#include "core/zoom.h"

namespace dayloom {

class TCalendarPanel32;

// Writing the calendar page as a picture: the page as the screen shows it at
// a zoom, with its page objects, cut to the area inside the page margins.
class PictureExport {
public:
    enum Format { Bitmap, Jpeg, Png };

    // The margin rectangle inside a bitmap of the zoomed page: each margin
    // is trunc(PPI x inches x zoom); right and bottom lie outside.
    static QRect MarginRect(const TCalendarPanel32& page, QSize bitmapSize, Zoom zoom);
    static QRect MarginRect(const TCalendarPanel32& page, QSize bitmapSize, const PageMapping& mapping);

    // The exported picture: the page painted into a bitmap of its zoomed
    // size, then the margin rectangle copied, scaled, into an image one
    // pixel smaller than it in each direction. A null image when there is
    // nothing to export or no memory for it.
    static QImage CalendarPicture(TCalendarPanel32& page, Zoom zoom);
    // The same through any bitmap mapping (PageMapping::Screen or ::Bitmap).
    static QImage CalendarPicture(TCalendarPanel32& page, const PageMapping& mapping);

    // BMP at 24 bits, JPEG at quality 100 (colour, integer DCT), or PNG.
    // Empty when the image cannot be encoded.
    static QByteArray Encode(const QImage& picture, Format format);

    // Writes the bytes through a temporary file in the target's folder that
    // replaces the target only once it is complete: a failed write leaves
    // any earlier file of that name as it was, and a target that is not a
    // regular file (a device node, a folder) is refused. True when this
    // write succeeded.
    static bool WriteFile(const QString& path, const QByteArray& bytes);

    // The whole export; true only when this picture was written to path.
    // Any failure (no memory, an encoder failure, a folder that cannot be
    // written, an invalid name) gives false and leaves the file system as
    // it was. The document's modified state is not touched.
    static bool SaveCalendarToBitmap(TCalendarPanel32& page, const QString& path, Format format, Zoom zoom);
    // The page drawn at dpi dots per inch (not an enlarged screen picture),
    // cut to the margins the same way; at the page's own pixels per inch it
    // is the picture of the window's 100 % step.
    static bool SaveCalendarAtResolution(TCalendarPanel32& page, const QString& path, Format format, int dpi);
    static constexpr int MinDpi = 72;
    static constexpr int MaxDpi = 600;
};

}  // namespace dayloom
