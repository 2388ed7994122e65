#pragma once

#include <memory>

#include <QRectF>
#include <QString>

#include "imaging/tmetafile.h"

class QPainter;

namespace dayloom {

class TCalendarPanel32;

// The decorative border picture of a calendar page: the metafile read from
// the "Borders" folder, stretched into the margin rectangle when the page
// paints. Attach binds a new one to a page; the page's loader and painter
// share it, so it lives as long as the page keeps them.
class BorderPicture {
public:
    // Installs the loader and painter on the page. A border name the page
    // already holds is loaded again through the new loader.
    static std::shared_ptr<BorderPicture> Attach(TCalendarPanel32& page);

    // Reads the metafile; an empty path clears it. False (and no picture)
    // when the file cannot be read or holds no picture.
    bool Load(const QString& path);
    void Paint(QPainter& painter, const QRectF& target) const;

    bool IsEmpty() const { return FMetafile.IsEmpty(); }
    const TMetafile& Metafile() const { return FMetafile; }
    QString Path() const { return FPath; }

private:
    TMetafile FMetafile;
    QString FPath;
};

}  // namespace dayloom
