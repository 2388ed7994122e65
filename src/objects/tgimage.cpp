#include "objects/tgimage.h"

#include <cmath>

#include <QDir>
#include <QPainter>
#include <QPicture>

#include "imaging/imageloader.h"
#include "objects/objectdialogs.h"
#include "objects/tpicture.h"

namespace dayloom {

TGImage::TGImage(QObject* parent) : TGGraphicControl(parent), m_picture(new TPicture(this))
{
    connect(m_picture, &TPicture::Changed, this, &TGImage::PictureChanged);
    SetBounds(QRect(0, 0, 105, 105));
}

TGImage::~TGImage() = default;

void TGImage::SetAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    m_stretch = !autoSize;
    PictureChanged();
    ReportChange();
}

void TGImage::SetStretch(bool stretch)
{
    m_stretch = stretch;
    m_autoSize = !stretch;
    Repaint();
}

void TGImage::SetBorderStyle(TBorderStyle style)
{
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    m_rendered = QImage();
    Repaint();
    ReportChange();
}

void TGImage::SetReverse(bool reverse)
{
    if (reverse == m_reverse)
        return;
    m_reverse = reverse;
    m_rendered = QImage();
    Repaint();
    ReportChange();
}

void TGImage::SetFlip(bool flip)
{
    if (flip == m_flip)
        return;
    m_flip = flip;
    m_rendered = QImage();
    Repaint();
    ReportChange();
}

void TGImage::SetPicture(const TPicture& picture)
{
    m_picture->Assign(picture);
}

void TGImage::PictureChanged()
{
    m_rendered = QImage();
    BoundsChanged();
    // A bitmap with transparency never covers what lies below it.
    m_opaque = m_picture->IsBitmap() && !m_picture->BitmapValue().HasAlpha()
        && m_picture->Width() == Width() && m_picture->Height() == Height();
    Repaint();
}

void TGImage::BoundsChanged()
{
    TGGraphicControl::BoundsChanged();
    if (!m_autoSize)
        return;
    const int w = m_picture->Width(), h = m_picture->Height();
    if (w <= 0 || h <= 0)
        return;
    // The picture's own size in page pixels (shown at the zoom like any size).
    SetBounds(QRect(Left(), Top(), w, h));
}

void TGImage::SetupAfterLoading()
{
    // A stored Stretch of false comes back as AutoSize: the object follows
    // its picture from now on.
    PictureChanged();
}

void TGImage::LoadImageFromDisk()
{
    const QString folder = QDir::currentPath();
    LoadedPicture chosen;
    bool stretch = m_stretch, autoSize = m_autoSize;
    const auto& browse = ObjectDialogs().browseImage;
    if (browse && browse(chosen, stretch, autoSize)) {
        // Large photos are placed at a size a page can hold.
        ImageLoader::LimitSize(chosen);
        // Taken directly, so both can be off (which paints like Stretch).
        m_stretch = stretch;
        m_autoSize = autoSize;
        {
            const QSignalBlocker quiet(m_picture);
            m_picture->Assign(chosen);
        }
        PictureChanged();
        ReportChange();
    }
    QDir::setCurrent(folder);
}

bool TGImage::HasTransparency() const
{
    return (m_picture->IsBitmap() && m_picture->BitmapValue().HasAlpha())
        || (m_picture->IsMetafile() && m_picture->MetafileValue().VectorArt());
}

bool TGImage::Mirrored() const
{
    return m_picture->IsBitmap() && (m_flip || m_reverse);
}

