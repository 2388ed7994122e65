#include "richtextrenderer.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextDocument>

#include "richtextformat.h"
#include "twprtfstorage.h"

namespace dayloom {

namespace {
// Enough for every cell of a page, its labels and a preview page.
constexpr int kMaxCacheEntries = 256;
}  // namespace

RichTextRenderer::RichTextRenderer() = default;
RichTextRenderer::~RichTextRenderer() = default;

void RichTextRenderer::ClearCache() { FCache.clear(); }

QTextDocument* RichTextRenderer::LayoutFor(const TWPRtfStorage& text, int pageWidthTwips)
{
    auto it = FCache.find(&text);
    if (it != FCache.end() && it->revision == text.Revision() && it->widthTwips == pageWidthTwips)
        return it->layout.get();
    if (it == FCache.end() && FCache.size() >= kMaxCacheEntries)
        FCache.clear();

    // Revisions are unique over all stores, so a store that was freed and
    // another one created at the same address never matches a stale entry.
    std::shared_ptr<QTextDocument> doc(text.Document().clone());
    doc->setUndoRedoEnabled(false);
    doc->setDocumentMargin(0);
    doc->setTextWidth(qMax<qreal>(1.0, TwipsToPixels(pageWidthTwips)));
    doc->documentLayout()->documentSize();  // lay out now, once
    Entry& entry = FCache[&text];
    entry.revision = text.Revision();
    entry.widthTwips = pageWidthTwips;
    entry.layout = std::move(doc);
    return entry.layout.get();
}

qreal RichTextRenderer::TextHeight(const TWPRtfStorage& text, int pageWidthTwips)
{
    return LayoutFor(text, pageWidthTwips)->documentLayout()->documentSize().height();
}

void RichTextRenderer::Paint(const TWPRtfStorage& text, QPainter& painter, const QRect& target,
                             int pageWidthTwips, int zoomPercent)
{
    if (target.isEmpty() || zoomPercent <= 0 || text.IsEmpty())
        return;
    QTextDocument* doc = LayoutFor(text, pageWidthTwips);
    const qreal scale = zoomPercent / 100.0;

    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
    QAbstractTextDocumentLayout::PaintContext context;
    context.cursorPosition = -1;
    context.palette.setColor(QPalette::Text, Qt::black);
    context.clip = QRectF(0, 0, target.width() / scale, target.height() / scale);
    doc->documentLayout()->draw(&painter, context);
    painter.restore();
}

}  // namespace dayloom
