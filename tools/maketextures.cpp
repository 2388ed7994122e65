// maketextures: writes the texture bitmaps of data/Textures and the small
// default texture of the special-effects text's properties dialog.
//
//   maketextures <textures folder> <default texture file>
//
// Every texture is a 24-bit Windows bitmap that tiles without seams: the
// noise behind wood, marble, paper and clouds repeats with the tile.

#include <cmath>
#include <cstdio>
#include <functional>

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include "imaging/bmpfile.h"

namespace {

// Value noise on a lattice of `cells` x `cells` that wraps around, so that a
// tile of any size made from it repeats seamlessly.
class TileNoise {
public:
    TileNoise(int cells, unsigned seed) : m_cells(cells), m_values(size_t(cells * cells))
    {
        unsigned s = seed;
        for (double& v : m_values) {
            s = s * 1103515245u + 12345u;
            v = double((s >> 8) & 0xFFFF) / 65535.0;
        }
    }
    // u, v in [0, 1): one tile.
    double At(double u, double v) const
    {
        const double x = u * m_cells, y = v * m_cells;
        const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
        const double fx = smooth(x - x0), fy = smooth(y - y0);
        auto value = [this](int i, int j) {
            i = ((i % m_cells) + m_cells) % m_cells;
            j = ((j % m_cells) + m_cells) % m_cells;
            return m_values[size_t(j * m_cells + i)];
        };
        const double a = value(x0, y0) + (value(x0 + 1, y0) - value(x0, y0)) * fx;
        const double b = value(x0, y0 + 1) + (value(x0 + 1, y0 + 1) - value(x0, y0 + 1)) * fx;
        return a + (b - a) * fy;
    }

private:
    static double smooth(double t) { return t * t * (3 - 2 * t); }
    int m_cells;
    std::vector<double> m_values;
};

// Several octaves, each twice as fine: 0..1.
double Turbulence(double u, double v, unsigned seed, int octaves = 4, int cells = 4)
{
    double sum = 0, weight = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        const TileNoise noise(cells << o, seed + unsigned(o) * 7919u);
        sum += noise.At(u, v) * weight;
        total += weight;
        weight /= 2;
    }
    return sum / total;
}

QColor Mix(QColor a, QColor b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return QColor(int(a.red() + (b.red() - a.red()) * t), int(a.green() + (b.green() - a.green()) * t),
                  int(a.blue() + (b.blue() - a.blue()) * t));
}

QImage Field(int size, const std::function<QColor(double u, double v)>& colour)
{
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.setPixelColor(x, y, colour(double(x) / size, double(y) / size));
    return image;
}

QImage Wood()
{
    return Field(128, [](double u, double v) {
        const double grain = std::sin((u * 6 + Turbulence(u, v, 11, 3, 2) * 2.5) * 2 * M_PI);
        const double t = 0.5 + 0.5 * grain;
        return Mix(QColor(120, 72, 36), QColor(196, 140, 84), std::pow(t, 0.6));
    });
}

QImage Marble()
{
    return Field(128, [](double u, double v) {
        const double vein = std::sin((u + v) * 2 * M_PI * 2 + Turbulence(u, v, 23, 5, 4) * 8);
        const double t = std::pow(std::abs(vein), 0.35);
        return Mix(QColor(70, 80, 95), QColor(236, 236, 230), t);
    });
}

QImage Paper()
{
    return Field(96, [](double u, double v) {
        const double fibre = Turbulence(u, v, 31, 5, 6);
        return Mix(QColor(226, 214, 184), QColor(250, 244, 226), fibre);
    });
}

QImage Clouds()
{
    return Field(128, [](double u, double v) {
        const double t = Turbulence(u, v, 41, 5, 3);
        return Mix(QColor(60, 120, 210), QColor(255, 255, 255), std::clamp((t - 0.35) * 2.2, 0.0, 1.0));
    });
}

QImage Granite()
{
    return Field(64, [](double u, double v) {
        const double t = Turbulence(u, v, 53, 3, 16);
        if (t > 0.68)
            return QColor(30, 30, 34);
        if (t < 0.3)
            return QColor(210, 190, 180);
        return Mix(QColor(150, 110, 100), QColor(120, 120, 125), t);
    });
}

// Points scattered on a wrapping tile, drawn with their copies across the
// edges so that shapes cut by an edge continue on the other side.
void Scatter(QImage& image, int count, unsigned seed, const std::function<void(QPainter&, QPointF, double)>& draw)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    unsigned s = seed;
    auto next = [&s] {
        s = s * 1664525u + 1013904223u;
        return double(s >> 8) / double(1u << 24);
    };
    const double w = image.width(), h = image.height();
    for (int i = 0; i < count; ++i) {
        const QPointF at(next() * w, next() * h);
        const double r = next();
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                draw(p, at + QPointF(dx * w, dy * h), r);
    }
}

QImage Stars()
{
    QImage image(96, 96, QImage::Format_RGB32);
    image.fill(QColor(12, 16, 60));
    Scatter(image, 18, 7, [](QPainter& p, QPointF c, double r) {
        const double outer = 2 + r * 5, inner = outer * 0.42;
        QPainterPath star;
        for (int k = 0; k < 10; ++k) {
            const double a = -M_PI / 2 + k * M_PI / 5;
            const double rad = k % 2 ? inner : outer;
            const QPointF pt(c.x() + rad * std::cos(a), c.y() + rad * std::sin(a));
            k ? star.lineTo(pt) : star.moveTo(pt);
        }
        star.closeSubpath();
        p.fillPath(star, r > 0.6 ? QColor(255, 236, 120) : QColor(240, 240, 255));
    });
    return image;
}