QImage TGImage::BitmapAt(int width, int height) const
{
    const QImage& source = m_picture->BitmapValue().Image();
    const QImage mirrored = Mirrored() ? source.mirrored(m_reverse, m_flip) : source;
    if (mirrored.width() == width && mirrored.height() == height)
        return mirrored;
    return mirrored.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage TGImage::Render(QSize size) const
{
    if (m_rendered.size() != size)
        m_rendered = RenderFresh(size);
    return m_rendered;
}

QImage TGImage::RenderFresh(QSize size) const
{
    const int w = size.width(), h = size.height();
    if (w < 1 || h < 1)
        return {};
    // Pictures with transparency show the page through; others are drawn
    // on white.
    const bool seeThrough = HasTransparency();
    QImage out(w, h, seeThrough ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    out.fill(seeThrough ? Qt::transparent : Qt::white);
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect whole(0, 0, w, h);
    if (m_picture->IsBitmap()) {
        // A scaled copy averages what a shrunken picture leaves out.
        p.drawImage(QPoint(0, 0), BitmapAt(w, h));
    } else if (m_picture->IsMetafile()) {
        p.save();
        p.setClipRect(whole);
        m_picture->MetafileValue().Play(p, QRectF(whole));
        p.restore();
    } else {
        // No picture: an empty box in the default black pen and white brush.
        p.setPen(QPen(Qt::black, 0));
        p.setBrush(Qt::white);
        p.drawRect(whole.adjusted(0, 0, -1, -1));
    }
    if (m_borderStyle == bsSingle) {
        p.setPen(QPen(Qt::black, 0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(whole.adjusted(0, 0, -1, -1));
    }
    return out;
}

void TGImage::PaintObject(QPainter& painter, const PageMapping& mapping, QSize size)
{
    if (mapping.OnPaper) {
        paintOnPaper(painter, size);
        return;
    }
    const QImage image = Render(size);
    if (!image.isNull())
        painter.drawImage(QPoint(0, 0), image);
}

void TGImage::paintOnPaper(QPainter& p, QSize size) const
{
    // Paper takes the picture itself: a bitmap at its own resolution
    // (mirrored at the object's size when asked), a metafile as vectors and
    // never mirrored. An object without a picture prints nothing.
    if (m_picture->IsEmpty() || size.width() < 1 || size.height() < 1)
        return;
    const QRectF whole(0, 0, size.width(), size.height());
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_picture->IsBitmap()) {
        const QImage bitmap =
            Mirrored() ? BitmapAt(size.width(), size.height()) : m_picture->BitmapValue().Image();
        p.drawImage(whole, bitmap);
    } else if (m_picture->IsMetafile()) {
        p.setClipRect(whole, Qt::IntersectClip);
        m_picture->MetafileValue().Play(p, whole);
    }
    p.restore();
    if (m_borderStyle == bsSingle) {
        p.save();
        QPen pen(Qt::black, 1);
        pen.setCosmetic(true);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(whole);
        p.restore();
    }
}

void TGImage::AppendMenuItems(MenuEntryList& m)
{
    auto check = [](const char* caption, std::function<void()> action) {
        return MenuEntry::CheckItem(QString::fromLatin1(caption), std::move(action));
    };
    m << MenuEntry::Separator();
    m << MenuEntry::Item(QStringLiteral("Load Image From Disk"), [this] { LoadImageFromDisk(); });
    m << MenuEntry::Separator();
    m << check("Border", [this] { SetBorderStyle(m_borderStyle == bsSingle ? bsNone : bsSingle); });
    m << check("Stretch to Fit", [this] { SetStretch(!m_stretch); });
    m << check("AutoSize", [this] { SetAutoSize(!m_autoSize); });
    m << check("Flip", [this] { SetFlip(!m_flip); });
    m << check("Reverse", [this] { SetReverse(!m_reverse); });
}

void TGImage::UpdateMenu(MenuEntryList& m)
{
    CheckMenuItem(m, QStringLiteral("Border"), m_borderStyle == bsSingle);
    CheckMenuItem(m, QStringLiteral("Stretch to Fit"), m_stretch);
    CheckMenuItem(m, QStringLiteral("AutoSize"), m_autoSize);
    CheckMenuItem(m, QStringLiteral("Flip"), m_flip);
    CheckMenuItem(m, QStringLiteral("Reverse"), m_reverse);
    // Mirroring applies to bitmaps only.
    const bool bitmap = m_picture->IsBitmap();
    EnableMenuItem(m, QStringLiteral("Flip"), bitmap);
    EnableMenuItem(m, QStringLiteral("Reverse"), bitmap);
}

}  // namespace dayloom
