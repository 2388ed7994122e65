// Metafiles written by another program (Inkscape), played by our player and
// compared with what other renderers make of the same files: Inkscape's own
// EMF import for the enhanced metafiles, libwmf for the Windows metafiles,
// and Inkscape's rendering of the source drawing for both. How the files
// were made is told in tests/data/imaging/foreign/README.md.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPainter>

#include "imaging/tmetafile.h"
#include "common/testutil.h"
#include "metafilewriter.h"

using namespace dayloom;

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 200;
constexpr int kCell = 4;  // comparison works on 4 x 4 pixel averages

QString Foreign(const QString& name)
{
    return test::DataPath(QStringLiteral("imaging/foreign/") + name);
}

// Any picture flattened onto white, as 32-bit RGB.
QImage OnWhite(const QImage& in)
{
    QImage out(in.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, in);
    return out;
}

QImage Play(const TMetafile& m, QSize size, const QRectF& target)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    m.Play(p, target);
    return img;
}

QImage Play(const TMetafile& m)
{
    return Play(m, QSize(kWidth, kHeight), QRectF(0, 0, kWidth, kHeight));
}

// Box average over cell x cell blocks.
QImage Downscale(const QImage& img, int cell)
{
    const int w = img.width() / cell, h = img.height() / cell;
    QImage out(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int r = 0, g = 0, b = 0;
            for (int j = 0; j < cell; ++j)
                for (int i = 0; i < cell; ++i) {
                    const QRgb c = img.pixel(x * cell + i, y * cell + j);
                    r += qRed(c);
                    g += qGreen(c);
                    b += qBlue(c);
                }
            const int n = cell * cell;
            out.setPixel(x, y, qRgb(r / n, g / n, b / n));
        }
    return out;
}

// The amount of ink: how far from white all pixels are, summed. Unlike a
// count of non-white pixels it hardly changes with antialiasing.
double Ink(const QImage& img)
{
    double ink = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            ink += 765 - qRed(c) - qGreen(c) - qBlue(c);
        }
    return ink / 765;
}

struct Difference {
    double Mean = 0;      // mean absolute difference per channel of the averages
    double Within = 0;    // share of averages no channel of which is off by more than kNear
    double Coverage = 0;  // our ink / the reference's
};

constexpr int kNear = 48;

Difference Compare(const QImage& ours, const QImage& reference)
{
    const QImage a = Downscale(ours, kCell), b = Downscale(reference, kCell);
    Difference d;
    qint64 sum = 0;
    int within = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int dr = std::abs(qRed(p) - qRed(q)), dg = std::abs(qGreen(p) - qGreen(q)),
                      db = std::abs(qBlue(p) - qBlue(q));
            sum += dr + dg + db;
            if (std::max({dr, dg, db}) <= kNear)
                ++within;
        }
    const int cells = a.width() * a.height();
    d.Mean = double(sum) / (3.0 * cells);
    d.Within = double(within) / cells;
    const double ink = Ink(reference);
    d.Coverage = ink > 0 ? Ink(ours) / ink : 0;
    return d;
}

struct Bounds {
    double MaxMean;
    double MinWithin;
    double MaxCoverageOff;  // |coverage ratio - 1|
};

::testing::AssertionResult Accepts(const Bounds& bounds, const Difference& d)
{
    const bool ok = d.Mean <= bounds.MaxMean && d.Within >= bounds.MinWithin
        && std::abs(d.Coverage - 1) <= bounds.MaxCoverageOff;
    auto r = ok ? ::testing::AssertionSuccess() : ::testing::AssertionFailure();
    return r << "mean " << d.Mean << " (max " << bounds.MaxMean << "), within " << d.Within
             << " (min " << bounds.MinWithin << "), coverage " << d.Coverage << " (1 +- "
             << bounds.MaxCoverageOff << ")";
}

