// The clip-art object: the picture bytes in documents, the Stretch/AutoSize
// pair, painting (mirrors, frames, the empty box), the menu, the browser
// round trip and printing.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>

#include "core/readerror.h"
#include "imaging/bmpfile.h"
#include "imaging/imageloader.h"
#include "imaging/tmetafile.h"
#include "objects/objectdialogs.h"
#include "objects/tgimage.h"
#include "objects/tpicture.h"
#include "objecttestutil.h"
#include "common/recordingdevice.h"
#include "common/testutil.h"

using namespace dayloom;
using namespace dayloom::test;

namespace {

// Four quadrants in four colours, so every mirror shows.
QImage Quadrants(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, x < w / 2 ? (y < h / 2 ? 0xFF0000 : 0x00FF00) : (y < h / 2 ? 0x0000FF : 0xFFFF00));
    return img;
}

BmpFile QuadrantBitmap(int w, int h)
{
    return BmpFile::FromBytes(BmpFile::Encode24(Quadrants(w, h)));
}

// A placeable Windows metafile of 100 x 50 units at 96 per inch with one red
// rectangle over its top half.
QByteArray TopHalfMetafile()
{
    QByteArray records;
    auto rec = [&records](quint16 function, std::initializer_list<quint16> params) {
        const quint32 words = 3 + quint32(params.size());
        char buf[6];
        qToLittleEndian<quint32>(words, buf);
        qToLittleEndian<quint16>(function, buf + 4);
        records.append(buf, 6);
        for (quint16 p : params) {
            qToLittleEndian<quint16>(p, buf);
            records.append(buf, 2);
        }
    };
    rec(0x020B, {0, 0});                     // SetWindowOrg
    rec(0x020C, {50, 100});                  // SetWindowExt (y, x)
    rec(0x02FC, {0, 0x00FF, 0x0000, 0});     // CreateBrushIndirect: solid red
    rec(0x012D, {0});                        // SelectObject
    rec(0x041B, {25, 100, 0, 0});            // Rectangle bottom, right, top, left
    rec(0x0000, {});                         // end of file
    QByteArray header(18, '\0');
    qToLittleEndian<quint16>(1, header.data());
    qToLittleEndian<quint16>(9, header.data() + 2);
    qToLittleEndian<quint16>(0x0300, header.data() + 4);
    qToLittleEndian<quint32>(quint32((18 + records.size()) / 2), header.data() + 6);
    qToLittleEndian<quint16>(1, header.data() + 10);
    qToLittleEndian<quint32>(7, header.data() + 12);
    QByteArray placeable(22, '\0');
    qToLittleEndian<quint32>(0x9AC6CDD7u, placeable.data());
    qToLittleEndian<qint16>(100, placeable.data() + 10);
    qToLittleEndian<qint16>(50, placeable.data() + 12);
    qToLittleEndian<quint16>(96, placeable.data() + 14);
    quint16 sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= qFromLittleEndian<quint16>(placeable.constData() + 2 * i);
    qToLittleEndian<quint16>(sum, placeable.data() + 20);
    return placeable + header + records;
}

QRgb At(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }


struct HookScope {
    ~HookScope() { ObjectDialogs() = ObjectDialogHooks(); }
};

}  // namespace

