#pragma once

#include <array>

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

#include "core/tcolor.h"
#include "core/trect.h"
#include "objects/objecttypes.h"
#include "objects/tggraphiccontrol.h"

class QPainterPath;

namespace dayloom {

class TBitmap;
class TFont;

// Where the text goes inside the object for a given size and font (all in
// device pixels). Rectangles have their right and bottom outside.
struct SuperTextLayout {
    QSize Size;               // the object's size after the size rules
    QPoint ShadowOffset;      // (dx, dy)
    TRect MainRect;           // R
    TRect ShadowRect;         // R moved by (dx, dy)
    QPoint MainOrigin;        // top-left corner of the main text
    QPoint ShadowOrigin;      // top-left corner of the shadow text
    int TextHeight = 0;       // b
    int TextWidth = 0;        // c: the caption and one blank
    int TextLeft = 0;         // e: where the text starts, shadow included
};

// One band of the gradient: its rectangle and solid colour.
struct GradientBand {
    QRect Rect;
    QColor Color;
};

// The platform's rounding multiply-divide: a x b / c rounded half away from
// zero; -1 when c is 0.
int MulDiv(int a, int b, int c);

// A line of display text whose letters are filled with a solid colour, a
// gradient or a tiled texture (or left hollow), outlined with a styled pen
// and laid over a solid drop shadow. The letter shapes are a path that
// clips each layer, so the same drawing gives pixels on the screen and
// vector paths on paper. Its bounds are page pixels: on a device the text,
// the shadow offset and the texture tiles follow the mapping's zoom, and
// the size rules apply to the size shown there without touching the bounds.
class TGSuperText : public TGGraphicControl {
    Q_OBJECT
public:
    // The second constructor's tag: framed and opaque on white, as the
    // special-effects tool makes it.
    enum Framed { FramedOnWhite };

    explicit TGSuperText(QObject* parent = nullptr);
    TGSuperText(QObject* parent, Framed);
    ~TGSuperText() override;

    // Drawing limits for values no dialog gives: a font above this many
    // points, a shadow deeper than this many pixels or an outline wider
    // than this is drawn at the limit; the stored value stays.
    static constexpr int kMaxDrawnPoints = 1638;
    static constexpr int kMaxDrawnShadowDepth = 1000;
    static constexpr int kMaxDrawnOutlineWidth = 1000;
    // A caption longer than a line can ever show is measured and drawn up
    // to this many characters.
    static constexpr int kMaxDrawnCharacters = 4096;
    // Sizes beyond what a page can show are drawn at this many pixels.
    static constexpr int kMaxDrawnExtent = 32767;

    // ---- published properties, in stream order ----------------------------------
    int ShadowDepth() const { return m_shadowDepth; }
    void SetShadowDepth(int depth);
    TShadowOrientation ShadowOrientation() const { return m_shadowOrientation; }
    void SetShadowOrientation(TShadowOrientation orientation);
    TColor Shadowcolor() const { return m_shadowColor; }
    void SetShadowcolor(TColor color);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style);
    bool ControlTransparent() const { return m_controlTransparent; }
    void SetControlTransparent(bool transparent);
    TColor BGColor() const { return m_bgColor; }
    void SetBGColor(TColor color);
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    // Face, size and style; its colour fills stNormal text.
    TFont* Font() const { return m_font; }
    TFillDirection FillDirection() const { return m_fillDirection; }
    void SetFillDirection(TFillDirection direction);
    TColor GradientToColor() const { return m_gradientTo; }
    void SetGradientToColor(TColor color);
    TColor GradientFromColor() const { return m_gradientFrom; }
    void SetGradientFromColor(TColor color);
    // The texture of stBrushImage.
    TBitmap* Image() const { return m_image; }
    // Copies the bitmap; null makes the texture empty.
    void SetImage(const TBitmap* bitmap);
    TColor OutlineColor() const { return m_outlineColor; }
    void SetOutlineColor(TColor color);
    TPenStyle OutlineStyle() const { return m_outlineStyle; }
    void SetOutlineStyle(TPenStyle style);
    int OutlineWidth() const { return m_outlineWidth; }
    void SetOutlineWidth(int width);
    // Any surface but stBrushImage discards the texture; stBrushTransparent
    // turns a psClear outline to psSolid, so hollow text keeps an outline.
    TSurfaceType SurfaceType() const { return m_surfaceType; }
    void SetSurfaceType(TSurfaceType type);
    QString LastBitmapFileNameandPath() const { return m_lastBitmapPath; }
    void SetLastBitmapFileNameandPath(const QString& path) { m_lastBitmapPath = path; }

