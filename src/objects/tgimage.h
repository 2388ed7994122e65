#pragma once

#include <QImage>

#include "objects/objecttypes.h"
#include "objects/tggraphiccontrol.h"

namespace dayloom {

class TPicture;

// Clip art on the page: a bitmap or a metafile, stretched to the object's
// rectangle, or sizing the object to the picture (AutoSize), optionally
// framed and, for bitmaps, mirrored.
class TGImage : public TGGraphicControl {
    Q_OBJECT
public:
    explicit TGImage(QObject* parent = nullptr);
    ~TGImage() override;

    // Setting one of the pair sets the other to the opposite. Stretch only
    // repaints; AutoSize also re-runs the picture step (which resizes the
    // object) and reports a change.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool stretch);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style);
    bool Reverse() const { return m_reverse; }
    void SetReverse(bool reverse);
    bool Flip() const { return m_flip; }
    void SetFlip(bool flip);

    // The object's own picture; changing it runs the picture step.
    TPicture* Picture() const { return m_picture; }
    void SetPicture(const TPicture& picture);
    // True when the picture is a bitmap without transparency of exactly the
    // object's size (in page pixels), so it covers everything below it.
    bool Opaque() const { return m_opaque; }
    // True for a bitmap with an alpha channel and for vector art recorded
    // from an SVG picture: the object is drawn blended onto the page.
    bool HasTransparency() const;

    // The picture browser: on OK with a file chosen the previewed picture and
    // the browser's two check boxes are taken over; a bitmap larger than
    // ImageLoader::kPlacedMaxSide on its long side is scaled down to it. The
    // process's current folder is the same afterwards.
    void LoadImageFromDisk();

    // What the object looks like at a size: the picture (mirrored when asked
    // and a bitmap), or an empty framed box, and the optional frame.
    QImage Render(QSize size) const;
    QImage Render() const { return Render(Size()); }

    void BoundsChanged() override;
    void UpdateMenu(MenuEntryList& menu) override;
    void PaintObject(QPainter& painter, const PageMapping& mapping, QSize size) override;

protected:
    void AppendMenuItems(MenuEntryList& menu) override;
    void SetupAfterLoading() override;

private:
    // The picture's change notification: AutoSize takes effect, the opaque
    // mark follows the picture, and the object repaints.
    void PictureChanged();
    bool Mirrored() const;
    // The bitmap, mirrored when asked, at the size given.
    QImage BitmapAt(int width, int height) const;
    QImage RenderFresh(QSize size) const;
    void paintOnPaper(QPainter& painter, QSize size) const;

    TPicture* m_picture;
    // The last Render(), kept until the picture, a look property or the
    // size asked for changes.
    mutable QImage m_rendered;
    bool m_autoSize = false;
    bool m_stretch = true;
    TBorderStyle m_borderStyle = bsNone;
    bool m_reverse = false;
    bool m_flip = false;
    bool m_opaque = false;
};

}  // namespace dayloom