TEST(ImageObject, DefaultsAndTheStretchAutoSizePair)
{
    TGBasePanel panel;
    auto* image = new TGImage;
    panel.AddObject(image);
    EXPECT_EQ(image->Width(), 105);
    EXPECT_EQ(image->Height(), 105);
    EXPECT_TRUE(image->Stretch());
    EXPECT_FALSE(image->AutoSize());
    EXPECT_EQ(image->BorderStyle(), bsNone);
    EXPECT_TRUE(image->Picture()->IsEmpty());

    image->SetBounds(QRect(10, 20, 200, 150));
    image->Picture()->SetBitmap(QuadrantBitmap(120, 80));
    EXPECT_EQ(image->Bounds(), QRect(10, 20, 200, 150)) << "stretched images keep their size";
    EXPECT_FALSE(image->Opaque());

    // Turning Stretch off turns AutoSize on but the size waits for the next
    // change of bounds or picture.
    image->SetStretch(false);
    EXPECT_TRUE(image->AutoSize());
    EXPECT_EQ(image->Bounds(), QRect(10, 20, 200, 150));
    image->SetLeft(12);
    EXPECT_EQ(image->Bounds(), QRect(12, 20, 120, 80));
    // The opaque mark is taken when the picture changes.
    EXPECT_FALSE(image->Opaque());
    image->Picture()->SetBitmap(QuadrantBitmap(120, 80));
    EXPECT_TRUE(image->Opaque());

    // AutoSize resizes at once and reports a change; Stretch is its opposite.
    image->SetStretch(true);
    image->SetBounds(QRect(12, 20, 30, 30));
    QSignalSpy changed(image, &TGGraphicControl::Changed);
    image->SetAutoSize(true);
    EXPECT_FALSE(image->Stretch());
    EXPECT_EQ(image->Bounds(), QRect(12, 20, 120, 80));
    EXPECT_GE(changed.count(), 1);

    // The zoom multiplies the picture's size on the device, halves rounding
    // to even; the object keeps the picture's own size.
    EXPECT_EQ(image->DeviceRect(At(1.5f)).size(), QSize(180, 120));
    EXPECT_EQ(image->DeviceRect(At(0.5f)).size(), QSize(60, 40));
    image->Picture()->SetBitmap(QuadrantBitmap(121, 83));
    EXPECT_EQ(image->Bounds().size(), QSize(121, 83));
    EXPECT_EQ(image->DeviceRect(At(0.5f)).size(), QSize(60, 42)) << "60.5 -> 60, 41.5 -> 42";
}

TEST(ImageObject, PictureDataBytesAndDocumentRoundTrip)
{
    TGBasePanel panel;
    auto* image = new TGImage;
    panel.AddObject(image);
    image->SetBounds(QRect(5, 6, 90, 70));
    const BmpFile bitmap = QuadrantBitmap(16, 8);
    image->Picture()->SetBitmap(bitmap);
    image->SetBorderStyle(bsSingle);
    image->SetFlip(true);

    // Class name as a short string, the bitmap file's length, the file.
    const QByteArray data = image->Picture()->Data();
    ASSERT_GT(data.size(), 12);
    EXPECT_EQ(data.left(8), QByteArray("\x07TBitmap"));
    EXPECT_EQ(qFromLittleEndian<qint32>(data.constData() + 8), bitmap.Bytes().size());
    EXPECT_EQ(data.mid(12), bitmap.Bytes());
    EXPECT_EQ(data.mid(12, 2), QByteArray("BM"));

    const QByteArray record = WriteObjectList({image});
    const qsizetype autoSize = record.indexOf("AutoSize"), border = record.indexOf("BorderStyle"),
                    picture = record.indexOf("Picture.Data"), reverse = record.indexOf("Reverse"),
                    flip = record.indexOf("Flip");
    EXPECT_LT(autoSize, 0) << "AutoSize false is the default and not written";
    EXPECT_LT(record.indexOf("Stretch"), 0) << "Stretch true is the default and not written";
    ASSERT_GT(border, 0);
    EXPECT_LT(border, picture);
    EXPECT_LT(picture, reverse);
    EXPECT_LT(reverse, flip);

    TGBasePanel other;
    const QList<TGGraphicControl*> read = ReadObjectList(record, other);
    ASSERT_EQ(read.size(), 1);
    auto* back = qobject_cast<TGImage*>(read.first());
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->Picture()->IsBitmap());
    EXPECT_EQ(back->Picture()->BitmapValue().Image(), bitmap.Image());
    EXPECT_TRUE(back->Stretch());
    EXPECT_TRUE(back->Flip());
    EXPECT_EQ(back->Bounds(), QRect(5, 6, 90, 70));
    EXPECT_EQ(WriteObjectList(read), record);

    // A metafile is stored with its placeable header and comes back alike.
    TMetafile meta = TMetafile::FromBytes(TopHalfMetafile());
    image->Picture()->SetMetafile(meta);
    const QByteArray metaData = image->Picture()->Data();
    EXPECT_EQ(metaData.left(10), QByteArray("\x09TMetafile"));
    TPicture copy;
    copy.SetData(metaData);
    EXPECT_TRUE(copy.IsMetafile());
    EXPECT_EQ(copy.Width(), 100);
    EXPECT_EQ(copy.Height(), 50);
    EXPECT_EQ(copy.Data(), metaData);
}

