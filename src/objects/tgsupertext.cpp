#include "objects/tgsupertext.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include "core/tfont.h"
#include "objects/objectdialogs.h"
#include "objects/symbolfonts.h"
#include "objects/tbitmap.h"
#include "objects/tgbaselabel.h"

namespace dayloom {

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const qint64 product = qint64(a) * qint64(b);
    const bool negative = (product < 0) != (c < 0);
    const qint64 n = product < 0 ? -product : product;
    const qint64 d = c < 0 ? -qint64(c) : qint64(c);
    const qint64 q = (n + d / 2) / d;
    const qint64 result = negative ? -q : q;
    return int(std::clamp<qint64>(result, INT_MIN, INT_MAX));
}

namespace {

constexpr double kPaperFillMarginInch = 0.03;
constexpr double kPaperTileOverlapInch = 0.01;
constexpr double kPaperGradientExtraInch = 0.25;
constexpr double kPaperBaseline = 0.88;
// More tiles than this go to paper as one pattern fill.
constexpr int kMaxPaperTiles = 4096;

Qt::PenStyle qtPenStyle(TPenStyle style)
{
    switch (style) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

// Runs draw with the painter clipped to the path (inside any clip it has).
template <class Draw>
void throughPath(QPainter& painter, const QPainterPath& path, Draw draw)
{
    painter.save();
    painter.setClipPath(path, Qt::IntersectClip);
    draw();
    painter.restore();
}

int clampExtent(int v)
{
    return std::clamp(v, 0, TGSuperText::kMaxDrawnExtent);
}

}  // namespace

// ---- construction ---------------------------------------------------------------------

TGSuperText::TGSuperText(QObject* parent)
    : TGGraphicControl(parent), m_font(new TFont(this)), m_image(new TBitmap(this))
{
    m_font->SetName(QStringLiteral("Arial"));
    m_font->SetSize(48);
    m_font->SetStyle(fsBold);
    m_font->SetColor(clBlack);
    connect(m_font, &TFont::changed, this, [this] {
        changedLook();
        ReportChange();
    });
    connect(m_image, &TBitmap::Changed, this, [this] { Repaint(); });
    SetBounds(QRect(0, 0, 142, 33));
}

TGSuperText::TGSuperText(QObject* parent, Framed) : TGSuperText(parent)
{
    m_borderStyle = bsSingle;
    m_controlTransparent = false;
    m_bgColor = clWhite;
}

TGSuperText::~TGSuperText() = default;

void TGSuperText::invalidate()
{
    m_dirty = true;
    m_shown.Valid = false;
}

void TGSuperText::changedLook()
{
    invalidate();
    Repaint();
}

// ---- setters ---------------------------------------------------------------------------

void TGSuperText::SetShadowDepth(int depth)
{
    if (depth == m_shadowDepth)
        return;
    m_shadowDepth = depth;
    changedLook();
}

void TGSuperText::SetShadowOrientation(TShadowOrientation orientation)
{
    if (orientation == m_shadowOrientation || orientation < sdNone || orientation > sdDown)
        return;
    m_shadowOrientation = orientation;
    changedLook();
}

void TGSuperText::SetShadowcolor(TColor color)
{
    if (color == m_shadowColor)
        return;
    m_shadowColor = color;
    Repaint();
}

void TGSuperText::SetBorderStyle(TBorderStyle style)
{
    if (style == m_borderStyle || style < bsNone || style > bsSingle)
        return;
    m_borderStyle = style;
    m_shown.Valid = false;  // the size rules depend on the frame
    Repaint();
    ReportChange();
}

void TGSuperText::SetControlTransparent(bool transparent)
{
    if (transparent == m_controlTransparent)
        return;
    m_controlTransparent = transparent;
    m_shown.Valid = false;
    Repaint();
}

void TGSuperText::SetBGColor(TColor color)
{
    if (color == m_bgColor)
        return;
    m_bgColor = color;
    Repaint();
    ReportChange();
}

void TGSuperText::SetCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    changedLook();
    ReportChange();
}

void TGSuperText::SetFillDirection(TFillDirection direction)
{
    if (direction == m_fillDirection || direction < gdUp || direction > gdRight)
        return;
    m_fillDirection = direction;
    Repaint();
}

