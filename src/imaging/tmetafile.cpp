#include "imaging/tmetafile.h"

#include <cmath>

#include "core/fileaccess.h"
#include "core/screen.h"
#include "imaging/emfplayer.h"
#include "imaging/emfwriter.h"
#include "imaging/imagingerror.h"
#include "imaging/wmfplayer.h"

namespace dayloom {

namespace {

constexpr int kHiMetricPerInch = 2540;

int MulDiv(qint64 a, qint64 b, qint64 c)
{
    if (c == 0)
        return 0;
    const double v = double(a) * double(b) / double(c);
    return int(std::lround(qBound(-2147483647.0, v, 2147483647.0)));
}

// b - a without overflow, within the int range.
int Span(qint64 a, qint64 b)
{
    return int(qBound(qint64(-2147483647), b - a, qint64(2147483647)));
}

void Put16(char* p, quint16 v)
{
    p[0] = char(v & 0xFF);
    p[1] = char(v >> 8);
}

}  // namespace

TMetafile TMetafile::FromBytes(const QByteArray& bytes)
{
    TMetafile m;
    if (EmfPlayer::IsEnhanced(bytes)) {
        const EmfHeader h = EmfPlayer::ReadHeader(bytes);
        m.FEnhanced = true;
        m.FMMWidth = Span(h.Frame.left(), h.Frame.right());
        m.FMMHeight = Span(h.Frame.top(), h.Frame.bottom());
        if (m.FMMWidth <= 0 || m.FMMHeight <= 0) {
            // No frame: take the bounds at the reference device's resolution.
            const double mmx = h.Device.width() > 0 && h.Millimeters.width() > 0
                ? double(h.Millimeters.width()) / h.Device.width() : 25.4 / 96;
            const double mmy = h.Device.height() > 0 && h.Millimeters.height() > 0
                ? double(h.Millimeters.height()) / h.Device.height() : 25.4 / 96;
            m.FMMWidth = MulDiv(qint64(Span(h.Bounds.left(), h.Bounds.right())) + 1, qint64(mmx * 1e6), 10000);
            m.FMMHeight = MulDiv(qint64(Span(h.Bounds.top(), h.Bounds.bottom())) + 1, qint64(mmy * 1e6), 10000);
        }
        m.FBitsOffset = 0;
        m.FBitsSize = h.Bytes;
        m.FBytes = bytes.left(h.Bytes);
        m.FVectorArt = EmfPaintDevice::IsVectorArt(m.FBytes);
        return m;
    }
    const WmfHeader h = WmfPlayer::ReadHeader(bytes);
    m.FBitsOffset = h.BitsOffset;
    m.FBitsSize = h.BitsSize;
    if (h.Placeable) {
        m.FInch = h.Inch;
        m.FBox = h.Box;
        const int inch = h.Inch ? h.Inch : kHiMetricPerInch;
        m.FMMWidth = MulDiv(h.Box.width(), kHiMetricPerInch, inch);
        m.FMMHeight = MulDiv(h.Box.height(), kHiMetricPerInch, inch);
    } else if (h.HasWindowExt) {
        // Without a placeable header the window extent is taken as pixels.
        m.FMMWidth = MulDiv(std::abs(h.WindowExt.width()), kHiMetricPerInch, ScreenPPI());
        m.FMMHeight = MulDiv(std::abs(h.WindowExt.height()), kHiMetricPerInch, ScreenPPI());
    }
    m.FBytes = bytes.left(h.BitsOffset + h.BitsSize);
    return m;
}

TMetafile TMetafile::FromFile(const QString& path, InputKind kind)
{
    QByteArray bytes;
    if (ReadInputFile(path, kind, &bytes) != InputFault::None)
        ThrowImageError();
    return FromBytes(bytes);
}

int TMetafile::Width() const
{
    if (!FEnhanced && FInch > 0)
        return MulDiv(FBox.width(), ScreenPPI(), FInch);
    return MulDiv(FMMWidth, ScreenPPI(), kHiMetricPerInch);
}

int TMetafile::Height() const
{
    if (!FEnhanced && FInch > 0)
        return MulDiv(FBox.height(), ScreenPPI(), FInch);
    return MulDiv(FMMHeight, ScreenPPI(), kHiMetricPerInch);
}

QByteArray TMetafile::PictureData() const
{
    if (FBytes.isEmpty())
        return {};
    if (FEnhanced)
        return FBytes;
    int inch = FInch;
    int w = FBox.width(), h = FBox.height();
    if (inch == 0) {
        inch = kHiMetricPerInch;
        w = FMMWidth;
        h = FMMHeight;
    }
    QByteArray out(22, '\0');
    char* p = out.data();
    const quint32 key = WmfPlayer::kPlaceableKey;
    Put16(p, quint16(key & 0xFFFF));
    Put16(p + 2, quint16(key >> 16));
    Put16(p + 4, 0);
    Put16(p + 6, 0);
    Put16(p + 8, 0);
    Put16(p + 10, quint16(qBound(-32768, w, 32767)));
    Put16(p + 12, quint16(qBound(-32768, h, 32767)));
    Put16(p + 14, quint16(inch));
    // bytes 16..19: reserved 0
    Put16(p + 20, WmfPlayer::Checksum(p));
    out += FBytes.mid(FBitsOffset, FBitsSize);
    return out;
}

void TMetafile::Play(QPainter& painter, const QRectF& target) const
{
    if (FBytes.isEmpty())
        return;
    try {
        if (FEnhanced)
            EmfPlayer::Play(FBytes, painter, target);
        else
            WmfPlayer::Play(FBytes, painter, target);
    } catch (const ReadError&) {
        // The bytes were checked on loading; nothing more to show.
    }
}

}  // namespace dayloom
