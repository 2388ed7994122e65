#pragma once

#include <memory>

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>

namespace dayloom {

class EmfPaintEngine;

// A paint device that records what is painted on it as an enhanced
// metafile, so that a drawing made with QPainter (an SVG picture rendered
// by QtSvg, for one) stays a vector picture. Its size is the picture's size
// in pixels at 96 per inch; the records use a reference device of 1200 dots
// per inch, so positions keep a twelfth of a pixel.
//
// Shapes become paths filled with solid brushes; outlines are widened into
// shapes first, so every cap, join and dash looks as QPainter draws it.
// Gradients become bands of solid colour clipped to the shape; text becomes
// the outlines of its glyphs (QPaintEngine's own fallback). Whatever is
// drawn with transparency (painter opacity, colours or gradient stops with
// alpha, pictures with alpha, pattern and texture brushes) is rendered into
// a bitmap with alpha that an alpha-blend record draws. Those bitmaps share
// a budget of pixels so that a drawing with many transparent shapes cannot
// make a huge metafile; beyond it a transparent solid shape is drawn as a
// one-pixel bitmap stretched over the shape under a clip.
//
// The metafile starts with a private comment (see IsVectorArt) that tells
// our player to smooth its edges and the image object that its background
// is transparent.
class EmfPaintDevice : public QPaintDevice {
public:
    // Device units per pixel at 96 per inch (1200 / 96).
    static constexpr double kUnitsPerPixel = 12.5;

    explicit EmfPaintDevice(const QSize& size);
    ~EmfPaintDevice() override;

    QPaintEngine* paintEngine() const override;
    QSize Size() const { return FSize; }
    // The metafile; complete once the painter has ended.
    QByteArray Bytes() const;

    // Pixels of alpha bitmaps the metafile may hold in all (default 4 million).
    void SetBitmapBudget(qint64 pixels);

    // True when an enhanced metafile carries the comment this device writes
    // right after the header.
    static bool IsVectorArt(const QByteArray& emf);
    // The comment's bytes (an identifier and a version).
    static QByteArray VectorArtComment();

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize FSize;
    std::unique_ptr<EmfPaintEngine> FEngine;
};

}  // namespace dayloom