void TGSuperText::SetGradientToColor(TColor color)
{
    if (color == m_gradientTo)
        return;
    m_gradientTo = color;
    Repaint();
}

void TGSuperText::SetGradientFromColor(TColor color)
{
    if (color == m_gradientFrom)
        return;
    m_gradientFrom = color;
    ReportChange();
    Repaint();
}

void TGSuperText::SetImage(const TBitmap* bitmap)
{
    if (bitmap)
        m_image->Assign(*bitmap);
    else
        m_image->Clear();
}

void TGSuperText::SetOutlineColor(TColor color)
{
    if (color == m_outlineColor)
        return;
    m_outlineColor = color;
    Repaint();
}

void TGSuperText::SetOutlineStyle(TPenStyle style)
{
    if (style == m_outlineStyle || style < psSolid || style > psInsideFrame)
        return;
    m_outlineStyle = style;
    Repaint();
}

void TGSuperText::SetOutlineWidth(int width)
{
    if (width == m_outlineWidth)
        return;
    m_outlineWidth = width;
    Repaint();
}

void TGSuperText::SetSurfaceType(TSurfaceType type)
{
    if (type == m_surfaceType || type < stNormal || type > stGradientFill)
        return;
    m_surfaceType = type;
    Repaint();
    if (type != stBrushImage)
        m_image->Clear();
    if (type == stBrushTransparent && m_outlineStyle == psClear)
        SetOutlineStyle(psSolid);
}

// ---- layout ------------------------------------------------------------------------------

QPoint TGSuperText::ShadowOffset() const
{
    return ShadowOffsetFor(m_shadowOrientation, m_shadowDepth);
}

bool TGSuperText::SymbolFont() const
{
    return SymbolFonts::IsSymbolFont(m_font->Name());
}

void TGSuperText::CharsetFollowsFace(TFont& font)
{
    if (SymbolFonts::IsSymbolFont(font.Name()))
        font.SetCharset(SYMBOL_CHARSET);
    else if (font.Charset() == SYMBOL_CHARSET)
        font.SetCharset(DEFAULT_CHARSET);
}

QString TGSuperText::DrawnText() const
{
    const QString text = m_caption.left(kMaxDrawnCharacters);
    return SymbolFont() ? SymbolFonts::DrawnText(text) : text;
}

QFont TGSuperText::DeviceFont(const PageMapping& mapping) const
{
    QFont f(m_font->Name());
    double points = std::abs(double(m_font->Size()));
    if (mapping.FontZoom != 1.0)
        points = std::trunc(points * mapping.FontZoom);
    points = std::clamp(points, 1.0, double(kMaxDrawnPoints));
    f.setPixelSize(std::max(1, int(std::lround(points * mapping.FontPPI / 72.0))));
    f.setBold(m_font->Bold());
    f.setItalic(m_font->Italic());
    f.setUnderline(m_font->Underline());
    f.setStrikeOut(m_font->StrikeOut());
    // Widths as the text is measured for fitting: without kerning.
    f.setKerning(false);
    if (SymbolFont())
        f.setStyleStrategy(QFont::NoFontMerging);
    return f;
}

SuperTextLayout TGSuperText::LayoutFor(QSize size, const PageMapping& mapping) const
{
    SuperTextLayout l;
    const int depth = std::clamp(m_shadowDepth, -kMaxDrawnShadowDepth, kMaxDrawnShadowDepth);
    QPoint s = ShadowOffsetFor(m_shadowOrientation, depth);
    const float zoom = mapping.ObjectZoom;
    if (zoom != 1.0f)
        s = QPoint(int(std::trunc(s.x() * double(zoom))), int(std::trunc(s.y() * double(zoom))));
    l.ShadowOffset = s;
    const QFont font = DeviceFont(mapping);
    const QFontMetrics fm(font);
    const int b = fm.height();
    const int c = fm.horizontalAdvance(DrawnText() + QLatin1Char(' '));
    l.TextHeight = b;
    l.TextWidth = c;
    const int x0 = s.x() < 0 ? -s.x() : 0;
    const int y0 = s.y() < 0 ? -s.y() : 0;
    int w = size.width();
    if (w <= 5)
        w = c;
    const int f = std::abs(s.y()) + b;
    int h = size.height();
    if (double(h) > 1.2 * f && m_controlTransparent && m_borderStyle == bsNone)
        h = int(std::trunc(1.2 * f));
    if (h < f)
        h = f;
    l.Size = QSize(w, h);
    l.MainRect = TRect(x0 + 5, y0, w, b + y0);
    l.ShadowRect = TRect(l.MainRect.Left + s.x(), l.MainRect.Top + s.y(), l.MainRect.Right + s.x(),
                         l.MainRect.Bottom + s.y());
    l.MainOrigin = QPoint(l.MainRect.Left, l.MainRect.Top);
    l.ShadowOrigin = QPoint(l.MainRect.Left + s.x(), l.MainRect.Top + s.y());
    l.TextLeft = std::max(l.MainRect.Left, l.ShadowRect.Left);
    return l;
}