    // ---- layout ---------------------------------------------------------------------
    // The shadow offset (dx, dy) of the stored orientation and depth.
    QPoint ShadowOffset() const;
    bool LayoutDirty() const { return m_dirty; }
    void MarkDirty() { invalidate(); }
    // True when the font or the shadow is beyond the drawing limits.
    bool DrawnAtLimits() const;
    // Runs when the layout is dirty (a re-entry does nothing): measures the
    // text at zoom 1 and applies the size rules to the bounds (not when
    // DrawnAtLimits: a damaged value never resizes the object).
    void RecalcLayout();
    // The layout of the last RecalcLayout (page pixels).
    const SuperTextLayout& Layout() const { return m_layout; }
    // The layout for a size on a device, without touching the bounds.
    SuperTextLayout LayoutFor(QSize size, const PageMapping& mapping) const;
    // The layout at the object's mapped bounds on a device, kept while the
    // mapping, the bounds and the look stay the same.
    const SuperTextLayout& LayoutAt(const PageMapping& mapping) const;
    // The font the text is drawn with on a device (clamped to the limits).
    QFont DeviceFont(const PageMapping& mapping) const;
    // Sets the font's character set the way a font dialog does for its
    // face: SYMBOL_CHARSET for a symbol font, DEFAULT_CHARSET instead of it
    // for any other face.
    static void CharsetFollowsFace(TFont& font);
    // The caption as drawn: symbol fonts take their characters at U+F000.
    QString DrawnText() const;
    // True when the font is a symbol font (by its character set or its face).
    bool SymbolFont() const;
    // The drawn text cut at the last whole character that fits in avail
    // pixels (empty when none does).
    static QString FitText(const QString& text, const QFont& font, int avail);
    // The 256 bands of the gradient over a size: band 0 exactly the start
    // colour, band 255 exactly the end colour.
    QList<GradientBand> GradientBands(QSize size) const;
    // Start and end colour of the gradient for the fill direction.
    QColor GradientStart() const;
    QColor GradientEnd() const;

    // Sizes the object around its text; true when the text fits now.
    bool FitToText();

    // ---- drawing ----------------------------------------------------------------------
    // Draws the object at (0, 0) of the painter in size device pixels: frame
    // and background, then the shadow, fill and outline layers clipped by
    // the letters, or the crossed placeholder when no character fits.
    void PaintLayers(QPainter& painter, QSize size, const PageMapping& mapping) const;
    // The object as it goes to paper. The painter draws in the object's own
    // page pixels (zoom 1, (0, 0) its top-left corner, pagePpi page pixels
    // per inch) and its transform takes them to paper, paperScale device
    // pixels per page pixel. Every layer, the shadow included, is a vector
    // path; the letters are traced at the paper's resolution; the fill
    // covers the object moved out by 0.03 inch at the left and top, texture
    // tiles are the bitmap scaled to the paper (rounded to whole device
    // pixels) and overlap by 0.01 inch, the gradient runs over a rectangle
    // a quarter inch larger to the right and bottom; pens are device pixels.
    void PaintPaper(QPainter& painter, int pagePpi, double paperScale) const;

    // ---- the object's operations ---------------------------------------------------
    // Copies every look property and the size from another object through
    // the setters (the dialog's preview).
    void CopyFrom(const TGSuperText& other);
    // What OK of the properties dialog takes back from its preview.
    void TakeEditedProperties(const TGSuperText& preview, const QString& rememberedPath);
    // The properties dialog; on OK the edited values are taken over.
    void EditProperties();
    // The font dialog (scalable fonts) with the object's font.
    void ShowFontDialog();
    void ShowBackgroundColorDialog();

    void ApplyFont(const TFont& font) override;
    void BoundsChanged() override;
    // Bounds mapped, with the size rules applied to what the device shows.
    QRect DeviceRect(const PageMapping& mapping) const override;
    void PaintObject(QPainter& painter, const PageMapping& mapping, QSize size) override;
    void UpdateMenu(MenuEntryList& menu) override;

protected:
    void AppendMenuItems(MenuEntryList& menu) override;
    // Its paper fill reaches past the rectangle (the letters clip it).
    bool ClipToBoundsOnPaper() const override { return false; }
    // A record leaves an empty caption out, so one read without a caption
    // is empty (a new object's caption is "Text").
    void Loading() override;
    void SetupAfterLoading() override;

private:
    void changedLook();
    void invalidate();
    // The letters as a path with their top-left at origin (the baseline
    // baselineDrop below it: the font's ascent on a screen).
    QPainterPath TextPath(const QString& text, const QFont& font, QPointF topLeft, qreal baselineDrop) const;
    void drawBackground(QPainter& painter, QSizeF size, bool cosmeticPen) const;

    int m_shadowDepth = 0;
    TShadowOrientation m_shadowOrientation = sdDownRight;
    TColor m_shadowColor = 0x808080;
    TBorderStyle m_borderStyle = bsNone;
    bool m_controlTransparent = true;
    TColor m_bgColor = 0xFFFFFF;
    QString m_caption = QStringLiteral("Text");
    TFont* m_font;
    TFillDirection m_fillDirection = gdRight;
    TColor m_gradientTo = 0x00FFFF;
    TColor m_gradientFrom = 0xFF0000;
    TBitmap* m_image;
    TColor m_outlineColor = clBlack;
    TPenStyle m_outlineStyle = psSolid;
    int m_outlineWidth = 1;
    TSurfaceType m_surfaceType = stGradientFill;
    QString m_lastBitmapPath;

    SuperTextLayout m_layout;
    bool m_dirty = true;
    // The last layout on a device.
    struct Shown {
        bool Valid = false;
        PageMapping Mapping;
        QRect Bounds;
        SuperTextLayout Layout;
    };
    mutable Shown m_shown;
    bool m_inLayout = false;
    mutable bool m_painting = false;
};

}  // namespace dayloom
