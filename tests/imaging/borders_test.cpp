#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>

#include "imaging/tmetafile.h"
#include "common/testutil.h"

using namespace dayloom;

// The shipped border pictures load, keep the page's shape, draw in their
// outer band and leave the inside, where the calendar goes, empty.
TEST(ShippedBorders, LoadAndDrawOnlyInTheBand)
{
    const QDir dir(test::SourcePath(QStringLiteral("data/Borders")));
    const QStringList files = dir.entryList({"*.wpo", "*.wls"}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        GTEST_SKIP() << "no border pictures in " << dir.path().toStdString();
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const TMetafile m = TMetafile::FromFile(dir.filePath(name));
        const bool portrait = name.endsWith(".wpo");
        EXPECT_EQ(m.Width(), portrait ? 816 : 1056);
        EXPECT_EQ(m.Height(), portrait ? 1056 : 816);

        const QSize size = portrait ? QSize(340, 440) : QSize(440, 340);
        QImage img(size, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter p(&img);
            m.Play(p, QRectF(QPointF(0, 0), QSizeF(size)));
        }
        test::SaveShot(img, "border_" + name);
        // 0.47 inch of 8.5 is 22 of 340 pixels: the grid starts there.
        const int band = 20;
        int inside = 0, edge = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const bool in = x >= band && y >= band && x < size.width() - band
                    && y < size.height() - band;
                if (img.pixel(x, y) != 0xFFFFFFFFu)
                    ++(in ? inside : edge);
            }
        EXPECT_EQ(inside, 0);
        EXPECT_GT(edge, 1000);
    }
}
