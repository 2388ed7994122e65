// The clip-art browser's ways of finding pictures: the places it offers,
// the folder it starts in, the path field, the filter on names, thumbnails
// made in the background, whole names, and what it says of large and
// damaged pictures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "common/testutil.h"
#include "imaging/imageloader.h"
#include "core/screen.h"
#include "ui/objects/tgimagebrowser.h"
#include "stream/preferences.h"
#include "ui/uiutil.h"

using namespace dayloom;

namespace {

const char kLongName[] = "snowman-with-a-red-scarf-and-a-carrot-nose-for-december.png";

QImage Sticker(int w, int h, QColor color)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(color);
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(QRectF(2, 2, w - 4, h - 4));
    return img;
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class ClipArtBrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_root = QDir(m_dir.path()).canonicalPath();
        ASSERT_TRUE(QDir(m_root).mkpath("art/winter"));
        ASSERT_TRUE(QDir(m_root).mkpath("collection/svg"));
        m_art = m_root + "/art";
        const QColor colors[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan};
        for (int i = 0; i < 30; ++i)
            ASSERT_TRUE(Sticker(60, 40, colors[i % 5]).save(m_art + QStringLiteral("/bauble%1.png").arg(i, 2, 10, QChar('0'))));
        ASSERT_TRUE(Sticker(120, 80, Qt::magenta).save(m_art + "/" + kLongName));
        ASSERT_TRUE(Sticker(3000, 1000, Qt::darkGreen).save(m_art + "/banner.png"));
        Write(m_art + "/star.svg",
              "<svg xmlns='http://www.w3.org/2000/svg' width='80' height='80'>"
              "<path d='M40,4 L50,30 L78,30 L55,48 L64,76 L40,58 L16,76 L25,48 L2,30 L30,30 Z'"
              " fill='#ffd700' stroke='#a07000' stroke-width='2'/></svg>");
        Write(m_art + "/outside.svg",
              "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink'"
              " width='10' height='10'><image width='10' height='10' xlink:href='/etc/hosts'/></svg>");
        Write(m_art + "/broken.png", "\x89PNG\r\n\x1a\nbroken");
        m_oldHook = SetMessageHook([this](const MessageRequest& r) {
            m_messages << r;
            return QMessageBox::Ok;
        });
        m_oldCollections = TGImageBrowser::CollectionFolders();
    }
    void TearDown() override
    {
        SetMessageHook(m_oldHook);
        TGImageBrowser::SetCollectionFolders(m_oldCollections);
        WriteLastFolder(FolderKind::Clipart, QString());
    }

    QTemporaryDir m_dir;
    QString m_root, m_art;
    QList<MessageRequest> m_messages;
    MessageHook m_oldHook;
    QStringList m_oldCollections;
};

QListWidgetItem* Item(TGImageBrowser& b, const QString& name)
{
    const auto found = b.FileList()->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

}  // namespace

TEST_F(ClipArtBrowserTest, OffersInstalledCollectionsTheLastFolderAndPictures)
{
    const QString collection = m_root + "/collection/svg";
    TGImageBrowser::SetCollectionFolders({collection, m_root + "/collection/png"});
    ASSERT_TRUE(WriteLastFolder(FolderKind::Clipart, m_art));
    QStringList labels, folders;
    for (const TGImageBrowser::Place& p : TGImageBrowser::Places()) {
        labels << p.Label;
        folders << p.Folder;
    }
    EXPECT_EQ(folders.value(0), m_art);
    EXPECT_EQ(labels.value(0), QStringLiteral("Last used"));
    EXPECT_TRUE(folders.contains(collection));
    EXPECT_FALSE(folders.contains(m_root + "/collection/png")) << "not installed, not offered";
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    EXPECT_EQ(folders.contains(QDir(pictures).canonicalPath()), QFileInfo(pictures).isDir());
    // The program's own clip art, found with its other data files.
    EXPECT_TRUE(labels.contains(QStringLiteral("Clipart")));
    // A Clipart folder of the user's own is offered beside the installed one.
    const QString mine = ProgramDir() + QStringLiteral("Clipart");
    ASSERT_TRUE(QDir().mkpath(mine));
    QStringList withMine;
    for (const TGImageBrowser::Place& p : TGImageBrowser::Places())
        withMine << p.Label + u'|' + p.Folder;
    EXPECT_TRUE(withMine.contains(QStringLiteral("My clip art|") + QDir(mine).canonicalPath()))
        << withMine.join(u',').toStdString();
    EXPECT_TRUE(labels.contains(QStringLiteral("Clipart")));
    QDir(mine).removeRecursively();

    TGImageBrowser browser;
    EXPECT_EQ(browser.Folder(), m_art) << "starts in the folder last used";
    const int at = browser.DriveCombo()->findData(collection);
    ASSERT_GE(at, 0);
    EXPECT_TRUE(browser.DriveCombo()->itemText(at).startsWith(QStringLiteral("Clip art (svg)")));
    browser.DriveCombo()->setCurrentIndex(at);
    EXPECT_EQ(browser.Folder(), collection);
    EXPECT_EQ(browser.PathEdit()->text(), collection);
}

TEST_F(ClipArtBrowserTest, StartsInThePicturesFolderWhenNothingWasUsed)
{
    WriteLastFolder(FolderKind::Clipart, m_root + "/gone");
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString expected = QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
    EXPECT_EQ(TGImageBrowser::StartFolder(), expected);
    TGImageBrowser browser;
    EXPECT_EQ(browser.Folder(), QDir(expected).canonicalPath());
}