bool TGSuperText::DrawnAtLimits() const
{
    return std::abs(double(m_font->Size())) > kMaxDrawnPoints || std::abs(double(m_shadowDepth)) > kMaxDrawnShadowDepth;
}

const SuperTextLayout& TGSuperText::LayoutAt(const PageMapping& mapping) const
{
    if (!m_shown.Valid || !(m_shown.Mapping == mapping) || m_shown.Bounds != Bounds()) {
        m_shown.Layout = LayoutFor(mapping.MapObject(Bounds()).size(), mapping);
        m_shown.Mapping = mapping;
        m_shown.Bounds = Bounds();
        m_shown.Valid = true;
    }
    return m_shown.Layout;
}

QRect TGSuperText::DeviceRect(const PageMapping& mapping) const
{
    const QRect mapped = mapping.MapObject(Bounds());
    // Values beyond the drawing limits leave the size as it is stored.
    if (DrawnAtLimits())
        return mapped;
    return QRect(mapped.topLeft(), LayoutAt(mapping).Size);
}

void TGSuperText::RecalcLayout()
{
    if (!m_dirty || m_inLayout)
        return;
    m_inLayout = true;
    m_layout = LayoutFor(Bounds().size(), PageMapping::Screen(Zoom(), View().PagePPI));
    // Values drawn at the limits leave the stored size as it is.
    if (m_layout.Size != Bounds().size() && !DrawnAtLimits())
        SetBounds(QRect(Left(), Top(), m_layout.Size.width(), m_layout.Size.height()));
    m_dirty = false;
    m_inLayout = false;
}

QString TGSuperText::FitText(const QString& text, const QFont& font, int avail)
{
    const QFontMetrics fm(font);
    auto fits = [&](qsizetype n) { return fm.horizontalAdvance(text.left(n)) <= avail; };
    if (fits(text.size()))
        return text;
    // The longest prefix that fits: prefixes only grow with their length.
    qsizetype lo = 0, hi = text.size();  // fits(lo) is assumed, fits(hi) is false
    while (hi - lo > 1) {
        const qsizetype mid = lo + (hi - lo) / 2;
        if (fits(mid))
            lo = mid;
        else
            hi = mid;
    }
    // A character is never cut in half.
    if (lo > 0 && text.at(lo - 1).isHighSurrogate())
        --lo;
    return fits(lo) ? text.left(lo) : QString();
}

QColor TGSuperText::GradientStart() const
{
    const bool reversed = m_fillDirection == gdUp || m_fillDirection == gdLeft;
    return QColor::fromRgb(ToQColor(reversed ? m_gradientTo : m_gradientFrom).rgb());
}

QColor TGSuperText::GradientEnd() const
{
    const bool reversed = m_fillDirection == gdUp || m_fillDirection == gdLeft;
    return QColor::fromRgb(ToQColor(reversed ? m_gradientFrom : m_gradientTo).rgb());
}