QImage Snow()
{
    QImage image(96, 96, QImage::Format_RGB32);
    image.fill(QColor(90, 140, 200));
    Scatter(image, 40, 19, [](QPainter& p, QPointF c, double r) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 150 + int(r * 105)));
        const double rad = 0.8 + r * 2.6;
        p.drawEllipse(c, rad, rad);
    });
    return image;
}

QImage Confetti()
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QColor colours[] = {QColor(230, 40, 60), QColor(40, 160, 60), QColor(40, 90, 220), QColor(250, 190, 20),
                              QColor(160, 50, 190)};
    Scatter(image, 26, 29, [&](QPainter& p, QPointF c, double r) {
        p.save();
        p.translate(c);
        p.rotate(r * 180);
        p.fillRect(QRectF(-3, -1.2, 6, 2.4), colours[int(r * 5) % 5]);
        p.restore();
    });
    return image;
}

QImage Checks()
{
    QImage image(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixelColor(x, y, ((x / 8) + (y / 8)) % 2 ? QColor(200, 30, 40) : QColor(250, 250, 245));
    return image;
}

QImage Gingham()
{
    QImage image(24, 24, QImage::Format_RGB32);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            const bool a = x < 12, b = y < 12;
            image.setPixelColor(x, y, a && b ? QColor(40, 110, 60) : (a || b) ? QColor(150, 195, 160) : Qt::white);
        }
    return image;
}

QImage Stripes()
{
    QImage image(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixelColor(x, y, ((x + y) % 16) < 8 ? QColor(20, 60, 160) : QColor(240, 200, 40));
    return image;
}

QImage Bricks()
{
    QImage image(64, 32, QImage::Format_RGB32);
    QPainter p(&image);
    image.fill(QColor(200, 196, 188));
    for (int row = 0; row < 2; ++row)
        for (int k = -1; k < 2; ++k) {
            const int x = k * 32 + (row % 2) * 16;
            const QRect brick(x + 1, row * 16 + 1, 30, 14);
            const double t = Turbulence(double(k + 2) / 4, double(row) / 2, 61, 2, 2);
            p.fillRect(brick, Mix(QColor(150, 50, 35), QColor(190, 85, 55), t));
        }
    return image;
}

QImage Dots()
{
    QImage image(24, 24, QImage::Format_RGB32);
    image.fill(QColor(255, 210, 220));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 20, 90));
    for (QPointF c : {QPointF(6, 6), QPointF(18, 18)})
        p.drawEllipse(c, 3.6, 3.6);
    return image;
}

QImage Waves()
{
    return Field(64, [](double u, double v) {
        const double t = 0.5 + 0.5 * std::sin((v * 4 + 0.25 * std::sin(u * 2 * M_PI)) * 2 * M_PI);
        return Mix(QColor(0, 70, 130), QColor(120, 200, 230), t);
    });
}

QImage Gold()
{
    return Field(64, [](double u, double v) {
        const double t = Turbulence(u, v, 71, 4, 4);
        const double glint = 0.5 + 0.5 * std::sin((u * 2 + v) * 2 * M_PI + t * 4);
        return Mix(QColor(150, 100, 10), QColor(255, 225, 120), glint);
    });
}

QImage Grass()
{
    return Field(64, [](double u, double v) {
        const double blades = Turbulence(u * 1.0, v, 83, 4, 8);
        const double streak = 0.5 + 0.5 * std::sin((u * 16 + blades * 3) * 2 * M_PI);
        return Mix(QColor(30, 100, 20), QColor(120, 200, 60), 0.6 * streak + 0.4 * blades);
    });
}

// The dialog's default: small warm diagonal weave.
QImage Weave()
{
    QImage image(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool over = ((x / 4) + (y / 4)) % 2 == 0;
            const int shade = over ? (x % 4) * 12 : (y % 4) * 12;
            image.setPixelColor(x, y, over ? QColor(200 - shade, 70, 40) : QColor(240 - shade, 170, 60));
        }
    return image;
}

bool Save(const QImage& image, const QString& path)
{
    if (!dayloom::BmpFile::FromImage(image).Save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: maketextures <textures folder> <default texture file>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot make %s\n", argv[1]);
        return 3;
    }
    const struct {
        const char* name;
        QImage (*make)();
    } textures[] = {
        {"Wood", Wood},       {"Marble", Marble},   {"Paper", Paper},     {"Clouds", Clouds},
        {"Granite", Granite}, {"Stars", Stars},     {"Snow", Snow},       {"Confetti", Confetti},
        {"Checks", Checks},   {"Gingham", Gingham}, {"Stripes", Stripes}, {"Bricks", Bricks},
        {"Dots", Dots},       {"Waves", Waves},     {"Gold", Gold},       {"Grass", Grass},
    };
    bool ok = true;
    for (const auto& t : textures)
        ok = Save(t.make(), out.filePath(QString::fromLatin1(t.name) + QStringLiteral(".bmp"))) && ok;
    ok = Save(Weave(), QString::fromLocal8Bit(argv[2])) && ok;
    return ok ? 0 : 3;
}