// Ours, the reference and their difference (amplified) side by side.
void Shot(const QImage& ours, const QImage& reference, const QString& name)
{
    QImage side(ours.width() * 3 + 8, ours.height(), QImage::Format_RGB32);
    side.fill(qRgb(128, 128, 128));
    QPainter p(&side);
    p.drawImage(0, 0, ours);
    p.drawImage(ours.width() + 4, 0, reference);
    QImage diff(ours.size(), QImage::Format_RGB32);
    for (int y = 0; y < ours.height(); ++y)
        for (int x = 0; x < ours.width(); ++x) {
            const QRgb a = ours.pixel(x, y), b = reference.pixel(x, y);
            const int d = std::min(255, 2 * (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b))
                                             + std::abs(qBlue(a) - qBlue(b))) / 3);
            diff.setPixel(x, y, qRgb(255 - d, 255 - d, 255 - d));
        }
    p.drawImage(2 * ours.width() + 8, 0, diff);
    p.end();
    test::SaveShot(side, name);
}

void Report(const QString& what, const Difference& d)
{
    if (!qEnvironmentVariableIsEmpty("DAYLOOM_TEST_SHOTS"))
        std::printf("  %-32s mean %5.2f  within %.3f  coverage %.3f\n", qPrintable(what), d.Mean,
                    d.Within, d.Coverage);
}