QList<GradientBand> TGSuperText::GradientBands(QSize size) const
{
    const QColor s = GradientStart(), e = GradientEnd();
    const bool across = m_fillDirection == gdLeft || m_fillDirection == gdRight;
    const int w = size.width(), h = size.height();
    QList<GradientBand> bands;
    bands.reserve(256);
    for (int i = 0; i < 256; ++i) {
        const QColor c(s.red() + MulDiv(i, e.red() - s.red(), 255), s.green() + MulDiv(i, e.green() - s.green(), 255),
                       s.blue() + MulDiv(i, e.blue() - s.blue(), 255));
        QRect r;
        if (across) {
            const int l = MulDiv(i, w, 256), rr = MulDiv(i + 1, w, 256);
            r = QRect(l, 0, rr - l, h);
        } else {
            const int t = MulDiv(i, h, 256), b = MulDiv(i + 1, h, 256);
            r = QRect(0, t, w, b - t);
        }
        bands.append({r, c});
    }
    return bands;
}

bool TGSuperText::FitToText()
{
    // Measured and sized in page pixels, whatever the zoom it is shown at.
    const QFont font = DeviceFont(PageMapping::Screen(Zoom(), View().PagePPI));
    const QFontMetrics fm(font);
    const int a = fm.horizontalAdvance(DrawnText());
    const int b = fm.height();
    invalidate();
    RecalcLayout();
    const int c = std::max(m_layout.MainRect.Left, m_layout.ShadowRect.Left);
    const int d = std::max(m_layout.MainRect.Top, m_layout.ShadowRect.Top);
    int w = int(std::trunc(c + 1.2 * a));
    int h = int(std::trunc(1.2 * (b + d)));
    if (h < b)
        h = int(std::trunc(1.5 * b));
    if (w < a)
        w = int(std::trunc(1.5 * a));
    SetBounds(QRect(Left(), Top(), w, h));
    Repaint();
    return h >= b && w >= a;
}

// ---- drawing -------------------------------------------------------------------------------

QPainterPath TGSuperText::TextPath(const QString& text, const QFont& font, QPointF topLeft, qreal baselineDrop) const
{
    QPainterPath path;
    path.addText(QPointF(topLeft.x(), topLeft.y() + baselineDrop), font, text);
    return path;
}

void TGSuperText::drawBackground(QPainter& painter, QSizeF size, bool cosmeticPen) const
{
    if (m_controlTransparent && m_borderStyle != bsSingle)
        return;
    if (!m_controlTransparent)
        painter.fillRect(QRectF(QPointF(0, 0), size), ToQColor(m_bgColor));
    if (m_borderStyle == bsSingle) {
        painter.save();
        QPen pen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        pen.setCosmetic(cosmeticPen);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.setRenderHint(QPainter::Antialiasing, false);
        if (cosmeticPen)
            painter.drawRect(QRectF(QPointF(0, 0), size));
        else
            painter.drawRect(QRect(0, 0, int(size.width()) - 1, int(size.height()) - 1));
        painter.restore();
    }
}

void TGSuperText::PaintLayers(QPainter& painter, QSize size, const PageMapping& mapping) const
{
    const int w = clampExtent(size.width()), h = clampExtent(size.height());
    if (w < 1 || h < 1)
        return;
    const SuperTextLayout l = LayoutFor(QSize(w, h), mapping);
    const QFont font = DeviceFont(mapping);
    painter.save();
    drawBackground(painter, QSizeF(w, h), false);

    const QString text = FitText(DrawnText(), font, w - l.TextLeft);
    if (text.isEmpty()) {
        // Nothing fits: a crossed box.
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.drawRect(QRect(0, 0, w - 1, h - 1));
        painter.drawLine(0, 0, w - 1, h - 1);
        painter.drawLine(w - 1, 0, 0, h - 1);
        painter.restore();
        return;
    }

    painter.setRenderHint(QPainter::Antialiasing, true);
    const qreal ascent = QFontMetrics(font).ascent();
    const QRect client(0, 0, w, h);
    if (m_shadowDepth >= 1 && m_shadowOrientation != sdNone) {
        const QPainterPath shadow = TextPath(text, font, l.ShadowOrigin, ascent);
        throughPath(painter, shadow, [&] { painter.fillRect(client, ToQColor(m_shadowColor)); });
    }
    const QPainterPath main = TextPath(text, font, l.MainOrigin, ascent);
    if (m_surfaceType != stBrushTransparent) {
        throughPath(painter, main, [&] {
            switch (m_surfaceType) {
            case stNormal:
                painter.fillRect(client, ToQColor(m_font->Color()));
                break;
            case stBrushImage: {
                const QImage& tile = m_image->Image();
                if (tile.width() < 1 || tile.height() < 1)
                    break;
                // Tiles at the zoom the object is shown at.
                int tw = tile.width(), th = tile.height();
                if (mapping.ObjectZoom != 1.0f) {
                    tw = int(std::trunc(tw * double(mapping.ObjectZoom)));
                    th = int(std::trunc(th * double(mapping.ObjectZoom)));
                }
                if (tw < 1 || th < 1)
                    break;
                // The tiles lie in rows from the object's corner, each the
                // bitmap stretched to the tile size.
                QBrush brush(tile);
                brush.setTransform(QTransform::fromScale(double(tw) / tile.width(), double(th) / tile.height()));
                painter.setBrushOrigin(0, 0);
                painter.fillRect(client, brush);
                break;
            }
            case stGradientFill:
                for (const GradientBand& band : GradientBands(QSize(w, h)))
                    if (!band.Rect.isEmpty())
                        painter.fillRect(band.Rect, band.Color);
                break;
            default:
                break;
            }
        });
    }
    if (m_outlineStyle != psClear && m_outlineWidth >= 1) {
        QPen pen(ToQColor(m_outlineColor), std::min(m_outlineWidth, kMaxDrawnOutlineWidth), qtPenStyle(m_outlineStyle));
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(main);
    }
    painter.restore();
}