TEST(ImageObject, DamagedPictureDataFailsAndLeavesThePicture)
{
    TPicture picture;
    picture.SetBitmap(QuadrantBitmap(4, 4));
    const QByteArray good = picture.Data();
    auto fails = [&](const QByteArray& bytes) {
        try {
            picture.SetData(bytes);
        } catch (const ReadError&) {
            return true;
        }
        return false;
    };
    EXPECT_TRUE(fails(QByteArray()));
    EXPECT_TRUE(fails(good.left(5)));
    EXPECT_TRUE(fails(good.left(good.size() - 1))) << "length beyond the data";
    QByteArray unknown = good;
    unknown.replace(1, 7, "TFooBar");
    EXPECT_TRUE(fails(unknown));
    QByteArray negative = good;
    qToLittleEndian<qint32>(-5, negative.data() + 8);
    EXPECT_TRUE(fails(negative));
    QByteArray garbage = good;
    garbage[12] = 'X';  // not "BM"
    EXPECT_TRUE(fails(garbage));
    EXPECT_TRUE(picture.IsBitmap());
    EXPECT_EQ(picture.Data(), good);
    // Every truncation fails cleanly.
    for (int n = 0; n < good.size(); n += 7)
        EXPECT_TRUE(fails(good.left(n))) << n;
}

TEST(ImageObject, StretchFalseFromAFileComesBackAsAutoSize)
{
    // Both browser boxes cleared: the picture paints stretched in the
    // object's rectangle ...
    HookScope hooks;
    ObjectDialogs().browseImage = [](LoadedPicture& picture, bool& stretch, bool& autoSize) {
        picture.Type = LoadedPicture::Bitmap;
        picture.BitmapValue = QuadrantBitmap(40, 20);
        stretch = false;
        autoSize = false;
        return true;
    };
    TGBasePanel panel;
    auto* image = new TGImage;
    panel.AddObject(image);
    image->SetBounds(QRect(0, 0, 80, 60));
    image->LoadImageFromDisk();
    EXPECT_FALSE(image->Stretch());
    EXPECT_FALSE(image->AutoSize());
    EXPECT_EQ(image->Bounds().size(), QSize(80, 60));
    const QImage shown = image->Render();
    EXPECT_EQ(At(shown, 79, 59), 0xFFFF00u) << "stretched over the whole box";

    // ... and after saving and reading back, AutoSize is on and the object
    // takes the picture's size.
    const QByteArray record = WriteObjectList({image});
    EXPECT_GT(record.indexOf("Stretch"), 0);
    TGBasePanel other;
    auto* back = qobject_cast<TGImage*>(ReadObjectList(record, other).value(0));
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->AutoSize());
    EXPECT_FALSE(back->Stretch());
    EXPECT_EQ(back->Bounds().size(), QSize(40, 20));

    // A record without Stretch yields Stretch on.
    auto* plain = new TGImage;
    panel.AddObject(plain);
    TGBasePanel third;
    auto* plainBack = qobject_cast<TGImage*>(ReadObjectList(WriteObjectList({plain}), third).value(0));
    ASSERT_TRUE(plainBack);
    EXPECT_TRUE(plainBack->Stretch());
    EXPECT_FALSE(plainBack->AutoSize());
}

