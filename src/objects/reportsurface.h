#pragma once

#include <QRectF>

class QPicture;

namespace dayloom {

// What a page object needs of the report layer to print itself: a recorded
// picture stretched into a rectangle given in inches from the paper's origin.
class ReportSurface {
public:
    virtual ~ReportSurface() = default;
    // The page pixels per inch the page was laid out with; page pixels are
    // divided by it to give inches.
    int PagePPI = 96;
    virtual void StretchPicture(const QPicture& picture, const QRectF& inches) = 0;
};

}  // namespace dayloom