void TGSuperText::PaintPaper(QPainter& painter, int pagePpi, double paperScale) const
{
    if (pagePpi < 1)
        pagePpi = 96;
    if (!(paperScale > 0.0) || !std::isfinite(paperScale))
        paperScale = 1.0;
    const double ppi = pagePpi;
    // Laid out and cut as on the screen at zoom 1, at the size shown there.
    const PageMapping screen = PageMapping::Screen(Zoom(), pagePpi);
    const QSize shown = DeviceRect(screen).size();
    const int w = clampExtent(shown.width()), h = clampExtent(shown.height());
    if (w < 1 || h < 1)
        return;
    const SuperTextLayout l = LayoutFor(QSize(w, h), screen);
    const QString text = FitText(DrawnText(), DeviceFont(screen), w - l.TextLeft);

    painter.save();
    drawBackground(painter, QSizeF(w, h), true);
    if (text.isEmpty()) {
        QPen pen(Qt::black, 1);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(0, 0, w, h));
        painter.drawLine(QPointF(0, 0), QPointF(w, h));
        painter.drawLine(QPointF(w, 0), QPointF(0, h));
        painter.restore();
        return;
    }

    // The font by name and unzoomed point size (no strike-out on paper),
    // its letters traced in the paper's own pixels; the baseline lies 0.88
    // of the line height (the point size) below the text's corner.
    PageMapping points72 = screen;
    points72.FontPPI = 72;
    QFont font = DeviceFont(points72);
    const double points = font.pixelSize();
    font.setPixelSize(std::max(1, int(std::lround(points * ppi * paperScale / 72.0))));
    font.setStrikeOut(false);
    const double drop = kPaperBaseline * points * ppi / 72.0;
    auto paperPath = [&](QPointF topLeft) {
        QPainterPath traced;
        traced.addText(QPointF(0, 0), font, text);
        QTransform toPage;
        toPage.translate(topLeft.x(), topLeft.y() + drop);
        toPage.scale(1.0 / paperScale, 1.0 / paperScale);
        return toPage.map(traced);
    };

    painter.setRenderHint(QPainter::Antialiasing, true);
    if (m_shadowDepth >= 1 && m_shadowOrientation != sdNone) {
        const QPainterPath shadow = paperPath(l.ShadowOrigin);
        throughPath(painter, shadow, [&] { painter.fillRect(QRectF(0, 0, w, h), ToQColor(m_shadowColor)); });
    }
    const QPainterPath main = paperPath(l.MainOrigin);
    if (m_surfaceType != stBrushTransparent) {
        const double margin = kPaperFillMarginInch * ppi;
        const QRectF fill(QPointF(-margin, -margin), QPointF(w, h));
        throughPath(painter, main, [&] {
            switch (m_surfaceType) {
            case stNormal:
                painter.fillRect(fill, ToQColor(m_font->Color()));
                break;
            case stBrushImage: {
                const QImage& tile = m_image->Image();
                if (tile.width() < 1 || tile.height() < 1)
                    break;
                // Each tile is the bitmap scaled to the paper, in whole
                // device pixels.
                const double tw = std::max(1.0, std::round(tile.width() * paperScale)) / paperScale;
                const double th = std::max(1.0, std::round(tile.height() * paperScale)) / paperScale;
                const double overlap = kPaperTileOverlapInch * ppi;
                // Only the tiles under the letters are sent.
                const QRectF under = main.boundingRect().intersected(fill);
                const int firstCol = std::max(0, int(std::floor((under.left() - fill.left()) / tw)));
                const int firstRow = std::max(0, int(std::floor((under.top() - fill.top()) / th)));
                const int lastCol = int(std::floor((under.right() - fill.left()) / tw));
                const int lastRow = int(std::floor((under.bottom() - fill.top()) / th));
                const qint64 count = qint64(lastCol - firstCol + 1) * qint64(lastRow - firstRow + 1);
                if (under.isEmpty() || count <= 0)
                    break;
                if (count > kMaxPaperTiles) {
                    QBrush brush(tile);
                    QTransform at = QTransform::fromTranslate(fill.left(), fill.top());
                    at.scale(tw / tile.width(), th / tile.height());
                    brush.setTransform(at);
                    painter.fillRect(under, brush);
                    break;
                }
                for (int row = firstRow; row <= lastRow; ++row)
                    for (int col = firstCol; col <= lastCol; ++col)
                        painter.drawImage(QRectF(fill.left() + col * tw, fill.top() + row * th, tw + overlap, th + overlap),
                                          tile);
                break;
            }
            case stGradientFill: {
                const double extra = kPaperGradientExtraInch * ppi;
                const QRectF area(fill.topLeft(), QPointF(fill.right() + extra, fill.bottom() + extra));
                const bool across = m_fillDirection == gdLeft || m_fillDirection == gdRight;
                // The band colours of the screen; the edges divide the larger
                // rectangle into 256 equal parts. Each band reaches into the
                // next one, which covers it, so that no seam shows between them.
                const QList<GradientBand> bands = GradientBands(QSize(256, 256));
                for (int i = 0; i < 256; ++i) {
                    QRectF r = area;
                    const int far = std::min(i + 2, 256);
                    if (across) {
                        r.setLeft(area.left() + area.width() * i / 256.0);
                        r.setRight(area.left() + area.width() * far / 256.0);
                    } else {
                        r.setTop(area.top() + area.height() * i / 256.0);
                        r.setBottom(area.top() + area.height() * far / 256.0);
                    }
                    painter.fillRect(r, bands.at(i).Color);
                }
                break;
            }
            default:
                break;
            }
        });
    }
    if (m_outlineStyle != psClear && m_outlineWidth >= 1) {
        // The outline's width counts in the printer's own pixels.
        QPen pen(ToQColor(m_outlineColor), std::min(m_outlineWidth, kMaxDrawnOutlineWidth), qtPenStyle(m_outlineStyle));
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(main);
    }
    painter.restore();
}

