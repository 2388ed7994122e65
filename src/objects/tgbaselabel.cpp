#include "objects/tgbaselabel.h"

#include <cmath>

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

#include "core/tfont.h"
#include "objects/objectdialogs.h"

namespace dayloom {

QPoint ShadowOffsetFor(TShadowDirection direction, int d)
{
    switch (direction) {
    case sdRight: return {d, 0};
    case sdLeft: return {-d, 0};
    case sdDownRight: return {d, d};
    case sdDownLeft: return {-d, d};
    case sdDown: return {0, d};
    default: return {0, 0};
    }
}

QPoint HighlightOffsetFor(THighlightDirection direction, int d)
{
    switch (direction) {
    case hdright: return {d, 0};
    case hdLeft: return {-d, 0};
    case hdUpRight: return {d, -d};
    case hdUpLeft: return {-d, -d};
    case hdUp: return {0, -d};
    default: return {0, 0};
    }
}

TGBaseLabel::TGBaseLabel(QObject* parent) : TGGraphicControl(parent), m_font(new TFont(this))
{
    m_font->SetName(QStringLiteral("Arial"));
    m_font->SetSize(10);
    m_font->SetColor(0);
    connect(m_font, &TFont::changed, this, [this] {
        invalidate();
        Repaint();
        ReportChange();
    });
    SetBounds(QRect(0, 0, 142, 33));
}

TGBaseLabel::~TGBaseLabel() = default;

void TGBaseLabel::invalidate()
{
    m_dirty = true;
    m_shown.Valid = false;
}

void TGBaseLabel::MarkDirty()
{
    invalidate();
}

void TGBaseLabel::changedLook()
{
    invalidate();
    Repaint();
}

void TGBaseLabel::SetAlignment(TAlignment alignment)
{
    if (alignment == m_alignment || alignment < taLeftJustify || alignment > taCenter)
        return;
    m_alignment = alignment;
    changedLook();
    ReportChange();
}

void TGBaseLabel::SetDepthHighlight(int depth)
{
    if (depth == m_depthHighlight)
        return;
    m_depthHighlight = depth;
    m_highlightOffset = HighlightOffsetFor(m_directionHighlight, m_depthHighlight);
    changedLook();
}

void TGBaseLabel::SetDepthShadow(int depth)
{
    if (depth == m_depthShadow)
        return;
    m_depthShadow = depth;
    m_shadowOffset = ShadowOffsetFor(m_directionShadow, m_depthShadow);
    changedLook();
}

void TGBaseLabel::SetDirectionHighlight(THighlightDirection direction)
{
    if (direction == m_directionHighlight || direction < hdNone || direction > hdUp)
        return;
    m_directionHighlight = direction;
    m_highlightOffset = HighlightOffsetFor(m_directionHighlight, m_depthHighlight);
    changedLook();
}

void TGBaseLabel::SetDirectionShadow(TShadowDirection direction)
{
    if (direction == m_directionShadow || direction < sdNone || direction > sdDown)
        return;
    m_directionShadow = direction;
    m_shadowOffset = ShadowOffsetFor(m_directionShadow, m_depthShadow);
    changedLook();
}

void TGBaseLabel::SetcolorHighlight(TColor color)
{
    if (color == m_colorHighlight)
        return;
    m_colorHighlight = color;
    Repaint();
}

void TGBaseLabel::SetcolorShadow(TColor color)
{
    if (color == m_colorShadow)
        return;
    m_colorShadow = color;
    Repaint();
}

void TGBaseLabel::SetAngle(int angle)
{
    if (angle == m_angle || (angle != 0 && angle != 90 && angle != 180 && angle != 270))
        return;
    m_angle = angle;
    invalidate();
    // A stored label comes with its alignment and bounds as they were
    // saved; turning it is what resets them, reading it back is not.
    if (IsLoading()) {
        Repaint();
        return;
    }
    if (angle != 0)
        m_alignment = taLeftJustify;
    const bool upright = angle == 0 || angle == 180;
    if ((upright && Width() < Height()) || (!upright && Height() < Width()))
        SetBounds(QRect(Left(), Top(), Height(), Width()));
    Repaint();
}

void TGBaseLabel::SetCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    changedLook();
    ReportChange();
}

void TGBaseLabel::SetTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    ReportChange();
    Repaint();
}

void TGBaseLabel::SetBackColor(TColor color)
{
    if (color == m_backColor)
        return;
    m_backColor = color;
    ReportChange();
    Repaint();
}

void TGBaseLabel::SetBorderStyle(TBorderStyle style)
{
    if (style == m_borderStyle || style < bsNone || style > bsSingle)
        return;
    m_borderStyle = style;
    Repaint();
    ReportChange();
}

