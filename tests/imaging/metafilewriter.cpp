#include "metafilewriter.h"

#include <cstdlib>
#include <vector>

#include <QFile>

extern "C" {
#include <uemf_utf.h>
}

namespace dayloom::test {

quint32 Rgb(int r, int g, int b)
{
    return quint32(r) | (quint32(g) << 8) | (quint32(b) << 16);
}

namespace {

U_COLORREF Ref(quint32 c)
{
    return colorref3_set(uint8_t(c & 0xFF), uint8_t((c >> 8) & 0xFF), uint8_t((c >> 16) & 0xFF));
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

}  // namespace

EmfWriter::EmfWriter(int w, int h) : FW(w), FH(h)
{
    FPath = FDir.filePath("t.emf");
    emf_start(FPath.toLocal8Bit().constData(), 100000, 100000, &FTrack);
    emf_htable_create(128, 128, &FHandles);
    const U_RECTL bounds = rectl_set(pointl_set(0, 0), pointl_set(w - 1, h - 1));
    const U_RECTL frame = rectl_set(pointl_set(0, 0),
                                    pointl_set(int(w * 2540.0 / 96 + 0.5), int(h * 2540.0 / 96 + 0.5)));
    Add(U_EMRHEADER_set(bounds, frame, nullptr, 0, nullptr, sizel_set(960, 960),
                        sizel_set(254, 254), 0));
}

EmfWriter::~EmfWriter()
{
    if (FTrack)
        emf_free(&FTrack);
    if (FHandles)
        emf_htable_free(&FHandles);
}

void EmfWriter::Add(char* record)
{
    emf_append(reinterpret_cast<U_ENHMETARECORD*>(record), FTrack, U_REC_FREE);
}

QByteArray EmfWriter::Finish()
{
    Add(U_EMREOF_set(0, nullptr, FTrack));
    emf_finish(FTrack, FHandles);
    emf_free(&FTrack);
    FTrack = nullptr;
    return ReadAll(FPath);
}

void EmfWriter::SolidBrush(quint32 color)
{
    uint32_t ih = 0;
    Add(createbrushindirect_set(&ih, FHandles, logbrush_set(U_BS_SOLID, Ref(color), 0)));
    Add(selectobject_set(ih, FHandles));
}

void EmfWriter::Pen(quint32 color, int width, quint32 style)
{
    uint32_t ih = 0;
    Add(createpen_set(&ih, FHandles, logpen_set(style, point_set(width, 0), Ref(color))));
    Add(selectobject_set(ih, FHandles));
}

void EmfWriter::Font(int height, const char* face, int weight)
{
    uint16_t* wface = U_Utf8ToUtf16le(face, 0, nullptr);
    U_LOGFONT lf = logfont_set(height, 0, 0, 0, weight, 0, 0, 0, U_ANSI_CHARSET, 0, 0, 0, 0, wface);
    std::free(wface);
    uint32_t ih = 0;
    Add(extcreatefontindirectw_set(&ih, FHandles, reinterpret_cast<const char*>(&lf), nullptr));
    Add(selectobject_set(ih, FHandles));
}

void EmfWriter::Rect(int l, int t, int r, int b)
{
    Add(U_EMRRECTANGLE_set(rectl_set(pointl_set(l, t), pointl_set(r, b))));
}

void EmfWriter::Text(int x, int y, const char* utf8)
{
    size_t len = 0;
    uint16_t* w = U_Utf8ToUtf16le(utf8, 0, &len);
    const U_RECTL none = rectl_set(pointl_set(0, 0), pointl_set(-1, -1));
    // libuemf wants the advances; 12 units a character.
    std::vector<uint32_t> dx(len ? len : 1, 12);
    char* text = emrtext_set(pointl_set(x, y), U_NUM_STR(len), 2, w, U_ETO_NONE, none, dx.data());
    Add(U_EMREXTTEXTOUTW_set(none, U_GM_COMPATIBLE, 1, 1, reinterpret_cast<PU_EMRTEXT>(text)));
    std::free(text);
    std::free(w);
}

WmfWriter::WmfWriter(int w, int h, int inch)
{
    FPath = FDir.filePath("t.wmf");
    wmf_start(FPath.toLocal8Bit().constData(), 100000, 100000, &FTrack);
    wmf_htable_create(128, 128, &FHandles);
    U_PAIRF* size = U_PAIRF_set(float(w) / inch, float(h) / inch);
    char* header = U_WMRHEADER_set(size, unsigned(inch));
    std::free(size);
    wmf_header_append(reinterpret_cast<U_METARECORD*>(header), FTrack, U_REC_FREE);
    Add(U_WMRSETWINDOWORG_set(point16_set(0, 0)));
    Add(U_WMRSETWINDOWEXT_set(point16_set(int16_t(w), int16_t(h))));
}

WmfWriter::~WmfWriter()
{
    if (FTrack)
        wmf_free(&FTrack);
    if (FHandles)
        wmf_htable_free(&FHandles);
}

void WmfWriter::Add(char* record)
{
    wmf_append(reinterpret_cast<U_METARECORD*>(record), FTrack, U_REC_FREE);
}

QByteArray WmfWriter::Finish()
{
    Add(U_WMREOF_set());
    wmf_finish(FTrack);
    wmf_free(&FTrack);
    FTrack = nullptr;
    return ReadAll(FPath);
}

void WmfWriter::SolidBrush(quint32 color)
{
    uint32_t ih = 0;
    Add(wcreatebrushindirect_set(&ih, FHandles, U_WLOGBRUSH_set(U_BS_SOLID, Ref(color), 0)));
    Add(wselectobject_set(ih, FHandles));
}

void WmfWriter::Pen(quint32 color, int width, quint16 style)
{
    uint32_t ih = 0;
    Add(wcreatepenindirect_set(&ih, FHandles, U_PEN_set(style, uint16_t(width), Ref(color))));
    Add(wselectobject_set(ih, FHandles));
}

}  // namespace dayloom::test