void TGSuperText::PaintObject(QPainter& painter, const PageMapping& mapping, QSize size)
{
    if (m_painting)
        return;
    m_painting = true;
    // On paper every layer is a vector path traced at the paper's
    // resolution; the painter already takes page pixels to paper.
    if (mapping.OnPaper)
        PaintPaper(painter, mapping.PagePPI, mapping.PaperScale);
    else
        PaintLayers(painter, size, mapping);
    m_painting = false;
}

// ---- operations -------------------------------------------------------------------------------

void TGSuperText::CopyFrom(const TGSuperText& other)
{
    if (&other == this)
        return;
    SetCaption(other.m_caption);
    m_font->Assign(*other.m_font);
    SetControlTransparent(other.m_controlTransparent);
    SetBGColor(other.m_bgColor);
    SetBorderStyle(other.m_borderStyle);
    SetGradientFromColor(other.m_gradientFrom);
    SetGradientToColor(other.m_gradientTo);
    SetFillDirection(other.m_fillDirection);
    SetImage(other.m_image);
    SetOutlineColor(other.m_outlineColor);
    SetOutlineStyle(other.m_outlineStyle);
    SetOutlineWidth(other.m_outlineWidth);
    SetShadowcolor(other.m_shadowColor);
    SetShadowDepth(other.m_shadowDepth);
    SetShadowOrientation(other.m_shadowOrientation);
    SetSurfaceType(other.m_surfaceType);
    SetWidth(other.Width());
    SetHeight(other.Height());
}

