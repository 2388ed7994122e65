// The clip-art browser: which files it lists, what a selection loads, how
// failures clear the preview, the two sizing boxes and the object hook.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QtEndian>

#include "common/testutil.h"
#include "imaging/bmpfile.h"
#include "imaging/imageloader.h"
#include "imaging/jpegcodec.h"
#include "objects/objectdialogs.h"
#include "ui/objects/objectdialoginstall.h"
#include "ui/objects/tgimagebrowser.h"
#include "stream/preferences.h"
#include "ui/uiutil.h"

using namespace dayloom;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

// Far more than 256 colours, so a 256-colour decode is visible.
QImage photo()
{
    QImage img(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(x * 4, y * 5, (x + y) * 2));
    return img;
}

QImage solid(int w, int h, QRgb color)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(color);
    return img;
}

// Little-endian words (w) and double words (d) of a hand-made file.
struct Bytes {
    QByteArray out;
    Bytes& w(std::initializer_list<quint16> words)
    {
        for (quint16 x : words)
            out.append(char(x & 0xFF)).append(char(x >> 8));
        return *this;
    }
    Bytes& d(quint32 x) { return w({quint16(x & 0xFFFF), quint16(x >> 16)}); }
};

// A placeable Windows metafile of 100 x 50 units at 100 per inch (96 x 48
// pixels) filled by a blue rectangle.
QByteArray blueWmf()
{
    Bytes head;
    head.d(0x9AC6CDD7).w({0, 0, 0, 100, 50, 100}).d(0);
    quint16 sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum ^= qFromLittleEndian<quint16>(head.out.constData() + i);
    head.w({sum});
    Bytes rec;
    rec.d(5).w({0x020B, 0, 0});                  // SetWindowOrg
    rec.d(5).w({0x020C, 50, 100});               // SetWindowExt
    rec.d(7).w({0x02FC, 0, 0x0000, 0x00FF, 0});  // solid brush RGB(0, 0, 255)
    rec.d(4).w({0x012D, 0});                     // SelectObject
    rec.d(7).w({0x041B, 51, 101, 0, 0});         // Rectangle
    rec.d(3).w({0});                             // EOF
    Bytes meta;
    meta.w({1, 9, 0x0300}).d(quint32((18 + rec.out.size()) / 2)).w({1}).d(7).w({0});
    return head.out + meta.out + rec.out;
}

// An icon file with one red 16 x 16 image stored as PNG.
QByteArray redIcon()
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    solid(16, 16, qRgb(255, 0, 0)).save(&buffer, "PNG");
    Bytes ico;
    ico.w({0, 1, 1, 0x1010, 0, 1, 32}).d(quint32(png.size())).d(22);
    return ico.out + png;
}

// A folder of pictures in mixed letter case, a few files that are not
// pictures and a few that only claim to be.
class ImageBrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_root = QDir(m_dir.path()).canonicalPath();
        m_jpeg = JpegCodec::Encode(photo(), 90);
        writeFile(path("photo.jpeg"), m_jpeg);
        writeFile(path("Green.Bmp"), BmpFile::Encode24(solid(40, 30, qRgb(0, 200, 0))));
        writeFile(path("red.ICO"), redIcon());
        writeFile(path("Blue.wmf"), blueWmf());
        writeFile(path("notes.txt"), "not a picture");
        writeFile(path("bmp"), "no extension");
        writeFile(path("picture.jpg.bak"), m_jpeg);
        writeFile(path("broken.bmp"), BmpFile::Encode24(solid(40, 30, 0)).left(40));
        writeFile(path("broken.jpg"), m_jpeg.left(m_jpeg.size() / 3));
        writeFile(path("broken.wmf"), QByteArray(200, '\x7f'));
        writeFile(path("broken.ico"), QByteArray("\0\0\1\0\xff\xff", 6));
        ASSERT_TRUE(QDir(m_root).mkdir("sub.bmp"));
        writeFile(path("sub.bmp/inner.JIF"), m_jpeg);

        m_oldHook = SetMessageHook([this](const MessageRequest& r) {
            m_messages << r;
            return QMessageBox::Ok;
        });
    }
    void TearDown() override { SetMessageHook(m_oldHook); }

    QString path(const QString& name) const { return m_root + u'/' + name; }

    static QStringList names(const QListWidget* list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }

    static QTreeWidgetItem* folderItem(QTreeWidget* view, const QString& text)
    {
        const QList<QTreeWidgetItem*> found =
            view->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }

    QTemporaryDir m_dir;
    QString m_root;
    QByteArray m_jpeg;
    QList<MessageRequest> m_messages;
    MessageHook m_oldHook;
};

