#include "print/pictureexport.h"

#include <cmath>


#include "core/fileaccess.h"
#include "imaging/bmpfile.h"
#include "imaging/jpegcodec.h"
#include "imaging/pagepicture.h"
#include "imaging/pngwriter.h"
#include "page/tcalendarpanel32.h"

namespace dayloom {

namespace {

// The screen's mapping at the zoom, at the pixels per inch the page was
// laid out with.
PageMapping exportMapping(const TCalendarPanel32& page, Zoom zoom)
{
    return PageMapping::Screen(zoom, page.Layout().PPI);
}

}  // namespace

QRect PictureExport::MarginRect(const TCalendarPanel32& page, QSize bitmapSize, Zoom zoom)
{
    return MarginRect(page, bitmapSize, exportMapping(page, zoom));
}

QRect PictureExport::MarginRect(const TCalendarPanel32& page, QSize bitmapSize, const PageMapping& m)
{
    const int left = m.Inches(page.LeftMarginInch());
    const int top = m.Inches(page.TopMarginInch());
    const int right = bitmapSize.width() - m.Inches(page.RightMarginInch());
    const int bottom = bitmapSize.height() - m.Inches(page.BottomMarginInch());
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QImage PictureExport::CalendarPicture(TCalendarPanel32& page, Zoom zoom)
{
    return CalendarPicture(page, exportMapping(page, zoom));
}

QImage PictureExport::CalendarPicture(TCalendarPanel32& page, const PageMapping& mapping)
{
    const QSize size = mapping.MapSize(page.Size());
    if (size.isEmpty())
        return {};
    QImage whole = NewPagePicture(size);
    if (whole.isNull())
        return {};
    page.PaintToBitmap(whole, mapping);

    const QRect m = MarginRect(page, whole.size(), mapping);
    // One pixel less than the margin rectangle each way.
    const int w = m.width() - 1;
    const int h = m.height() - 1;
    if (w <= 0 || h <= 0)
        return {};
    // Margins wider than the page leave nothing inside it.
    if (!whole.rect().contains(m.topLeft()) || !whole.rect().contains(m.bottomRight()))
        return {};
    // The margin rectangle, scaled in the page's picture itself.
    QImage picture = ScaleDownInPlace(whole, m, QSize(w, h));
    if (picture.isNull())
        return {};
    const int dpm = int(std::lround(double(mapping.FontPPI) / 0.0254));
    picture.setDotsPerMeterX(dpm);
    picture.setDotsPerMeterY(dpm);
    return picture;
}

QByteArray PictureExport::Encode(const QImage& picture, Format format)
{
    if (picture.isNull())
        return {};
    // The picture's own resolution goes into the file.
    const int ppi = int(std::lround(double(picture.dotsPerMeterX()) * 0.0254));
    switch (format) {
    case Bitmap:
        return BmpFile::Encode24(picture, ppi);
    case Jpeg:
        return JpegCodec::Encode(picture, 100, ppi);
    case Png:
        return PngWriter::Encode(picture, ppi);
    }
    return {};
}

bool PictureExport::WriteFile(const QString& path, const QByteArray& bytes)
{
    return !bytes.isEmpty() && SaveFileContents(path, bytes);
}

bool PictureExport::SaveCalendarToBitmap(TCalendarPanel32& page, const QString& path, Format format, Zoom zoom)
{
    try {
        const QImage picture = CalendarPicture(page, zoom);
        if (picture.isNull())
            return false;
        return WriteFile(path, Encode(picture, format));
    } catch (...) {
        return false;
    }
}

bool PictureExport::SaveCalendarAtResolution(TCalendarPanel32& page, const QString& path, Format format, int dpi)
{
    if (dpi < MinDpi || dpi > MaxDpi)
        return false;
    try {
        // At the page's own resolution the picture is the window's 100 %
        // picture (whose step sits a little above 1, as every zoom step does).
        const QImage picture = CalendarPicture(page, dpi == page.Layout().PPI
                                                         ? exportMapping(page, Zoom::FromPercent(100))
                                                         : PageMapping::Bitmap(dpi, page.Layout().PPI));
        if (picture.isNull())
            return false;
        return WriteFile(path, Encode(picture, format));
    } catch (...) {
        return false;
    }
}

}  // namespace dayloom
