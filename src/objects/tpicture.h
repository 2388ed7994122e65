#pragma once

#include <QByteArray>
#include <QObject>
#include <QSize>

#include "imaging/bmpfile.h"
#include "imaging/tmetafile.h"
#include "stream/streamablepersistent.h"

namespace dayloom {

struct LoadedPicture;

// The picture an image object shows: nothing, a bitmap or a metafile. It is
// streamed as one binary value "Data": the graphic's class name as a short
// string ("TBitmap" or "TMetafile"), a 32-bit length, then the bitmap file
// or the metafile bytes. Every change emits Changed().
class TPicture : public QObject, public StreamablePersistent {
    Q_OBJECT
public:
    enum Kind { None, Bitmap, Metafile };

    explicit TPicture(QObject* parent = nullptr);

    Kind Type() const { return m_kind; }
    bool IsEmpty() const { return m_kind == None; }
    bool IsBitmap() const { return m_kind == Bitmap; }
    bool IsMetafile() const { return m_kind == Metafile; }
    const BmpFile& BitmapValue() const { return m_bitmap; }
    const TMetafile& MetafileValue() const { return m_metafile; }
    // The graphic's size in screen pixels (0 when empty).
    QSize Size() const;
    int Width() const { return Size().width(); }
    int Height() const { return Size().height(); }

    void Assign(const TPicture& other);
    void Assign(const LoadedPicture& loaded);
    void SetBitmap(const BmpFile& bitmap);
    void SetMetafile(const TMetafile& metafile);
    void Clear();

    // The bytes of the "Data" value; empty for an empty picture.
    QByteArray Data() const;
    // Reads those bytes; throws ReadError on damaged or unknown data and
    // leaves the picture unchanged then.
    void SetData(const QByteArray& data);

    void WriteExtraProperties(ValueWriter& writer) const override;
    bool ReadExtraProperty(const QString& name, ValueReader& reader) override;

Q_SIGNALS:
    void Changed();

private:
    Kind m_kind = None;
    BmpFile m_bitmap;
    TMetafile m_metafile;
};

}  // namespace dayloom