LabelLayout TGBaseLabel::layoutFor(QSize size, const QFont& font) const
{
    LabelLayout out;
    const QFontMetrics fm(font);
    const int internalLeading = qMax(0, fm.height() - QFontInfo(font).pixelSize());
    const int H = fm.height() + internalLeading + fm.leading();
    const int W = fm.horizontalAdvance(m_caption + QLatin1Char(' '));
    out.TextWidth = W;
    out.LineHeight = H;
    const QPoint s = m_shadowOffset, h = m_highlightOffset;

    int x0 = 0, y0 = 0;
    if (s.x() < 0)
        x0 = -s.x();
    if (h.x() < 0)
        x0 = qMax(x0, -h.x());
    if (s.y() < 0)
        y0 = -s.y();
    if (h.y() < 0)
        y0 = qMax(y0, -h.y());
    const int L = H + s.y() - h.y();

    int w = size.width(), ht = size.height();
    const bool upright = m_angle == 0 || m_angle == 180;
    if (upright) {
        if (m_angle == 180 && 2 * W < w)
            w = 2 * W;
        if (w <= 5)
            w = W;
        if (ht > 1.2 * L)
            ht = int(std::trunc(1.2 * L));
        if (ht < L)
            ht = L;
    } else {
        if (ht > 1.2 * W)
            ht = int(std::trunc(1.2 * W));
        if (ht < 5)
            ht = W;
        if (w > 1.2 * L)
            w = int(std::trunc(1.2 * L));
        if (w < L)
            w = L;
    }
    out.Size = QSize(w, ht);

    // Rectangles as left, top, right, bottom (right and bottom outside).
    int rl, rt, rr, rb;
    if (upright) {
        rl = x0, rt = y0, rr = w, rb = H + y0;
    } else {
        rl = y0, rt = x0, rr = y0 + H, rb = ht - y0;
    }
    if (m_angle == 90) {
        const int down = ht - (rb - rt + 1) + h.x();
        rt += down;
        rb += down;
    } else if (m_angle == 180) {
        const int right = w - (rr - rl + 1) - s.y();
        rl += right;
        rr += right;
    }
    auto rotated = [this](QPoint d) {
        switch (m_angle) {
        case 90: return QPoint(d.y(), -d.x());
        case 180: return QPoint(-d.x(), -d.y());
        case 270: return QPoint(-d.y(), d.x());
        default: return d;
        }
    };
    out.MainRect = QRect(QPoint(rl, rt), QPoint(rr - 1, rb - 1));
    out.ShadowRect = out.MainRect.translated(rotated(s));
    out.HighlightRect = out.MainRect.translated(rotated(h));
    auto origin = [this](const QRect& r) {
        const int l = r.left(), t = r.top(), ri = r.left() + r.width(), b = r.top() + r.height();
        switch (m_angle) {
        case 90: return QPoint(l, b);
        case 180: return QPoint(ri, b);
        case 270: return QPoint(ri, t);
        default: return QPoint(l, t);
        }
    };
    out.MainOrigin = origin(out.MainRect);
    out.ShadowOrigin = origin(out.ShadowRect);
    out.HighlightOrigin = origin(out.HighlightRect);
    if (m_angle == 0) {
        int x = rl;
        if (m_alignment == taRightJustify)
            x = rr - W;
        else if (m_alignment == taCenter)
            x = (rr - rl) / 2 - W / 2;
        out.MainOrigin.setX(x);
        out.ShadowOrigin.setX(x + s.x());
        out.HighlightOrigin.setX(x + h.x());
    }
    return out;
}

void TGBaseLabel::RecalcLayout()
{
    if (!m_dirty)
        return;
    const PageMapping unit = PageMapping::Screen(Zoom(), View().PagePPI);
    const LabelLayout l = layoutFor(Size(), ZoomedFont(*m_font, unit));
    if (l.Size != Size())
        SetBounds(QRect(Left(), Top(), l.Size.width(), l.Size.height()));
    m_textWidth = l.TextWidth;
    m_lineHeight = l.LineHeight;
    m_mainRect = l.MainRect;
    m_shadowRect = l.ShadowRect;
    m_highlightRect = l.HighlightRect;
    m_mainOrigin = l.MainOrigin;
    m_shadowOrigin = l.ShadowOrigin;
    m_highlightOrigin = l.HighlightOrigin;
    m_dirty = false;
}

const LabelLayout& TGBaseLabel::LayoutAt(const PageMapping& mapping) const
{
    if (!m_shown.Valid || !(m_shown.Mapping == mapping) || m_shown.Bounds != Bounds()) {
        m_shown.Layout = layoutFor(mapping.MapObject(Bounds()).size(), ZoomedFont(*m_font, mapping));
        m_shown.Mapping = mapping;
        m_shown.Bounds = Bounds();
        m_shown.Valid = true;
    }
    return m_shown.Layout;
}