QImage previewShot(TGImageBrowser& browser)
{
    QCoreApplication::processEvents();
    return browser.PreviewWidget()->grab().toImage();
}

// Runs f on the modal dialog once it is up.
template <class F>
void whenModal(F f)
{
    QTimer::singleShot(0, [f] {
        auto* browser = qobject_cast<TGImageBrowser*>(QApplication::activeModalWidget());
        ASSERT_TRUE(browser);
        f(*browser);
    });
}

}  // namespace

TEST_F(ImageBrowserTest, LooksLikeTheClipArtBrowser)
{
    ShowWaitCursor();
    TGImageBrowser browser;
    EXPECT_EQ(ScreenCursor(), Qt::ArrowCursor) << "the caller's hourglass is reset";
    EXPECT_EQ(browser.windowTitle(), QStringLiteral("Load Image File "));
    EXPECT_EQ(browser.size(), QSize(780, 440));
    EXPECT_EQ(browser.minimumSize(), browser.maximumSize());
    EXPECT_EQ(browser.StretchBox()->text(), QStringLiteral("Stretch"));
    EXPECT_EQ(browser.StretchBox()->toolTip(), QStringLiteral("Stretch image to max display size"));
    EXPECT_EQ(browser.AutoSizeBox()->text(), QStringLiteral("AutoSize"));
    EXPECT_EQ(browser.AutoSizeBox()->toolTip(), QStringLiteral("AutoSize TImage"));
    EXPECT_TRUE(browser.findChild<QPushButton*>("OKButton")->isDefault());

    // The drive list starts with the file system's root and the home folder.
    const QString home = QDir(QDir::homePath()).canonicalPath();
    EXPECT_EQ(browser.DriveCombo()->itemData(0).toString(), QStringLiteral("/"));
    if (home != QLatin1String("/")) {
        EXPECT_EQ(browser.DriveCombo()->itemData(1).toString(), home);
    }
    for (const QString& root : TGImageBrowser::DriveRoots()) {
        EXPECT_FALSE(root.startsWith("/proc") || root.startsWith("/sys")) << root.toStdString();
        EXPECT_TRUE(QFileInfo(root).isDir()) << root.toStdString();
    }

    ASSERT_TRUE(browser.SetFolder(m_root));
    browser.show();
    QApplication::setActiveWindow(&browser);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), browser.FileList()) << "the file list starts focused";
    ASSERT_TRUE(browser.SelectFile("photo.jpeg"));
    browser.SetStretch(true);
    QCoreApplication::processEvents();
    test::SaveShot(browser.grab().toImage(), "imagebrowser_dialog");
}

TEST_F(ImageBrowserTest, ListsPicturesWhateverTheirCase)
{
    TGImageBrowser browser;
    ASSERT_TRUE(browser.SetFolder(m_root));
    EXPECT_EQ(browser.Folder(), m_root);
    EXPECT_EQ(names(browser.FileList()),
              (QStringList{"Blue.wmf", "broken.bmp", "broken.ico", "broken.jpg", "broken.wmf",
                           "Green.Bmp", "photo.jpeg", "red.ICO"}));
    EXPECT_TRUE(browser.SelectedFile().isEmpty());

    // Folders go to the folder list, whatever their names look like.
    QTreeWidgetItem* sub = folderItem(browser.FolderView(), "sub.bmp");
    ASSERT_TRUE(sub);
    EXPECT_EQ(browser.FolderView()->currentItem(), sub->parent());

    for (const char* yes : {"x.JIF", "a.b.jpg", "Y.Bmp", "c.jpeg", "d.Wmf", "e.ico", "f.emf", ".bmp",
                            "g.PNG", "h.gif", "i.Svg"})
        EXPECT_TRUE(TGImageBrowser::MatchesMask(yes)) << yes;
    for (const char* no : {"jpg", "x.jpg.txt", "x.jpe", "x.tif", "x.", "x.bmpx"})
        EXPECT_FALSE(TGImageBrowser::MatchesMask(no)) << no;
}