void TGSuperText::TakeEditedProperties(const TGSuperText& preview, const QString& rememberedPath)
{
    SetGradientFromColor(preview.m_gradientFrom);
    SetFillDirection(preview.m_fillDirection);
    SetGradientToColor(preview.m_gradientTo);
    SetImage(preview.m_image);
    SetOutlineColor(preview.m_outlineColor);
    SetOutlineStyle(preview.m_outlineStyle);
    SetOutlineWidth(preview.m_outlineWidth);
    SetShadowcolor(preview.m_shadowColor);
    SetShadowDepth(preview.m_shadowDepth);
    SetShadowOrientation(preview.m_shadowOrientation);
    SetSurfaceType(preview.m_surfaceType);
    m_lastBitmapPath = rememberedPath;
    m_font->SetColor(preview.m_font->Color());
    ApplyFont(*preview.m_font);
    SetCaption(preview.m_caption);
    invalidate();
    RecalcLayout();
    Repaint();
    ReportChange();
}

void TGSuperText::EditProperties()
{
    const auto& edit = ObjectDialogs().editSuperText;
    if (!edit)
        return;
    TGSuperText edited;
    QString path = m_lastBitmapPath;
    if (edit(*this, edited, path))
        TakeEditedProperties(edited, path);
}

void TGSuperText::ShowFontDialog()
{
    TFont font;
    font.Assign(*m_font);
    const auto& choose = ObjectDialogs().chooseScalableFont ? ObjectDialogs().chooseScalableFont
                                                             : ObjectDialogs().chooseFont;
    if (choose && choose(font)) {
        CharsetFollowsFace(font);
        m_font->Assign(font);
        invalidate();
    }
}

void TGSuperText::ShowBackgroundColorDialog()
{
    TColor color = m_bgColor;
    if (ObjectDialogs().chooseColor && ObjectDialogs().chooseColor(color)) {
        SetBGColor(color);
        ReportChange();
        SetControlTransparent(false);
        Repaint();
    }
}

void TGSuperText::ApplyFont(const TFont& font)
{
    m_font->Assign(font);
    invalidate();
}

void TGSuperText::BoundsChanged()
{
    TGGraphicControl::BoundsChanged();
    invalidate();
    if (Width() <= 0 || Height() <= 0)
        SetBounds(QRect(Left(), Top(), std::max(1, Width()), std::max(1, Height())));
}

void TGSuperText::Loading()
{
    TGGraphicControl::Loading();
    m_caption.clear();
}

void TGSuperText::SetupAfterLoading()
{
    invalidate();
}

void TGSuperText::AppendMenuItems(MenuEntryList& m)
{
    m << MenuEntry::Separator();
    m << MenuEntry::Item(QStringLiteral("Font"), [this] { ShowFontDialog(); });
    m << MenuEntry::CheckItem(QStringLiteral("Transparent"),
                              [this] { SetControlTransparent(!m_controlTransparent); });
    m << MenuEntry::Item(QStringLiteral("Background Color"), [this] { ShowBackgroundColorDialog(); });
    m << MenuEntry::CheckItem(QStringLiteral("Border"),
                              [this] { SetBorderStyle(m_borderStyle == bsSingle ? bsNone : bsSingle); });
    m << MenuEntry::Item(QStringLiteral("Properties"), [this] { EditProperties(); });
}

void TGSuperText::UpdateMenu(MenuEntryList& m)
{
    CheckMenuItem(m, QStringLiteral("Border"), m_borderStyle == bsSingle);
    CheckMenuItem(m, QStringLiteral("Transparent"), m_controlTransparent);
}

}  // namespace dayloom