QImage Shifted(const QImage& img, int dx, int dy)
{
    QImage out(img.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(dx, dy, img);
    return out;
}

QImage Shrunk(const QImage& img, double f)
{
    QImage out(img.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF s = QSizeF(img.size()) * f;
    p.drawImage(QRectF(QPointF((img.width() - s.width()) / 2, (img.height() - s.height()) / 2), s), img);
    return out;
}

// What a player that forgot to fill would leave: only the pixels on the
// edge between two colours.
QImage OutlinesOnly(const QImage& img)
{
    QImage out(img.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    for (int y = 1; y + 1 < img.height(); ++y)
        for (int x = 1; x + 1 < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (img.pixel(x - 1, y) != c || img.pixel(x + 1, y) != c || img.pixel(x, y - 1) != c
                || img.pixel(x, y + 1) != c)
                out.setPixel(x, y, c);
        }
    return out;
}

struct Case {
    const char* Name;
    const char* Ext;        // "emf" or "wmf"
    const char* Reference;  // renderer of the primary reference
    Bounds Primary;         // against the other renderer of the same file
    Bounds Drawing;         // against the rendering of the source drawing
    bool Symmetric;         // the same upside down and mirrored
};

std::ostream& operator<<(std::ostream& os, const Case& c)
{
    return os << c.Name << "." << c.Ext;
}

// Bounds: the measured differences with a margin; the README gives the
// measurements and tells why text and the frame get looser ones.
const Case kCases[] = {
    {"holly", "emf", "inkscape", {2.0, 0.98, 0.03}, {2.0, 0.98, 0.03}, false},
    {"gift", "emf", "inkscape", {3.0, 0.98, 0.03}, {2.0, 0.98, 0.03}, false},
    {"starmoon", "emf", "inkscape", {2.5, 0.98, 0.03}, {2.0, 0.98, 0.03}, false},
    {"greeting", "emf", "inkscape", {9.5, 0.90, 0.04}, {2.5, 0.98, 0.03}, false},
    {"frame", "emf", "inkscape", {4.0, 0.97, 0.04}, {3.5, 0.97, 0.08}, true},
    {"bauble", "emf", "inkscape", {2.5, 0.98, 0.03}, {2.0, 0.98, 0.03}, false},
    {"holly", "wmf", "libwmf", {4.5, 0.95, 0.08}, {2.0, 0.98, 0.03}, false},
    {"gift", "wmf", "libwmf", {5.0, 0.94, 0.05}, {2.0, 0.98, 0.03}, false},
    {"starmoon", "wmf", "libwmf", {3.5, 0.96, 0.03}, {2.0, 0.98, 0.03}, false},
    {"greeting", "wmf", "libwmf", {8.5, 0.89, 0.07}, {2.0, 0.98, 0.03}, false},
    {"frame", "wmf", "libwmf", {12.5, 0.79, 0.07}, {10.0, 0.89, 0.30}, true},
    {"bauble", "wmf", "libwmf", {5.0, 0.94, 0.07}, {2.0, 0.98, 0.03}, false},
};

class ForeignMetafile : public ::testing::TestWithParam<Case> {
protected:
    QString File() const
    {
        return Foreign(QStringLiteral("%1.%2").arg(QLatin1String(GetParam().Name), QLatin1String(GetParam().Ext)));
    }
    QImage Reference() const
    {
        const Case& c = GetParam();
        return LoadReference(QStringLiteral("%1.%2.%3.png")
                                 .arg(QLatin1String(c.Name), QLatin1String(c.Ext), QLatin1String(c.Reference)));
    }
    QImage DrawingReference() const
    {
        return LoadReference(QStringLiteral("%1.svg.inkscape.png").arg(QLatin1String(GetParam().Name)));
    }
    static QImage LoadReference(const QString& name)
    {
        QImage img(Foreign(name));
        EXPECT_FALSE(img.isNull()) << qPrintable(name);
        EXPECT_EQ(img.size(), QSize(kWidth, kHeight)) << qPrintable(name);
        return OnWhite(img);
    }
    QString Tag() const
    {
        return QStringLiteral("foreign-%1-%2").arg(QLatin1String(GetParam().Name), QLatin1String(GetParam().Ext));
    }
};

TEST_P(ForeignMetafile, LoadsWithTheDrawingsSize)
{
    const TMetafile m = TMetafile::FromFile(File());
    EXPECT_EQ(m.Enhanced(), QLatin1String(GetParam().Ext) == QLatin1String("emf"));
    // The drawing is 240 x 200 pixels at 96 per inch; the enhanced metafiles'
    // frames carry a pixel or two of padding at the writer's resolution.
    EXPECT_NEAR(m.Width(), kWidth, 3);
    EXPECT_NEAR(m.Height(), kHeight, 3);
}

TEST_P(ForeignMetafile, LooksLikeTheOtherRenderers)
{
    const TMetafile m = TMetafile::FromFile(File());
    const QImage ours = Play(m);
    const QImage reference = Reference();
    // The metafile's frame may be a little larger than the drawing (the
    // enhanced ones are rounded up to whole millimetres), so against the
    // drawing it is played at its own size, which puts the drawing's units
    // onto its pixels.
    const QImage natural = Play(m, QSize(kWidth, kHeight),
                                QRectF(0, 0, m.MMWidth() * 96 / 2540.0, m.MMHeight() * 96 / 2540.0));
    const QImage drawing = DrawingReference();
    Shot(ours, reference, Tag());
    Shot(natural, drawing, Tag() + QStringLiteral("-drawing"));

    const Difference primary = Compare(ours, reference);
    const Difference source = Compare(natural, drawing);
    Report(Tag() + QStringLiteral(" vs ") + QLatin1String(GetParam().Reference), primary);
    Report(Tag() + QStringLiteral(" vs drawing"), source);
    EXPECT_TRUE(Accepts(GetParam().Primary, primary));
    EXPECT_TRUE(Accepts(GetParam().Drawing, source));
}

TEST_P(ForeignMetafile, ScalesIntoAnOffsetTarget)
{
    // Twice the size, 40 pixels in from the corner: averaging 8 x 8 blocks of
    // the played area must give what the 240 x 200 playing gives.
    const TMetafile m = TMetafile::FromFile(File());
    const QImage big = Play(m, QSize(2 * kWidth + 80, 2 * kHeight + 80), QRectF(40, 40, 2 * kWidth, 2 * kHeight));
    const QImage placed = big.copy(40, 40, 2 * kWidth, 2 * kHeight);
    // Nothing strays outside the target.
    EXPECT_DOUBLE_EQ(Ink(big), Ink(placed));
    const QImage halved = Downscale(placed, 2);
    const Difference d = Compare(halved, Reference());
    Report(Tag() + QStringLiteral(" doubled"), d);
    EXPECT_TRUE(Accepts(GetParam().Primary, d));
}

// The comparison has to tell real faults from renderer differences: each
// fault applied to our own (accepted) output must be rejected, against both
// references and with the fixture's own bounds.
TEST_P(ForeignMetafile, RejectsFaultyCopiesOfOurs)
{
    const TMetafile m = TMetafile::FromFile(File());
    const QImage ours = Play(m);
    const QImage natural = Play(m, QSize(kWidth, kHeight),
                                QRectF(0, 0, m.MMWidth() * 96 / 2540.0, m.MMHeight() * 96 / 2540.0));
    QImage blank(ours.size(), QImage::Format_RGB32);
    blank.fill(Qt::white);
    struct Against {
        const char* What;
        QImage Ours, Reference;
        Bounds Limits;
    };
    const Against pairs[] = {{"other renderer", ours, Reference(), GetParam().Primary},
                             {"drawing", natural, DrawingReference(), GetParam().Drawing}};
    for (const Against& a : pairs) {
        SCOPED_TRACE(a.What);
        ASSERT_TRUE(Accepts(a.Limits, Compare(a.Ours, a.Reference)));
        if (!GetParam().Symmetric) {
            EXPECT_FALSE(Accepts(a.Limits, Compare(a.Ours.mirrored(false, true), a.Reference))) << "upside down";
            EXPECT_FALSE(Accepts(a.Limits, Compare(a.Ours.mirrored(true, false), a.Reference))) << "mirrored";
        }
        EXPECT_FALSE(Accepts(a.Limits, Compare(Shifted(a.Ours, kWidth / 10, 0), a.Reference))) << "shifted";
        EXPECT_FALSE(Accepts(a.Limits, Compare(Shifted(a.Ours, 0, kHeight / 10), a.Reference))) << "lowered";
        EXPECT_FALSE(Accepts(a.Limits, Compare(Shrunk(a.Ours, 0.9), a.Reference))) << "scaled by 0.9";
        EXPECT_FALSE(Accepts(a.Limits, Compare(a.Ours.rgbSwapped(), a.Reference))) << "red and blue swapped";
        EXPECT_FALSE(Accepts(a.Limits, Compare(blank, a.Reference))) << "nothing drawn";
        EXPECT_FALSE(Accepts(a.Limits, Compare(OutlinesOnly(a.Ours), a.Reference))) << "not filled";
    }
}

INSTANTIATE_TEST_SUITE_P(Inkscape, ForeignMetafile, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.Name) + "_" + info.param.Ext;
                         });

TEST(ForeignMetafilePlain, PlaysTheSameWithoutThePlaceableHeader)
{
    for (const Case& c : kCases) {
        if (QLatin1String(c.Ext) != QLatin1String("wmf"))
            continue;
        SCOPED_TRACE(c.Name);
        const QByteArray bytes = test::ReadFile(Foreign(QLatin1String(c.Name) + QStringLiteral(".wmf")));
        const TMetafile placed = TMetafile::FromBytes(bytes);
        const TMetafile plain = TMetafile::FromBytes(bytes.mid(22));
        ASSERT_FALSE(plain.Enhanced());
        EXPECT_EQ(plain.Inch(), 0);
        const Difference d = Compare(Play(plain), Play(placed));
        EXPECT_LT(d.Mean, 0.01);
        EXPECT_NEAR(d.Coverage, 1, 1e-9);
    }
}

// ----- pens as these writers make them ---------------------------------------

// Lengths of the dark and light runs along a row, from the first dark pixel
// to the last; dark runs positive, light ones negative.
std::vector<int> Runs(const QImage& img, int y)
{
    std::vector<int> runs;
    int first = -1, last = -1;
    for (int x = 0; x < img.width(); ++x)
        if (qGray(img.pixel(x, y)) < 128) {
            if (first < 0)
                first = x;
            last = x;
        }
    for (int x = first; first >= 0 && x <= last; ++x) {
        const bool dark = qGray(img.pixel(x, y)) < 128;
        if (runs.empty() || (runs.back() > 0) != dark)
            runs.push_back(0);
        runs.back() += dark ? 1 : -1;
    }
    return runs;
}

// The runs of a line along y = 20 drawn with the given pen, the 200 x 40
// picture played `zoom` times its size.
std::vector<int> LineRuns(const std::function<void(test::EmfWriter&)>& makePen, int zoom = 1)
{
    test::EmfWriter w(200, 40);
    w.Add(U_EMRSETBKMODE_set(U_TRANSPARENT));
    makePen(w);
    w.Add(U_EMRMOVETOEX_set(pointl_set(10, 20)));
    w.Add(U_EMRLINETO_set(pointl_set(190, 20)));
    const TMetafile m = TMetafile::FromBytes(w.Finish());
    const QImage img = Play(m, QSize(200 * zoom, 40 * zoom), QRectF(0, 0, 200 * zoom, 40 * zoom));
    return Runs(img, 20 * zoom);
}

std::function<void(test::EmfWriter&)> ExtPen(quint32 style, int width, std::vector<quint32> dashes)
{
    return [=](test::EmfWriter& w) {
        std::vector<U_STYLEENTRY> entries(dashes.begin(), dashes.end());
        PU_EXTLOGPEN elp = extlogpen_set(style, width, U_BS_SOLID, colorref3_set(0, 0, 0), 0,
                                         U_NUM_STYLEENTRY(entries.size()), entries.empty() ? nullptr : entries.data());
        uint32_t ih = 0;
        w.Add(extcreatepen_set(&ih, w.Handles(), nullptr, 0, nullptr, elp));
        std::free(elp);
        w.Add(selectobject_set(ih, w.Handles()));
    };
}

// Interior runs (the ends may be cut short by the line's end).
std::vector<int> Inner(const std::vector<int>& runs)
{
    if (runs.size() < 3)
        return {};
    return std::vector<int>(runs.begin() + 1, runs.end() - 1);
}

::testing::AssertionResult Repeats(const std::vector<int>& runs, const std::vector<int>& pattern)
{
    const std::vector<int> inner = Inner(runs);
    if (inner.size() < pattern.size() * 2)
        return ::testing::AssertionFailure() << inner.size() << " runs";
    // Find where the pattern starts, then every run must match within a pixel.
    for (size_t start = 0; start < pattern.size(); ++start) {
        bool ok = true;
        for (size_t i = 0; i < inner.size() && ok; ++i)
            ok = std::abs(inner[i] - pattern[(start + i) % pattern.size()]) <= 1;
        if (ok)
            return ::testing::AssertionSuccess();
    }
    auto r = ::testing::AssertionFailure() << "runs";
    for (int v : inner)
        r << " " << v;
    return r;
}

constexpr quint32 kGeometricFlat = U_PS_GEOMETRIC | U_PS_ENDCAP_FLAT | U_PS_USERSTYLE;

TEST(ForeignPens, UserStyleDashesAreDrawn)
{
    // The frame's red border: a geometric pen with dash 12, gap 6.
    EXPECT_TRUE(Repeats(LineRuns(ExtPen(kGeometricFlat, 3, {12, 6})), {12, -6}));
    // Geometric dashes are logical lengths and grow with the picture.
    EXPECT_TRUE(Repeats(LineRuns(ExtPen(kGeometricFlat, 3, {12, 6}), 2), {24, -12}));
    // A dash-dot pattern of four entries.
    EXPECT_TRUE(Repeats(LineRuns(ExtPen(kGeometricFlat, 2, {10, 4, 2, 4})), {10, -4, 2, -4}));
}

TEST(ForeignPens, OddUserStylesSwapDashesAndGapsTheSecondTimeRound)
{
    EXPECT_TRUE(Repeats(LineRuns(ExtPen(kGeometricFlat, 2, {8, 4, 2})), {8, -4, 2, -8, 4, -2}));
    EXPECT_TRUE(Repeats(LineRuns(ExtPen(kGeometricFlat, 2, {5})), {5, -5}));
}

TEST(ForeignPens, CosmeticUserStylesCountDevicePixels)
{
    const auto pen = ExtPen(U_PS_COSMETIC | U_PS_USERSTYLE, 1, {6, 3});
    EXPECT_TRUE(Repeats(LineRuns(pen), {6, -3}));
    EXPECT_TRUE(Repeats(LineRuns(pen, 2), {6, -3}));
}

TEST(ForeignPens, UselessOrHostileUserStylesDrawSolid)
{
    QElapsedTimer t;
    t.start();
    // All-zero dashes, no entries, more entries than a device takes, a
    // dash longer than anything.
    for (const auto& pen : {ExtPen(kGeometricFlat, 2, {0, 0}),
                            ExtPen(kGeometricFlat, 2, {}),
                            ExtPen(kGeometricFlat, 2, std::vector<quint32>(17, 4)),
                            ExtPen(kGeometricFlat, 2, {0xFFFFFFFFu, 1})}) {
        const std::vector<int> runs = LineRuns(pen);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_NEAR(runs[0], 180, 2);
    }
    EXPECT_LT(t.elapsed(), 2000);
}

TEST(ForeignPens, TinyDashesOnAnEndlessLineEndInTime)
{
    QElapsedTimer t;
    t.start();
    for (const quint32 width : {1u, 40u}) {
        test::EmfWriter w(200, 40);
        ExtPen(kGeometricFlat, int(width), {1, 1})(w);
        w.Add(U_EMRMOVETOEX_set(pointl_set(-5000000, 20)));
        w.Add(U_EMRLINETO_set(pointl_set(5000000, 21)));
        w.Add(U_EMRMOVETOEX_set(pointl_set(20, -5000000)));
        w.Add(U_EMRLINETO_set(pointl_set(21, 5000000)));
        const QImage img = Play(TMetafile::FromBytes(w.Finish()), QSize(200, 40), QRectF(0, 0, 200, 40));
        int dark = 0;
        for (int x = 0; x < img.width(); ++x)
            for (int y = 18; y <= 23; ++y)
                dark += qGray(img.pixel(x, y)) < 128;
        EXPECT_GT(dark, 60) << width;
    }
    EXPECT_LT(t.elapsed(), 3000);
}

TEST(ForeignPens, PlainBrokenPensWiderThanAPixelDrawSolid)
{
    const auto plain = [](quint32 style, int width) {
        return [=](test::EmfWriter& w) { w.Pen(0, width, style); };
    };
    // One pixel wide: dashed.
    EXPECT_GT(Inner(LineRuns(plain(U_PS_DASH, 1))).size(), 4u);
    EXPECT_GT(Inner(LineRuns(plain(U_PS_DOT, 0))).size(), 4u);
    // Wider: solid, as the frame's Windows metafile draws on the original device.
    for (const quint32 style : {U_PS_DASH, U_PS_DOT, U_PS_DASHDOT, U_PS_DASHDOTDOT}) {
        const std::vector<int> runs = LineRuns(plain(style, 3));
        ASSERT_EQ(runs.size(), 1u) << style;
    }
    // A one-unit pen in a picture played at three times its size is three
    // pixels wide, and so solid too.
    EXPECT_EQ(LineRuns(plain(U_PS_DASH, 1), 3).size(), 1u);
    // An extended pen keeps its dashes at any width.
    EXPECT_GT(Inner(LineRuns(ExtPen(U_PS_GEOMETRIC | U_PS_DASH, 3, {}))).size(), 4u);
}

TEST(ForeignPens, WindowsMetafilePlainPensFollowTheSameRule)
{
    const auto runs = [](quint16 style, int width) {
        test::WmfWriter w(200, 40, 96);
        w.Add(U_WMRSETBKMODE_set(U_TRANSPARENT));
        w.Pen(0, width, style);
        w.Add(U_WMRMOVETO_set(point16_set(10, 20)));
        w.Add(U_WMRLINETO_set(point16_set(190, 20)));
        return Runs(Play(TMetafile::FromBytes(w.Finish()), QSize(200, 40), QRectF(0, 0, 200, 40)), 20);
    };
    EXPECT_GT(runs(U_PS_DASH, 1).size(), 4u);
    EXPECT_EQ(runs(U_PS_DASH, 2).size(), 1u);
    EXPECT_EQ(runs(U_PS_DASHDOT, 4).size(), 1u);
}

}  // namespace
