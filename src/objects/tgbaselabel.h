#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include "core/tcolor.h"
#include "objects/objecttypes.h"
#include "objects/tggraphiccontrol.h"

namespace dayloom {

class TFont;

// Where a label's text goes inside it, for a given size and font: the size
// after the label's size rules, the three copies' clip rectangles and
// drawing origins, the measured text width and line height.
struct LabelLayout {
    QSize Size;
    QRect MainRect, ShadowRect, HighlightRect;
    QPoint MainOrigin, ShadowOrigin, HighlightOrigin;
    int TextWidth = 0;
    int LineHeight = 0;
};

// A single line of text on the page, rotated in steps of 90 degrees, with an
// optional fill, frame, shadow copy and highlight copy. Its size follows the
// text: the size rules run on the size the label is shown at (without
// changing its page bounds), and RecalcLayout applies them to the bounds
// themselves at zoom 1.
class TGBaseLabel : public TGGraphicControl {
    Q_OBJECT
public:
    explicit TGBaseLabel(QObject* parent = nullptr);
    ~TGBaseLabel() override;

    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);
    int DepthHighlight() const { return m_depthHighlight; }
    void SetDepthHighlight(int depth);
    int DepthShadow() const { return m_depthShadow; }
    void SetDepthShadow(int depth);
    THighlightDirection DirectionHighlight() const { return m_directionHighlight; }
    void SetDirectionHighlight(THighlightDirection direction);
    TShadowDirection DirectionShadow() const { return m_directionShadow; }
    void SetDirectionShadow(TShadowDirection direction);
    TColor colorHighlight() const { return m_colorHighlight; }
    void SetcolorHighlight(TColor color);
    TColor colorShadow() const { return m_colorShadow; }
    void SetcolorShadow(TColor color);
    int Angle() const { return m_angle; }
    // 0, 90, 180 or 270; anything else is ignored. A nonzero angle sets
    // left alignment; width and height swap when the orientation needs it
    // (not while the label is being read: it comes as it was saved).
    void SetAngle(int angle);
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    TFont* Font() const { return m_font; }
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    TColor BackColor() const { return m_backColor; }
    void SetBackColor(TColor color);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style);

    // Derived layout at zoom 1 (valid after RecalcLayout).
    QPoint ShadowOffset() const { return m_shadowOffset; }
    QPoint HighlightOffset() const { return m_highlightOffset; }
    QRect MainRect() const { return m_mainRect; }
    QRect ShadowRect() const { return m_shadowRect; }
    QRect HighlightRect() const { return m_highlightRect; }
    QPoint MainOrigin() const { return m_mainOrigin; }
    QPoint ShadowOrigin() const { return m_shadowOrigin; }
    QPoint HighlightOrigin() const { return m_highlightOrigin; }
    int TextWidth() const { return m_textWidth; }
    int LineHeight() const { return m_lineHeight; }
    bool LayoutDirty() const { return m_dirty; }
    void MarkDirty();

    // Runs only when the layout is dirty: measures the text at zoom 1,
    // applies the size rules to the bounds and places the three copies.
    void RecalcLayout();
    // The layout on a device: the size rules applied to the mapped bounds
    // with the mapped font (the bounds stay as they are).
    const LabelLayout& LayoutAt(const PageMapping& mapping) const;
    // The font dialog with the label's font; on OK the font is copied.
    virtual void ShowFontDialog();
    void ShowBackgroundColorDialog();
    void Show3DEffectsDialog();

    void ApplyFont(const TFont& font) override;
    void BoundsChanged() override;
    QRect DeviceRect(const PageMapping& mapping) const override;
    void PaintObject(QPainter& painter, const PageMapping& mapping, QSize size) override;
    void UpdateMenu(MenuEntryList& menu) override;

protected:
    void AppendMenuItems(MenuEntryList& menu) override;
    // A record leaves an empty caption out, so one read without a caption
    // is empty (a new object's caption is "Text").
    void Loading() override;
    void SetupAfterLoading() override;
    void changedLook();

private:
    void drawCopy(QPainter& painter, const QFont& font, TColor color, const QRect& clip, QPoint origin) const;
    LabelLayout layoutFor(QSize size, const QFont& font) const;
    void invalidate();

    TAlignment m_alignment = taLeftJustify;
    int m_depthHighlight = 0;
    int m_depthShadow = 0;
    THighlightDirection m_directionHighlight = hdUpLeft;
    TShadowDirection m_directionShadow = sdDownRight;
    TColor m_colorHighlight = 0xFFFF00;
    TColor m_colorShadow = 0x808080;
    int m_angle = 0;
    QString m_caption = QStringLiteral("Text");
    TFont* m_font = nullptr;
    bool m_transparent = true;
    TColor m_backColor = 0xFFFFFF;
    TBorderStyle m_borderStyle = bsNone;

    QPoint m_shadowOffset;
    QPoint m_highlightOffset;
    QRect m_mainRect, m_shadowRect, m_highlightRect;
    QPoint m_mainOrigin, m_shadowOrigin, m_highlightOrigin;
    int m_textWidth = 0;
    int m_lineHeight = 0;
    bool m_dirty = true;

    // The last layout on a device, kept while mapping, bounds and look stay.
    struct Shown {
        bool Valid = false;
        PageMapping Mapping;
        QRect Bounds;
        LabelLayout Layout;
    };
    mutable Shown m_shown;
};

// Offsets of the copies for a direction ordinal and a depth.
QPoint ShadowOffsetFor(TShadowDirection direction, int depth);
QPoint HighlightOffsetFor(THighlightDirection direction, int depth);

}  // namespace dayloom
