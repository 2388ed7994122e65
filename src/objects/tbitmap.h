#pragma once

#include <QByteArray>
#include <QObject>

#include "imaging/bmpfile.h"
#include "stream/streamablepersistent.h"

namespace dayloom {

// A bitmap owned by a page object (the special-effects text's texture). It
// is streamed as one binary value "Data": a 32-bit length followed by that
// many bytes of a bitmap file. An empty bitmap writes nothing. Every change
// emits Changed().
class TBitmap : public QObject, public StreamablePersistent {
    Q_OBJECT
public:
    explicit TBitmap(QObject* parent = nullptr);

    bool IsEmpty() const { return m_bitmap.IsEmpty(); }
    int Width() const { return m_bitmap.Width(); }
    int Height() const { return m_bitmap.Height(); }
    const BmpFile& Value() const { return m_bitmap; }
    const QImage& Image() const { return m_bitmap.Image(); }

    void Assign(const TBitmap& other);
    void SetValue(const BmpFile& bitmap);
    // Width and height 0.
    void Clear();

    // The bytes of the "Data" value; empty for an empty bitmap.
    QByteArray Data() const;
    // Reads those bytes. A length that does not match the bytes that follow
    // fails with the stream's read error, bytes that are no bitmap with the
    // bitmap reader's; the bitmap is unchanged then.
    void SetData(const QByteArray& data);

    void WriteExtraProperties(ValueWriter& writer) const override;
    bool ReadExtraProperty(const QString& name, ValueReader& reader) override;

Q_SIGNALS:
    void Changed();

private:
    BmpFile m_bitmap;
};

}  // namespace dayloom
