// Saving the page as a picture: size at a zoom, the margin cut one pixel
// smaller each way, what is in it, the formats, and a failed write.
#include <gtest/gtest.h>

#include <cstdlib>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "imaging/bmpfile.h"
#include "imaging/jpegcodec.h"
#include "objects/tggraphiccontrol.h"
#include "page/borderpicture.h"
#include "page/tcalendarpanel32.h"
#include "print/pictureexport.h"
#include "common/testutil.h"

using namespace dayloom;
using Export = PictureExport;

namespace {

QRgb rgb(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

class Block : public TGGraphicControl {
public:
    void PaintObject(QPainter& p, const PageMapping&, QSize size) override
    {
        p.fillRect(QRect(QPoint(0, 0), size), Qt::green);
    }
};

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void setMargins(TCalendarPanel32& page, float l, float t, float r, float b)
{
    page.SetLeftMarginInch(l);
    page.SetTopMarginInch(t);
    page.SetRightMarginInch(r);
    page.SetBottomMarginInch(b);
}

}  // namespace

TEST(PictureExport, SizeFollowsZoomAndMargins)
{
    TCalendarPanel32 page;  // Letter portrait, 0.25 in margins
    // the window's 100 % is zoom 1.001: the page is 816 x 1057
    const Zoom hundred(1.001f), sixtyPercent(0.601f);
    const QSize full = Export::CalendarPicture(page, hundred).size();
    EXPECT_EQ(full, QSize(816 - 48 - 1, 1057 - 48 - 1));
    // 60 %: page 490 x 634, each margin trunc(96 x 0.25 x 0.601) = 14
    const QSize sixty = Export::CalendarPicture(page, sixtyPercent).size();
    EXPECT_EQ(sixty, QSize(490 - 28 - 1, 634 - 28 - 1));
    EXPECT_NEAR(double(sixty.width()) / full.width(), 0.6, 0.01);

    // each margin on its own side
    setMargins(page, 1.0f, 0.5f, 0.0f, 2.0f);
    EXPECT_EQ(Export::CalendarPicture(page, hundred).size(), QSize(816 - 96 - 1, 1057 - 48 - 192 - 1));
    // all margins 0: the whole page less one column and one row, nothing
    // cut at the left or top (the calendar outline 2 pixels in)
    setMargins(page, 0, 0, 0, 0);
    const QImage whole = Export::CalendarPicture(page, hundred);
    EXPECT_EQ(whole.size(), QSize(816, 1057) - QSize(1, 1));
    EXPECT_EQ(rgb(whole, 2, 100), 0u);
    EXPECT_EQ(rgb(whole, 100, 2), 0u);
    // margins that leave nothing: no picture
    setMargins(page, 4.5f, 0, 4.5f, 0);
    EXPECT_TRUE(Export::CalendarPicture(page, hundred).isNull());
}

TEST(PictureExport, ContentsAndFormats)
{
    TCalendarPanel32 page;
    auto border = BorderPicture::Attach(page);
    page.SetTitleBGColor(0x0000FF);
    page.SetWMFBorderFile(QStringLiteral("Classic"));
    page.AddObject(new Block);
    page.Objects()[0]->SetBounds(QRect(300, 300, 50, 50));
    const Zoom zoom(0.601f);
    const QImage picture = Export::CalendarPicture(page, zoom);
    test::SaveShot(picture, QStringLiteral("export_classic_60"));
    const int left = 14;  // the cut's left and top margin
    // the title band and the object where the zoomed page has them
    EXPECT_EQ(rgb(picture, int(page.MainRect().Left * 0.601f) - left + 10,
                  int(page.MainRect().Top * 0.601f) - left + 10), 0xFF0000u);
    const QRect object = page.Objects()[0]->DeviceRect(PageMapping::Screen(zoom, 96));  // zoomed with the page
    EXPECT_EQ(rgb(picture, object.center().x() - left, object.center().y() - left), 0x00FF00u);
    // the border's outer navy band starts 40/1440 of the picture in: it
    // begins at the cut
    EXPECT_EQ(rgb(picture, 4, picture.height() / 2), 0x14286Eu);  // rgb(20, 40, 110)
    EXPECT_EQ(rgb(picture, 0, picture.height() / 2), 0xFFFFFFu);

    QTemporaryDir dir;
    const QString bmp = dir.filePath("Dec1997.BMP"), jpg = dir.filePath("Club.JPG");
    ASSERT_TRUE(Export::SaveCalendarToBitmap(page, bmp, Export::Bitmap, zoom));
    ASSERT_TRUE(Export::SaveCalendarToBitmap(page, jpg, Export::Jpeg, zoom));
    const BmpFile read = BmpFile::FromBytes(fileBytes(bmp));
    EXPECT_EQ(read.BitCount(), 24);
    EXPECT_EQ(read.Image().convertToFormat(QImage::Format_RGB32), picture);
    // Quality 100 with full-resolution colour. What is left is the 8-bit
    // rounding of the YCbCr planes JFIF requires: next to nothing beyond two
    // steps, and never more than a few, even on saturated red and navy.
    const QImage decoded = JpegCodec::Decode(fileBytes(jpg));
    ASSERT_EQ(decoded.size(), picture.size());
    int worst = 0;
    qint64 beyondTwo = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb a = decoded.pixel(x, y), b = picture.pixel(x, y);
            const int off = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                      std::abs(qBlue(a) - qBlue(b))});
            worst = std::max(worst, off);
            beyondTwo += off > 2;
        }
    EXPECT_LE(worst, 4);
    EXPECT_LE(beyondTwo * 1000, qint64(picture.width()) * picture.height()) << "more than 0.1 % beyond two steps";
}

TEST(PictureExport, AFailedWriteIsReportedAndKeepsTheEarlierFile)
{
    TCalendarPanel32 page;
    const Zoom zoom;
    QTemporaryDir dir;
    const QString target = dir.filePath("Dec1997.BMP");
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("the earlier picture");
    }
    // no picture can be made: the file of that name exists, but this write
    // failed, and the earlier file is as it was
    setMargins(page, 4.5f, 0, 4.5f, 0);
    EXPECT_FALSE(Export::SaveCalendarToBitmap(page, target, Export::Bitmap, zoom));
    EXPECT_EQ(fileBytes(target), QByteArray("the earlier picture"));

    setMargins(page, 0.25f, 0.25f, 0.25f, 0.25f);
    QSignalSpy changes(&page, &TCalendarPanel32::SettingChanged);
    EXPECT_FALSE(Export::SaveCalendarToBitmap(page, dir.filePath("none/x.BMP"), Export::Bitmap, zoom));
    QDir(dir.path()).mkdir("Folder.BMP");
    EXPECT_FALSE(Export::SaveCalendarToBitmap(page, dir.filePath("Folder.BMP"), Export::Bitmap, zoom));
    // a good write replaces the file, leaves no temporary file, and is no
    // change to the document
    EXPECT_TRUE(Export::SaveCalendarToBitmap(page, target, Export::Bitmap, zoom));
    EXPECT_TRUE(fileBytes(target).startsWith("BM"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Dec1997.BMP"});
    EXPECT_EQ(changes.count(), 0);
}