TEST(ImageObject, PaintingMirrorsBitmapsOnlyAndFramesTheEmptyBox)
{
    TGBasePanel panel;
    auto* image = new TGImage;
    panel.AddObject(image);
    image->SetBounds(QRect(0, 0, 40, 20));

    // No picture: a white box with a black frame.
    QImage empty = image->Render();
    EXPECT_EQ(At(empty, 0, 0), 0x000000u);
    EXPECT_EQ(At(empty, 39, 19), 0x000000u);
    EXPECT_EQ(At(empty, 20, 10), 0xFFFFFFu);

    image->Picture()->SetBitmap(QuadrantBitmap(40, 20));
    QImage plain = image->Render();
    EXPECT_EQ(At(plain, 2, 2), 0xFF0000u);
    image->SetReverse(true);
    QImage reversed = image->Render();
    EXPECT_EQ(At(reversed, 2, 2), 0x0000FFu);
    EXPECT_EQ(At(reversed, 37, 17), 0x00FF00u);
    image->SetFlip(true);
    QImage both = image->Render();
    EXPECT_EQ(At(both, 2, 2), 0xFFFF00u);
    image->SetReverse(false);
    QImage flipped = image->Render();
    EXPECT_EQ(At(flipped, 2, 2), 0x00FF00u);
    EXPECT_EQ(flipped, plain.mirrored(false, true));

    image->SetBorderStyle(bsSingle);
    QImage framed = image->Render();
    EXPECT_EQ(At(framed, 0, 10), 0x000000u);
    EXPECT_EQ(At(framed, 39, 10), 0x000000u);
    EXPECT_EQ(At(framed, 20, 19), 0x000000u);
    EXPECT_EQ(At(framed, 1, 10), At(flipped, 1, 10));

    // A metafile with Flip set paints the right way up.
    image->SetBorderStyle(bsNone);
    image->SetBounds(QRect(0, 0, 100, 50));
    image->Picture()->SetMetafile(TMetafile::FromBytes(TopHalfMetafile()));
    ASSERT_TRUE(image->Flip());
    QImage meta = image->Render();
    SaveShot(meta, QStringLiteral("objects_image_metafile"));
    EXPECT_EQ(qRed(meta.pixel(50, 10)), 255);
    EXPECT_LT(qGreen(meta.pixel(50, 10)), 40);
    EXPECT_EQ(At(meta, 50, 40), 0xFFFFFFu);
    SaveShot(both, QStringLiteral("objects_image_mirrored"));
}

TEST(ImageObject, MenuChecksAndEnablesFollowThePicture)
{
    TGBasePanel panel;
    auto* image = new TGImage;
    panel.AddObject(image);
    MenuEntryList menu = image->PopupMenu();
    const QStringList captions = MenuCaptions(menu);
    const qsizetype at = captions.indexOf(QStringLiteral("Load Image From Disk"));
    ASSERT_GT(at, 0);
    EXPECT_EQ(captions.mid(at - 1), (QStringList{"-", "Load Image From Disk", "-", "Border", "Stretch to Fit",
                                                  "AutoSize", "Flip", "Reverse"}));
    EXPECT_TRUE(FindMenuItem(menu, "Stretch to Fit")->checked);
    EXPECT_FALSE(FindMenuItem(menu, "AutoSize")->checked);
    EXPECT_FALSE(FindMenuItem(menu, "Flip")->enabled) << "no bitmap yet";

    image->Picture()->SetBitmap(QuadrantBitmap(8, 8));
    menu = image->PopupMenu();
    EXPECT_TRUE(FindMenuItem(menu, "Flip")->enabled);
    EXPECT_TRUE(FindMenuItem(menu, "Reverse")->enabled);
    FindMenuItem(menu, "Border")->action();
    FindMenuItem(menu, "Reverse")->action();
    FindMenuItem(menu, "AutoSize")->action();
    menu = image->PopupMenu();
    EXPECT_TRUE(FindMenuItem(menu, "Border")->checked);
    EXPECT_TRUE(FindMenuItem(menu, "Reverse")->checked);
    EXPECT_TRUE(FindMenuItem(menu, "AutoSize")->checked);
    EXPECT_FALSE(FindMenuItem(menu, "Stretch to Fit")->checked);
    EXPECT_EQ(image->Bounds().size(), QSize(8, 8));

    image->Picture()->SetMetafile(TMetafile::FromBytes(TopHalfMetafile()));
    menu = image->PopupMenu();
    EXPECT_FALSE(FindMenuItem(menu, "Flip")->enabled);
    EXPECT_FALSE(FindMenuItem(menu, "Reverse")->enabled);
    EXPECT_TRUE(FindMenuItem(menu, "Reverse")->checked);
}

