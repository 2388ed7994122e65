// makeborders: writes the decorative page borders shipped in data/Borders.
//
//   makeborders <output folder>
//
// Each border is a placeable Windows metafile in two shapes: <Name>.wpo for
// portrait pages (8.5 x 11 inches) and <Name>.wls for landscape pages
// (11 x 8.5 inches), 1440 units per inch. The page stretches the picture
// into its margin rectangle and keeps its grid 0.47 inch inside, so the
// drawings stay within the outer 0.4 inch of the picture.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" {
#include <uwmf.h>
}

namespace {

constexpr int kInch = 1440;
constexpr int kBand = 576;  // 0.4 inch

U_COLORREF Colour(int r, int g, int b)
{
    return colorref3_set(uint8_t(r), uint8_t(g), uint8_t(b));
}

U_POINT16 P(double x, double y)
{
    return point16_set(int16_t(std::lround(x)), int16_t(std::lround(y)));
}

U_RECT16 R(double l, double t, double r, double b)
{
    return U_RECT16_set(P(l, t), P(r, b));
}

class Writer {
public:
    Writer(const std::string& path, int w, int h) : W(w), H(h)
    {
        if (wmf_start(path.c_str(), 200000, 100000, &FTrack) || wmf_htable_create(64, 64, &FHandles)) {
            std::fprintf(stderr, "makeborders: cannot start %s\n", path.c_str());
            std::exit(1);
        }
        U_PAIRF* size = U_PAIRF_set(float(w) / kInch, float(h) / kInch);
        wmf_header_append(reinterpret_cast<U_METARECORD*>(U_WMRHEADER_set(size, kInch)), FTrack,
                          U_REC_FREE);
        std::free(size);
        Add(U_WMRSETMAPMODE_set(U_MM_ANISOTROPIC));
        Add(U_WMRSETWINDOWORG_set(point16_set(0, 0)));
        Add(U_WMRSETWINDOWEXT_set(point16_set(int16_t(w), int16_t(h))));
        Add(U_WMRSETBKMODE_set(U_TRANSPARENT));
        Add(U_WMRSETPOLYFILLMODE_set(U_ALTERNATE));
    }

    ~Writer()
    {
        Add(U_WMREOF_set());
        wmf_finish(FTrack);
        wmf_free(&FTrack);
        wmf_htable_free(&FHandles);
    }

    void Add(char* rec) { wmf_append(reinterpret_cast<U_METARECORD*>(rec), FTrack, U_REC_FREE); }

    // Replaces the selected pen; width 0 with null = no outline.
    void Pen(U_COLORREF c, int width, bool null = false)
    {
        uint32_t ih = 0;
        Add(wcreatepenindirect_set(&ih, FHandles, U_PEN_set(null ? U_PS_NULL : U_PS_SOLID,
                                                            uint16_t(width), c)));
        Add(wselectobject_set(ih, FHandles));
        if (FPen)
            Add(wdeleteobject_set(&FPen, FHandles));
        FPen = ih;
    }

    void Brush(U_COLORREF c, bool null = false)
    {
        uint32_t ih = 0;
        Add(wcreatebrushindirect_set(&ih, FHandles,
                                     U_WLOGBRUSH_set(null ? U_BS_NULL : U_BS_SOLID, c, 0)));
        Add(wselectobject_set(ih, FHandles));
        if (FBrush)
            Add(wdeleteobject_set(&FBrush, FHandles));
        FBrush = ih;
    }

    void Rect(double l, double t, double r, double b) { Add(U_WMRRECTANGLE_set(R(l, t, r, b))); }
    void Ellipse(double l, double t, double r, double b) { Add(U_WMRELLIPSE_set(R(l, t, r, b))); }
    void RoundRect(double l, double t, double r, double b, double c)
    {
        Add(U_WMRROUNDRECT_set(int16_t(c), int16_t(c), R(l, t, r, b)));
    }
    void Polygon(const std::vector<U_POINT16>& pts)
    {
        Add(U_WMRPOLYGON_set(uint16_t(pts.size()), pts.data()));
    }
    void Polyline(const std::vector<U_POINT16>& pts)
    {
        Add(U_WMRPOLYLINE_set(uint16_t(pts.size()), pts.data()));
    }
    // A frame band: the area between two rectangles, filled with the brush.
    void Frame(double inset, double width)
    {
        const U_POINT16 pts[] = {P(inset, inset), P(W - inset, inset), P(W - inset, H - inset),
                                 P(inset, H - inset), P(inset + width, inset + width),
                                 P(W - inset - width, inset + width),
                                 P(W - inset - width, H - inset - width),
                                 P(inset + width, H - inset - width)};
        const uint16_t counts[] = {4, 4};
        Add(U_WMRPOLYPOLYGON_set(2, counts, pts));
    }