QRect TGBaseLabel::DeviceRect(const PageMapping& mapping) const
{
    const QRect mapped = mapping.MapObject(Bounds());
    return QRect(mapped.topLeft(), LayoutAt(mapping).Size);
}

void TGBaseLabel::drawCopy(QPainter& painter, const QFont& font, TColor color, const QRect& clip,
                           QPoint origin) const
{
    painter.save();
    painter.setClipRect(clip, Qt::IntersectClip);
    painter.translate(origin);
    if (m_angle != 0)
        painter.rotate(-m_angle);
    painter.setFont(font);
    painter.setPen(ToQColor(color));
    painter.drawText(QPoint(0, QFontMetrics(font).ascent()), m_caption);
    painter.restore();
}

void TGBaseLabel::PaintObject(QPainter& painter, const PageMapping& mapping, QSize size)
{
    const LabelLayout& l = LayoutAt(mapping);
    const int w = size.width(), h = size.height();
    if (!m_transparent)
        painter.fillRect(QRect(0, 0, w, h), ToQColor(m_backColor));
    const QFont font = ZoomedFont(*m_font, mapping);
    if (m_depthShadow > 0 && m_directionShadow != sdNone)
        drawCopy(painter, font, m_colorShadow, l.ShadowRect, l.ShadowOrigin);
    if (m_depthHighlight > 0 && m_directionHighlight != hdNone)
        drawCopy(painter, font, m_colorHighlight, l.HighlightRect, l.HighlightOrigin);
    drawCopy(painter, font, m_font->Color(), l.MainRect, l.MainOrigin);
    if (m_borderStyle == bsSingle) {
        painter.save();
        painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(0, 0, w - 1, h - 1));
        painter.restore();
    }
}

void TGBaseLabel::ApplyFont(const TFont& font)
{
    m_font->Assign(font);
    invalidate();
}

void TGBaseLabel::BoundsChanged()
{
    TGGraphicControl::BoundsChanged();
    invalidate();
    if (Width() <= 0 || Height() <= 0)
        SetBounds(QRect(Left(), Top(), qMax(1, Width()), qMax(1, Height())));
}

void TGBaseLabel::Loading()
{
    TGGraphicControl::Loading();
    m_caption.clear();
}

void TGBaseLabel::SetupAfterLoading()
{
    invalidate();
}

void TGBaseLabel::ShowFontDialog()
{
    TFont font;
    font.Assign(*m_font);
    if (ObjectDialogs().chooseFont && ObjectDialogs().chooseFont(font)) {
        m_font->Assign(font);
        invalidate();
    }
}

void TGBaseLabel::ShowBackgroundColorDialog()
{
    TColor color = m_backColor;
    if (ObjectDialogs().chooseColor && ObjectDialogs().chooseColor(color)) {
        SetBackColor(color);
        SetTransparent(false);
    }
}

void TGBaseLabel::Show3DEffectsDialog()
{
    if (ObjectDialogs().edit3DEffects && ObjectDialogs().edit3DEffects(*this)) {
        invalidate();
        Repaint();
        ReportChange();
    }
}

void TGBaseLabel::AppendMenuItems(MenuEntryList& m)
{
    m << MenuEntry::Separator();
    m << MenuEntry::Item(QStringLiteral("Font"), [this] { ShowFontDialog(); });
    m << MenuEntry::Item(QStringLiteral("3D Effects"), [this] { Show3DEffectsDialog(); });
    MenuEntry alignment;
    alignment.caption = QStringLiteral("Alignment");
    auto choice = [this](const char* caption, TAlignment a) {
        return MenuEntry::CheckItem(QString::fromLatin1(caption), [this, a] {
            SetAlignment(a);
            ReportChange();
        });
    };
    alignment.submenu << choice("Left", taLeftJustify) << choice("Center", taCenter)
                      << choice("Right", taRightJustify);
    m << alignment;
    m << MenuEntry::CheckItem(QStringLiteral("Transparent"), [this] { SetTransparent(!Transparent()); });
    m << MenuEntry::Item(QStringLiteral("Background Color"), [this] { ShowBackgroundColorDialog(); });
    m << MenuEntry::CheckItem(QStringLiteral("Border"),
                              [this] { SetBorderStyle(BorderStyle() == bsSingle ? bsNone : bsSingle); });
}

void TGBaseLabel::UpdateMenu(MenuEntryList& m)
{
    CheckMenuItem(m, QStringLiteral("Border"), m_borderStyle == bsSingle);
    CheckMenuItem(m, QStringLiteral("Transparent"), m_transparent);
    if (MenuEntry* i = FindMenuItem(m, QStringLiteral("Alignment"))) {
        const TAlignment order[3] = {taLeftJustify, taCenter, taRightJustify};
        for (int k = 0; k < i->submenu.size() && k < 3; ++k)
            i->submenu[k].checked = m_alignment == order[k];
    }
}

}  // namespace dayloom
