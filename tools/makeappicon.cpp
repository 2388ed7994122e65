// Draws the application icon and writes it as PNG files for the desktop's
// icon theme:
//     makeappicon OUTDIR    writes OUTDIR/hicolor/NxN/apps/dayloom.png
// The committed icons under data/desktop/icons come from this program:
//     build/tools/makeappicon data/desktop/icons
//
// The icon is a calendar sheet: a teal header band with two binder rings, a
// grid of day squares, and one day woven from crossing threads.
#include <cstdio>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kSheet(0xFF, 0xFF, 0xFF);
const QColor kSheetEdge(0x9A, 0xA8, 0xB4);
const QColor kHeader(0x1F, 0x6F, 0x8B);
const QColor kHeaderLight(0x2E, 0x8F, 0xB0);
const QColor kRing(0x33, 0x3D, 0x47);
const QColor kDay(0xDD, 0xE4, 0xEA);
const QColor kWarp(0xE8, 0x7E, 0x22);
const QColor kWeft(0xF6, 0xC1, 0x4B);

// One day square woven from crossing threads: warp stripes down, weft stripes
// across, each passing over and under the other in turn.
void drawWovenDay(QPainter& p, const QRectF& r, int threads)
{
    p.fillRect(r, kWarp);
    const qreal w = r.width() / threads;
    const qreal h = r.height() / threads;
    for (int row = 0; row < threads; ++row) {
        for (int col = 0; col < threads; ++col) {
            const bool weftOver = (row + col) % 2 == 0;
            const QRectF cell(r.left() + col * w, r.top() + row * h, w, h);
            if (weftOver) {
                p.fillRect(cell.adjusted(0, h * 0.12, 0, -h * 0.12), kWeft);
            } else {
                p.fillRect(cell.adjusted(w * 0.12, 0, -w * 0.12, 0), kWarp.darker(112));
            }
        }
    }
}

QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    const bool small = size <= 24;

    // The sheet with its header band.
    const QRectF sheet(22, 34, 212, 204);
    QPainterPath sheetPath;
    sheetPath.addRoundedRect(sheet, 24, 24);
    p.setPen(QPen(kSheetEdge, small ? 10 : 5));
    p.setBrush(kSheet);
    p.drawPath(sheetPath);
    QPainterPath header;
    header.addRect(QRectF(sheet.left(), sheet.top(), sheet.width(), 64));
    QLinearGradient band(0, sheet.top(), 0, sheet.top() + 64);
    band.setColorAt(0, kHeaderLight);
    band.setColorAt(1, kHeader);
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawPath(sheetPath.intersected(header));

    // Binder rings over the header's top edge.
    p.setBrush(kRing);
    for (qreal x : {78.0, 178.0})
        p.drawRoundedRect(QRectF(x - 9, 16, 18, 42), 9, 9);

    // The day grid: 4 x 3 squares (3 x 2 at the smallest sizes, where the
    // weave would blur).
    const int columns = small ? 3 : 4;
    const int rows = small ? 2 : 3;
    const QRectF grid(sheet.left() + 22, sheet.top() + 84, sheet.width() - 44, sheet.height() - 104);
    const qreal gap = small ? 14 : 10;
    const qreal cw = (grid.width() - gap * (columns - 1)) / columns;
    const qreal ch = (grid.height() - gap * (rows - 1)) / rows;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const QRectF cell(grid.left() + c * (cw + gap), grid.top() + r * (ch + gap), cw, ch);
            const bool woven = r == rows - 2 && c == columns - 2;
            if (woven) {
                if (small) {
                    p.fillRect(cell, kWarp);
                } else {
                    p.save();
                    QPainterPath clip;
                    clip.addRoundedRect(cell, 6, 6);
                    p.setClipPath(clip);
                    drawWovenDay(p, cell, size >= 64 ? 5 : 3);
                    p.restore();
                }
            } else {
                p.setBrush(kDay);
                p.drawRoundedRect(cell, 6, 6);
            }
        }
    }
    p.end();
    return image;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeappicon OUTDIR\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(out).arg(size);
        QDir().mkpath(dir);
        const QString file = dir + QStringLiteral("/dayloom.png");
        if (!drawIcon(size).save(file)) {
            std::fprintf(stderr, "makeappicon: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