    const int W, H;

private:
    WMFTRACK* FTrack = nullptr;
    WMFHANDLES* FHandles = nullptr;
    uint32_t FPen = 0, FBrush = 0;
};

// Points spaced evenly along the edges of the band's centre line, corners
// included.
std::vector<std::pair<double, double>> AlongEdges(const Writer& w, double inset, double step)
{
    std::vector<std::pair<double, double>> pts;
    const double l = inset, t = inset, r = w.W - inset, b = w.H - inset;
    auto edge = [&](double x0, double y0, double x1, double y1) {
        const double len = std::hypot(x1 - x0, y1 - y0);
        const int n = std::max(1, int(std::lround(len / step)));
        for (int i = 0; i < n; ++i)
            pts.emplace_back(x0 + (x1 - x0) * i / n, y0 + (y1 - y0) * i / n);
    };
    edge(l, t, r, t);
    edge(r, t, r, b);
    edge(r, b, l, b);
    edge(l, b, l, t);
    return pts;
}

// Navy double rule with a gold line between.
void Classic(Writer& w)
{
    w.Pen(Colour(0, 0, 0), 0, true);
    w.Brush(Colour(20, 40, 110));
    w.Frame(40, 150);
    w.Brush(Colour(200, 160, 40));
    w.Frame(250, 40);
    w.Brush(Colour(20, 40, 110));
    w.Frame(350, 60);
}

// Red and green beads on a thin green thread.
void Holly(Writer& w)
{
    w.Pen(Colour(30, 120, 50), 20);
    w.Brush(Colour(0, 0, 0), true);
    w.Rect(288, 288, w.W - 288, w.H - 288);
    const auto pts = AlongEdges(w, 288, 360);
    for (size_t i = 0; i < pts.size(); ++i) {
        const bool red = i % 2 == 0;
        w.Pen(red ? Colour(140, 10, 20) : Colour(20, 90, 40), 10);
        w.Brush(red ? Colour(210, 30, 40) : Colour(40, 150, 70));
        const double r = red ? 120 : 90;
        w.Ellipse(pts[i].first - r, pts[i].second - r, pts[i].first + r, pts[i].second + r);
    }
}

// A band of alternating squares in two blues.
void Checker(Writer& w)
{
    w.Pen(Colour(0, 0, 0), 0, true);
    const double cell = 192;
    // Odd counts, so that all four corners get the same colour.
    const int cols = (int(w.W / cell) - 1) | 1, rows = (int(w.H / cell) - 1) | 1;
    const double cw = double(w.W) / cols, ch = double(w.H) / rows;
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < cols; ++col) {
            const bool edge = row < 2 || col < 2 || row >= rows - 2 || col >= cols - 2;
            if (!edge)
                continue;
            w.Brush((row + col) % 2 ? Colour(60, 110, 190) : Colour(170, 200, 240));
            w.Rect(col * cw, row * ch, (col + 1) * cw, (row + 1) * ch);
        }
}

// A rounded ribbon with diamonds in the corners.
void Ribbon(Writer& w)
{
    w.Pen(Colour(120, 30, 90), 60);
    w.Brush(Colour(0, 0, 0), true);
    w.RoundRect(150, 150, w.W - 150, w.H - 150, 1400);
    w.Pen(Colour(120, 30, 90), 15);
    w.RoundRect(330, 330, w.W - 330, w.H - 330, 900);
    w.Brush(Colour(230, 120, 170));
    const double d = 250;
    for (auto [x, y] : {std::pair{240.0, 240.0}, std::pair{w.W - 240.0, 240.0},
                        std::pair{w.W - 240.0, w.H - 240.0}, std::pair{240.0, w.H - 240.0}})
        w.Polygon({P(x, y - d), P(x + d, y), P(x, y + d), P(x - d, y)});
}

// Sea-blue waves along every edge.
void Waves(Writer& w)
{
    for (int pass = 0; pass < 2; ++pass) {
        const double inset = pass == 0 ? 160 : 380;
        w.Pen(pass == 0 ? Colour(20, 90, 160) : Colour(90, 170, 210), pass == 0 ? 45 : 25);
        std::vector<U_POINT16> line;
        const double l = inset, t = inset, r = w.W - inset, b = w.H - inset;
        const double amp = 70;
        auto edge = [&](double x0, double y0, double x1, double y1) {
            const double len = std::hypot(x1 - x0, y1 - y0);
            const double nx = -(y1 - y0) / len, ny = (x1 - x0) / len;
            // A whole number of waves on every edge: each one starts and ends
            // on the corner, so the four meet without a step.
            const double wave = len / std::max(1.0, std::round(len / 480));
            const int n = int(len / 40);
            for (int i = 0; i <= n; ++i) {
                const double s = len * i / n;
                const double o = amp * std::sin(2 * M_PI * s / wave);
                line.push_back(P(x0 + (x1 - x0) * i / n + nx * o, y0 + (y1 - y0) * i / n + ny * o));
            }
        };
        edge(l, t, r, t);
        edge(r, t, r, b);
        edge(r, b, l, b);
        edge(l, b, l, t);
        w.Polyline(line);
    }
    w.Pen(Colour(20, 90, 160), 20);
    w.Brush(Colour(250, 220, 120));
    for (auto [x, y] : {std::pair{270.0, 270.0}, std::pair{w.W - 270.0, 270.0},
                        std::pair{w.W - 270.0, w.H - 270.0}, std::pair{270.0, w.H - 270.0}})
        w.Ellipse(x - 150, y - 150, x + 150, y + 150);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeborders <output folder>\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    struct Border {
        const char* Name;
        void (*Draw)(Writer&);
    };
    const Border borders[] = {{"Classic", Classic}, {"Holly", Holly}, {"Checker", Checker},
                              {"Ribbon", Ribbon}, {"Waves", Waves}};
    const int shortSide = 17 * kInch / 2, longSide = 11 * kInch;
    for (const Border& d : borders) {
        {
            Writer w(dir + d.Name + ".wpo", shortSide, longSide);
            d.Draw(w);
        }
        {
            Writer w(dir + d.Name + ".wls", longSide, shortSide);
            d.Draw(w);
        }
        std::printf("%s\n", d.Name);
    }
    return 0;
}