TEST_F(ImageBrowserTest, FolderListOpensTheClickedFolder)
{
    TGImageBrowser browser;
    ASSERT_TRUE(browser.SetFolder(m_root));
    browser.show();
    QCoreApplication::processEvents();
    QTreeWidget* view = browser.FolderView();

    QTreeWidgetItem* sub = folderItem(view, "sub.bmp");
    ASSERT_TRUE(sub);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(sub).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(browser.Folder(), path("sub.bmp"));
    EXPECT_EQ(names(browser.FileList()), QStringList{"inner.JIF"});

    // The way back up is the chain of parent folders above the open one.
    QTreeWidgetItem* up = folderItem(view, QFileInfo(m_root).fileName());
    ASSERT_TRUE(up);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(up).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(browser.Folder(), m_root);
    EXPECT_EQ(browser.FileList()->count(), 8);

    // A folder that is not there changes nothing.
    EXPECT_FALSE(browser.SetFolder(path("missing")));
    EXPECT_FALSE(browser.SetFolder(path("notes.txt")));
    EXPECT_EQ(browser.Folder(), m_root);

    // Choosing a drive opens its root.
    const QString home = QDir(QDir::homePath()).canonicalPath();
    browser.DriveCombo()->setCurrentIndex(browser.DriveCombo()->findData(home));
    EXPECT_EQ(browser.Folder(), home);
    EXPECT_EQ(view->topLevelItem(0)->text(0), home);
    browser.DriveCombo()->setCurrentIndex(0);
    EXPECT_EQ(browser.Folder(), QStringLiteral("/"));
    EXPECT_EQ(view->topLevelItemCount(), 1);
    EXPECT_EQ(view->topLevelItem(0)->text(0), QStringLiteral("/"));
}

TEST_F(ImageBrowserTest, SelectingAFileLoadsItsPreview)
{
    TGImageBrowser browser;
    ASSERT_TRUE(browser.SetFolder(m_root));

    // A JPEG arrives as a bitmap decoded to 256 colours.
    ASSERT_TRUE(browser.SelectFile("photo.jpeg"));
    EXPECT_EQ(browser.SelectedFile(), path("photo.jpeg"));
    ASSERT_EQ(browser.Preview().Type, LoadedPicture::Bitmap);
    const QImage got = browser.Preview().BitmapValue.Image().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(got.size(), QSize(64, 48));
    QSet<QRgb> colours;
    for (int y = 0; y < got.height(); ++y)
        for (int x = 0; x < got.width(); ++x)
            colours.insert(got.pixel(x, y));
    EXPECT_LE(colours.size(), 256);
    EXPECT_GT(colours.size(), 16);
    EXPECT_EQ(got, JpegCodec::DecodePalette(m_jpeg).convertToFormat(QImage::Format_RGB32));

    ASSERT_TRUE(browser.SelectFile("Green.Bmp"));
    ASSERT_EQ(browser.Preview().Type, LoadedPicture::Bitmap);
    EXPECT_EQ(browser.Preview().BitmapValue.Image().size(), QSize(40, 30));
    EXPECT_EQ(browser.Preview().BitmapValue.Image().pixel(5, 5), qRgb(0, 200, 0));

    ASSERT_TRUE(browser.SelectFile("red.ICO"));
    ASSERT_EQ(browser.Preview().Type, LoadedPicture::Bitmap);
    EXPECT_EQ(browser.Preview().BitmapValue.Image().size(), QSize(16, 16));
    EXPECT_EQ(browser.Preview().BitmapValue.Image().pixel(8, 8), qRgb(255, 0, 0));

    ASSERT_TRUE(browser.SelectFile("Blue.wmf"));
    ASSERT_EQ(browser.Preview().Type, LoadedPicture::Metafile);
    EXPECT_EQ(browser.Preview().MetafileValue.Width(), 96);
    EXPECT_EQ(browser.Preview().MetafileValue.Height(), 48);
    EXPECT_TRUE(m_messages.isEmpty());

    // Another extension loads nothing and keeps what is shown.
    EXPECT_TRUE(browser.LoadFile(path("notes.txt")));
    EXPECT_EQ(browser.Preview().Type, LoadedPicture::Metafile);
    EXPECT_TRUE(browser.LoadFile(path("picture.jpg.bak")));
    EXPECT_EQ(browser.Preview().Type, LoadedPicture::Metafile);
}

