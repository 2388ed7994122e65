#pragma once

#include <memory>

#include <QHash>
#include <QRect>

class QPainter;
class QTextDocument;

namespace dayloom {

class TWPRtfStorage;

// Paints rich-text stores. Laid-out text is kept between paints, keyed on the
// store, its revision and the page width, so repainting unchanged cells only
// draws.
class RichTextRenderer {
public:
    RichTextRenderer();
    ~RichTextRenderer();
    RichTextRenderer(const RichTextRenderer&) = delete;
    RichTextRenderer& operator=(const RichTextRenderer&) = delete;

    // Paints the store's text into `target` of any QPainter, from the top-left
    // corner, laid out on a page width of pageWidthTwips and scaled by
    // zoomPercent (100: one twip = PPI/1440 pixels, PPI = ScreenPPI()); what
    // falls outside target is cut.
    void Paint(const TWPRtfStorage& text, QPainter& painter, const QRect& target,
               int pageWidthTwips, int zoomPercent);

    // The height in pixels at zoom 100 the text takes on that page width.
    qreal TextHeight(const TWPRtfStorage& text, int pageWidthTwips);

    // Forgets every laid-out text.
    void ClearCache();
    int CacheSize() const { return int(FCache.size()); }

private:
    struct Entry {
        quint64 revision = 0;
        int widthTwips = 0;
        std::shared_ptr<QTextDocument> layout;
    };
    QTextDocument* LayoutFor(const TWPRtfStorage& text, int pageWidthTwips);

    QHash<const TWPRtfStorage*, Entry> FCache;
};

}  // namespace dayloom