TEST(ImageObject, BrowserCancelKeepsEverythingAndTheFolderIsRestored)
{
    HookScope hooks;
    QTemporaryDir elsewhere;
    const QString start = QDir::currentPath();
    int asked = 0;
    bool cancel = true;
    ObjectDialogs().browseImage = [&](LoadedPicture& picture, bool& stretch, bool& autoSize) {
        ++asked;
        EXPECT_TRUE(stretch);
        EXPECT_FALSE(autoSize);
        QDir::setCurrent(elsewhere.path());  // the browser wanders off
        if (cancel)
            return false;
        picture.Type = LoadedPicture::Metafile;
        picture.MetafileValue = TMetafile::FromBytes(TopHalfMetafile());
        stretch = false;
        autoSize = true;
        return true;
    };
    TGBasePanel panel;
    auto* image = new TGImage;
    panel.AddObject(image);
    image->SetBounds(QRect(3, 4, 20, 20));
    image->LoadImageFromDisk();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(image->Picture()->IsEmpty());
    EXPECT_EQ(QDir::currentPath(), start);

    cancel = false;
    image->LoadImageFromDisk();
    EXPECT_TRUE(image->Picture()->IsMetafile());
    EXPECT_TRUE(image->AutoSize());
    EXPECT_EQ(image->Bounds(), QRect(3, 4, 100, 50));
    EXPECT_EQ(QDir::currentPath(), start);
}

TEST(ImageObject, PrintsBitmapsAtTheirResolutionAndNothingWhenEmpty)
{
    TGBasePanel panel;
    auto* image = new TGImage;
    panel.AddObject(image);
    image->SetBounds(QRect(96, 48, 48, 24));
    // Paper at 192 dots per inch, the page's corner half an inch right and a
    // quarter inch down from the paper's.
    RecordingDevice paper(8.5, 11, 192);
    const PageMapping mapping = PageMapping::Paper(96, 192, 0.5, 0.25);
    {
        QPainter p(&paper);
        image->Paint(p, mapping);
    }
    EXPECT_TRUE(paper.Items().isEmpty()) << "an empty image prints nothing";

    image->Picture()->SetBitmap(QuadrantBitmap(400, 200));
    image->SetBorderStyle(bsSingle);
    {
        QPainter p(&paper);
        image->Paint(p, mapping);
    }
    const QList<RecordingDevice::Item> pictures = paper.ItemsOf(RecordingDevice::Item::Image);
    ASSERT_EQ(pictures.size(), 1);
    // (1.5, 0.75) .. (2.0, 1.0) inches.
    EXPECT_EQ(pictures[0].rect, QRectF(288, 144, 96, 48));
    EXPECT_EQ(pictures[0].source, QSize(400, 200)) << "the bitmap keeps its own resolution";
    ASSERT_FALSE(paper.ItemsOf(RecordingDevice::Item::Rect).isEmpty()) << "the border";
    EXPECT_EQ(paper.Items().last().kind, RecordingDevice::Item::Rect) << "the border over the picture";
}

TEST(ImageObject, ClonesCarryThePictureAndFollowTheZoom)
{
    QObject owner;
    auto* panel = new TGBasePanel(&owner);
    auto* image = new TGImage;
    panel->AddObject(image);
    image->SetBounds(QRect(10, 10, 50, 50));
    image->Picture()->SetBitmap(QuadrantBitmap(40, 30));
    image->SetAutoSize(true);
    image->SetFlip(true);
    auto* clone = qobject_cast<TGImage*>(panel->Clone(image));
    ASSERT_TRUE(clone);
    EXPECT_TRUE(clone->Picture()->IsBitmap());
    EXPECT_EQ(clone->Picture()->Data(), image->Picture()->Data());
    EXPECT_EQ(clone->Render(), image->Render());
    EXPECT_TRUE(clone->AutoSize());

    // An auto-sized image shows at the picture's size times the zoom.
    panel->SetView(At(0.5f));
    EXPECT_EQ(image->ViewRect().size(), QSize(20, 15));
    panel->SetView(At(1.5f));
    EXPECT_EQ(image->ViewRect().size(), QSize(60, 45));
    EXPECT_EQ(image->Bounds().size(), QSize(40, 30));
}