TEST_F(ImageBrowserTest, AFailedLoadClearsThePreview)
{
    TGImageBrowser browser;
    ASSERT_TRUE(browser.SetFolder(m_root));
    ASSERT_TRUE(browser.SelectFile("photo.jpeg"));
    ASSERT_EQ(browser.Preview().Type, LoadedPicture::Bitmap);

    // Bitmaps and metafiles say so.
    ShowWaitCursor();
    ASSERT_TRUE(browser.SelectFile("broken.bmp"));
    EXPECT_EQ(browser.Preview().Type, LoadedPicture::None);
    EXPECT_TRUE(browser.Preview().BitmapValue.IsEmpty());
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0].text, QStringLiteral("Error loading file!"));
    EXPECT_EQ(m_messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(m_messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(ScreenCursor(), Qt::ArrowCursor) << "no hourglass left after the load";
    EXPECT_EQ(browser.SelectedFile(), path("broken.bmp")) << "the selection stays";

    ASSERT_TRUE(browser.SelectFile("Green.Bmp"));
    ASSERT_TRUE(browser.SelectFile("broken.wmf"));
    EXPECT_EQ(browser.Preview().Type, LoadedPicture::None);
    EXPECT_EQ(m_messages.size(), 2);

    // JPEG pictures and icons fail quietly, but clear the preview just the same.
    m_messages.clear();
    for (const char* name : {"broken.jpg", "broken.ico"}) {
        ASSERT_TRUE(browser.SelectFile("Green.Bmp"));
        ASSERT_EQ(browser.Preview().Type, LoadedPicture::Bitmap);
        ASSERT_TRUE(browser.SelectFile(name));
        EXPECT_EQ(browser.Preview().Type, LoadedPicture::None) << name;
        EXPECT_FALSE(browser.LoadFile(path(name))) << name;
    }
    EXPECT_TRUE(m_messages.isEmpty());

    // A file deleted after it was listed fails like a corrupt one.
    ASSERT_TRUE(QFile::remove(path("Green.Bmp")));
    EXPECT_FALSE(browser.LoadFile(path("Green.Bmp")));
    EXPECT_EQ(m_messages.size(), 1);
}

// While one picture loads, a selection change that arrives in between is
// ignored (loading an icon lets pending events run).
TEST_F(ImageBrowserTest, SelectionChangesDuringALoadAreIgnored)
{
    TGImageBrowser browser;
    ASSERT_TRUE(browser.SetFolder(m_root));
    bool fired = false;
    QTimer::singleShot(0, &browser, [&] {
        fired = true;
        browser.SelectFile("photo.jpeg");
    });
    ASSERT_TRUE(browser.LoadFile(path("red.ICO")));
    EXPECT_TRUE(fired);
    EXPECT_EQ(browser.Preview().BitmapValue.Image().size(), QSize(16, 16));
    // Afterwards a selection change loads again.
    ASSERT_TRUE(browser.SelectFile("Green.Bmp"));
    EXPECT_EQ(browser.Preview().BitmapValue.Image().size(), QSize(40, 30));
}

TEST_F(ImageBrowserTest, StretchAndAutoSizeExcludeEachOther)
{
    TGImageBrowser browser;
    ASSERT_TRUE(browser.SetFolder(m_root));
    browser.show();
    QCoreApplication::processEvents();
    ASSERT_TRUE(browser.SelectFile("Green.Bmp"));
    const QSize area = browser.PreviewArea()->viewport()->size();
    ASSERT_TRUE(area.width() > 40 && area.height() > 30);

    browser.StretchBox()->click();
    EXPECT_TRUE(browser.Stretch());
    EXPECT_FALSE(browser.AutoSize());
    EXPECT_EQ(browser.PreviewWidget()->size(), area);
    QImage shot = previewShot(browser);
    EXPECT_EQ(shot.pixel(area.width() - 2, area.height() - 2), qRgb(0, 200, 0))
        << "stretched over the whole area";

    browser.AutoSizeBox()->click();
    EXPECT_TRUE(browser.AutoSize());
    EXPECT_FALSE(browser.Stretch());
    EXPECT_EQ(browser.PreviewWidget()->size(), QSize(40, 30));

    // Unchecking one leaves the other clear: the picture at its own size in
    // a preview that fills the area.
    browser.AutoSizeBox()->click();
    EXPECT_FALSE(browser.Stretch());
    EXPECT_FALSE(browser.AutoSize());
    EXPECT_EQ(browser.PreviewWidget()->size(), area);
    shot = previewShot(browser);
    EXPECT_EQ(shot.pixel(5, 5), qRgb(0, 200, 0));
    EXPECT_NE(shot.pixel(area.width() - 2, area.height() - 2), qRgb(0, 200, 0));

    // A metafile plays stretched into the area too.
    ASSERT_TRUE(browser.SelectFile("Blue.wmf"));
    browser.SetStretch(true);
    shot = previewShot(browser);
    EXPECT_EQ(shot.pixel(area.width() / 2, area.height() - 3), qRgb(0, 0, 255));
    browser.SetAutoSize(true);
    EXPECT_EQ(browser.PreviewWidget()->size(), QSize(96, 48));
}

TEST_F(ImageBrowserTest, HookHandsBackThePictureOnlyOnOkWithAFile)
{
    InstallObjectDialogs(nullptr);
    const QString oldCurrent = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QDir::tempPath()));
    ASSERT_TRUE(WriteLastFolder(FolderKind::Clipart, m_root));

    LoadedPicture picture;
    bool stretch = true, autoSize = false;

    // Cancel after choosing a picture: nothing comes back.
    whenModal([this](TGImageBrowser& b) {
        EXPECT_EQ(b.Folder(), m_root) << "starts in the folder last used for clip art";
        EXPECT_TRUE(b.Stretch());
        EXPECT_FALSE(b.AutoSize());
        b.SelectFile("Green.Bmp");
        b.findChild<QPushButton*>("CancelButton")->click();
    });
    EXPECT_FALSE(ObjectDialogs().browseImage(picture, stretch, autoSize));
    EXPECT_EQ(picture.Type, LoadedPicture::None);
    EXPECT_TRUE(stretch);

    // OK without a selected file.
    whenModal([](TGImageBrowser& b) {
        b.SelectFile("Green.Bmp");
        b.FileList()->clearSelection();
        b.findChild<QPushButton*>("OKButton")->click();
    });
    EXPECT_FALSE(ObjectDialogs().browseImage(picture, stretch, autoSize));
    EXPECT_EQ(picture.Type, LoadedPicture::None);

    // OK with a picture and both boxes cleared.
    stretch = false;
    autoSize = true;
    whenModal([](TGImageBrowser& b) {
        EXPECT_FALSE(b.Stretch());
        EXPECT_TRUE(b.AutoSize());
        b.SelectFile("photo.jpeg");
        b.AutoSizeBox()->click();
        b.findChild<QPushButton*>("OKButton")->click();
    });
    EXPECT_TRUE(ObjectDialogs().browseImage(picture, stretch, autoSize));
    EXPECT_EQ(picture.Type, LoadedPicture::Bitmap);
    EXPECT_EQ(picture.BitmapValue.Image().size(), QSize(64, 48));
    EXPECT_FALSE(stretch);
    EXPECT_FALSE(autoSize);

    // A double-click on a file takes it.
    whenModal([](TGImageBrowser& b) {
        b.SelectFile("red.ICO");
        QCoreApplication::processEvents();
        QListWidget* list = b.FileList();
        const QPoint at = list->visualItemRect(list->currentItem()).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        if (b.isVisible()) {
            ADD_FAILURE() << "the double-click did not close the browser";
            b.reject();
        }
    });
    EXPECT_TRUE(ObjectDialogs().browseImage(picture, stretch, autoSize));
    EXPECT_EQ(picture.BitmapValue.Image().size(), QSize(16, 16));

    // OK on a file that failed: true, with the empty picture.
    whenModal([](TGImageBrowser& b) {
        b.SelectFile("broken.jpg");
        b.StretchBox()->click();
        b.findChild<QPushButton*>("OKButton")->click();
    });
    EXPECT_TRUE(ObjectDialogs().browseImage(picture, stretch, autoSize));
    EXPECT_EQ(picture.Type, LoadedPicture::None);
    EXPECT_TRUE(stretch);
    EXPECT_FALSE(autoSize);

    // Taking a picture from a folder makes it the one the browser opens next.
    const QString sub = path("sub.bmp");
    whenModal([sub](TGImageBrowser& b) {
        ASSERT_TRUE(b.SetFolder(sub));
        b.SelectFile("inner.JIF");
        b.findChild<QPushButton*>("OKButton")->click();
    });
    EXPECT_TRUE(ObjectDialogs().browseImage(picture, stretch, autoSize));
    EXPECT_EQ(ReadLastFolder(FolderKind::Clipart), sub);

    QDir::setCurrent(oldCurrent);
}
