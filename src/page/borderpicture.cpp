#include "page/borderpicture.h"

#include <QPainter>

#include "page/tcalendarpanel32.h"

namespace dayloom {

std::shared_ptr<BorderPicture> BorderPicture::Attach(TCalendarPanel32& page)
{
    auto picture = std::make_shared<BorderPicture>();
    page.SetBorderPictureLoader([picture](const QString& path) { return picture->Load(path); });
    page.SetBorderPicturePainter(
        [picture](QPainter& painter, const QRectF& target) { picture->Paint(painter, target); });
    // A name set before the binding was only looked up, never read.
    const QString current = page.WMFBorderFile();
    if (!current.isEmpty())
        page.SetWMFBorderFile(current);
    return picture;
}

bool BorderPicture::Load(const QString& path)
{
    FMetafile.Clear();
    FPath.clear();
    if (path.isEmpty())
        return true;
    try {
        TMetafile m = TMetafile::FromFile(path, InputKind::BorderPicture);
        if (m.IsEmpty())
            return false;
        FMetafile = std::move(m);
    } catch (const std::exception&) {
        return false;
    }
    FPath = path;
    return true;
}

void BorderPicture::Paint(QPainter& painter, const QRectF& target) const
{
    if (FMetafile.IsEmpty() || target.isEmpty())
        return;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    FMetafile.Play(painter, target);
    painter.restore();
}

}  // namespace dayloom