TEST_F(ClipArtBrowserTest, PathFieldOpensFoldersAndFiles)
{
    TGImageBrowser browser;
    ASSERT_TRUE(browser.SetFolder(m_root));
    browser.show();
    QLineEdit* edit = browser.PathEdit();
    EXPECT_EQ(edit->text(), m_root);

    edit->setText(m_art + "/winter/");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(browser.Folder(), m_art + "/winter");

    edit->setText(m_art + "/star.svg");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(browser.Folder(), m_art);
    EXPECT_EQ(browser.SelectedFile(), m_art + "/star.svg");
    EXPECT_EQ(browser.Preview().Type, LoadedPicture::Metafile);

    edit->setText(m_root + "/nowhere");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(browser.Folder(), m_art);
    EXPECT_EQ(edit->text(), m_art) << "a path that leads nowhere is put back";
}

TEST_F(ClipArtBrowserTest, FilterNarrowsTheListAsYouType)
{
    TGImageBrowser browser;
    ASSERT_TRUE(browser.SetFolder(m_art));
    browser.show();
    EXPECT_EQ(browser.VisibleNames().size(), 35);
    QTest::keyClicks(browser.FilterEdit(), "BAUBLE2");
    EXPECT_EQ(browser.VisibleNames(),
              (QStringList{"bauble20.png", "bauble21.png", "bauble22.png", "bauble23.png",
                           "bauble24.png", "bauble25.png", "bauble26.png", "bauble27.png",
                           "bauble28.png", "bauble29.png"}));
    QTest::keyClick(browser.FilterEdit(), Qt::Key_Backspace);
    EXPECT_EQ(browser.VisibleNames().size(), 30);
    browser.SetFilter("svg");
    EXPECT_EQ(browser.VisibleNames(), (QStringList{"outside.svg", "star.svg"}));
    // Another folder keeps the filter.
    ASSERT_TRUE(browser.SetFolder(m_art + "/winter"));
    EXPECT_TRUE(browser.VisibleNames().isEmpty());
    browser.SetFilter(QString());
}

TEST_F(ClipArtBrowserTest, ThumbnailsArriveInTheBackgroundAndNamesStayWhole)
{
    TGImageBrowser browser;
    browser.show();
    ASSERT_TRUE(browser.SetFolder(m_art));
    // Nothing is made while the folder opens: the list is there at once.
    EXPECT_EQ(browser.FileList()->count(), 35);
    EXPECT_EQ(browser.PendingThumbnails(), 35);
    EXPECT_FALSE(browser.HasThumbnail("bauble00.png"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return browser.PendingThumbnails() == 0; }, 10000));
    for (const char* name : {"bauble00.png", "banner.png", "star.svg", kLongName})
        EXPECT_TRUE(browser.HasThumbnail(name)) << name;
    const QSize icon = Item(browser, "bauble00.png")->icon().actualSize(QSize(48, 48));
    EXPECT_EQ(icon, QSize(48, 48));

    // The long name is shown whole: its item is as wide as its text.
    QCoreApplication::processEvents();
    QListWidget* list = browser.FileList();
    QListWidgetItem* item = Item(browser, kLongName);
    ASSERT_TRUE(item);
    const int textWidth = list->fontMetrics().horizontalAdvance(QString::fromLatin1(kLongName));
    EXPECT_GE(list->visualItemRect(item).width(), textWidth + 48);
    EXPECT_GT(list->horizontalScrollBar()->maximum(), 0) << "the list scrolls sideways instead";
    EXPECT_EQ(item->toolTip(), QString::fromLatin1(kLongName));

    // A folder opened again takes its thumbnails from what was made.
    ASSERT_TRUE(browser.SetFolder(m_root));
    ASSERT_TRUE(browser.SetFolder(m_art));
    EXPECT_EQ(browser.PendingThumbnails(), 0);
    ASSERT_TRUE(browser.SelectFile("bauble03.png"));
    QCoreApplication::processEvents();
    test::SaveShot(browser.grab().toImage(), "clipart_browser_thumbnails");
}

TEST_F(ClipArtBrowserTest, SaysWhatHappensToLargePicturesAndRefusesDamagedOnes)
{
    TGImageBrowser browser;
    ASSERT_TRUE(browser.SetFolder(m_art));
    ASSERT_TRUE(browser.SelectFile("banner.png"));
    EXPECT_EQ(browser.Preview().Size(), QSize(3000, 1000));
    EXPECT_EQ(browser.SizeNote()->text(),
              QStringLiteral("3000 x 1000 pixels: too large for a page, placed at 2400 x 800, "
                             "with transparency"));
    ASSERT_TRUE(browser.SelectFile("star.svg"));
    EXPECT_EQ(browser.SizeNote()->text(), QStringLiteral("80 x 80 pixels, drawing"));
    EXPECT_TRUE(m_messages.isEmpty());

    for (const char* bad : {"broken.png", "outside.svg"}) {
        m_messages.clear();
        ASSERT_TRUE(browser.SelectFile(bad));
        EXPECT_EQ(browser.Preview().Type, LoadedPicture::None) << bad;
        ASSERT_EQ(m_messages.size(), 1) << bad;
        EXPECT_EQ(m_messages[0].text, QStringLiteral("Error loading file!"));
        EXPECT_TRUE(browser.SizeNote()->text().isEmpty());
    }
}
