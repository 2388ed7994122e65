// Damaged documents: an error before the object list fails the load; an
// object list that cannot be read to its end keeps the objects that are
// whole and says that the document was read only in part. Files that are no
// documents at all (a folder, a pipe, a device, a giant) are refused.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "common/testutil.h"
#include "core/readerror.h"
#include "imaging/bmpfile.h"
#include "objects/pageobjectclasses.h"
#include "objects/tgflatcalendar.h"
#include "objects/tgimage.h"
#include "objects/tgplabel.h"
#include "objects/tpicture.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "stream/componentregistry.h"

namespace dayloom::test {
namespace {

// A document with three objects, and where each object's record ends.
struct ThreeObjects {
    QByteArray bytes;
    qsizetype listStart = 0;        // the object list's begin marker
    QList<qsizetype> objectEnds;    // just behind each object's record
};

ThreeObjects MakeDocument()
{
    RegisterPageObjectClasses(ComponentRegistry::Global());
    TCalendarPanel32 page;
    page.SetUserTitle(QStringLiteral("Damaged"));
    ThreeObjects doc;
    doc.listStart = CalendarDocument::Save(page).size() - 2;  // ... L( )L

    auto* label = new TGPLabel;
    page.AddObject(label);
    label->SetCaption(QStringLiteral("first"));
    label->SetBounds(QRect(10, 10, 100, 30));
    doc.objectEnds << CalendarDocument::Save(page).size() - 1;

    auto* image = new TGImage;
    page.AddObject(image);
    QImage art(6, 4, QImage::Format_RGB32);
    art.fill(Qt::red);
    image->Picture()->SetBitmap(BmpFile::FromImage(art));
    image->SetBounds(QRect(50, 60, 6, 4));
    doc.objectEnds << CalendarDocument::Save(page).size() - 1;

    auto* calendar = new TGFlatCalendar;
    page.AddObject(calendar);
    calendar->SetBounds(QRect(200, 200, 150, 120));
    doc.bytes = CalendarDocument::Save(page);
    doc.objectEnds << doc.bytes.size() - 1;
    return doc;
}

class DocumentPartialTest : public ::testing::Test {
protected:
    // Loads into one page used again and again; nullopt when the load failed.
    std::optional<DocumentLoadResult> load(const QByteArray& bytes)
    {
        m_page.ClearCells();
        m_page.DeleteAllObjects();
        try {
            return CalendarDocument::Load(m_page, bytes);
        } catch (const ReadError&) {
            return std::nullopt;
        }
    }
    TCalendarPanel32 m_page;
};

TEST_F(DocumentPartialTest, CutAtEveryByteFailsKeepsWholeObjectsOrReadsAll)
{
    const ThreeObjects doc = MakeDocument();
    for (qsizetype cut = 0; cut <= doc.bytes.size(); ++cut) {
        SCOPED_TRACE(cut);
        const std::optional<DocumentLoadResult> result = load(doc.bytes.left(cut));
        if (cut < doc.listStart) {
            // Settings, cells or title damaged: the load fails as a whole.
            ASSERT_FALSE(result.has_value());
            continue;
        }
        ASSERT_TRUE(result.has_value());
        int whole = 0;
        for (qsizetype end : doc.objectEnds)
            whole += end <= cut ? 1 : 0;
        EXPECT_EQ(result->ObjectsRead, whole);
        EXPECT_EQ(m_page.Objects().size(), whole);
        // Only the whole document has its list's end marker.
        EXPECT_EQ(result->Partial(), cut < doc.bytes.size());
        ASSERT_EQ(m_page.UserTitle(), QStringLiteral("Damaged"));
    }
}

TEST_F(DocumentPartialTest, DamagedObjectEndsTheListThereAndIsTold)
{
    const ThreeObjects doc = MakeDocument();
    const qsizetype imageStart = doc.objectEnds[0];
    const qsizetype imageEnd = doc.objectEnds[1];

    // The picture's stored length far beyond the file: nothing is allocated
    // for it, the image and what follows are dropped.
    QByteArray bad = doc.bytes;
    const qsizetype data = bad.indexOf("Picture.Data\x0a", imageStart);
    ASSERT_GT(data, imageStart);
    ASSERT_LT(data, imageEnd);
    qToLittleEndian<qint32>(0x7fffffff, bad.data() + data + 13);
    std::optional<DocumentLoadResult> result = load(bad);
    ASSERT_TRUE(result.has_value());
    EXPECT_TRUE(result->Partial());
    EXPECT_EQ(result->ObjectsRead, 1);
    EXPECT_EQ(m_page.Objects().size(), 1);

    // The bitmap's own length inside the picture data, one byte too long.
    bad = doc.bytes;
    const qsizetype inner = bad.indexOf("\x07TBitmap", data);
    ASSERT_GT(inner, data);
    const qint32 length = qFromLittleEndian<qint32>(bad.constData() + inner + 8);
    qToLittleEndian<qint32>(length + 1, bad.data() + inner + 8);
    result = load(bad);
    ASSERT_TRUE(result.has_value());
    EXPECT_TRUE(result->Partial());
    EXPECT_EQ(result->ObjectsRead, 1);

    // A class this program does not know: it and all after it are dropped.
    bad = doc.bytes;
    const qsizetype cls = bad.indexOf("TGFlatCalendar", imageEnd);
    ASSERT_GT(cls, imageEnd);
    bad[cls + 2] = 'X';
    result = load(bad);
    ASSERT_TRUE(result.has_value());
    EXPECT_TRUE(result->Partial());
    EXPECT_EQ(result->ObjectsRead, 2);

    // Bytes after the list's end marker are not part of the document.
    result = load(doc.bytes + QByteArray("\x01\x02"));
    ASSERT_TRUE(result.has_value());
    EXPECT_FALSE(result->Partial());
    EXPECT_EQ(result->ObjectsRead, 3);

    // A document saved after a partial read is whole again.
    result = load(doc.bytes.left(imageEnd + 5));
    ASSERT_TRUE(result.has_value() && result->Partial());
    result = load(CalendarDocument::Save(m_page));
    ASSERT_TRUE(result.has_value());
    EXPECT_FALSE(result->Partial());
    EXPECT_EQ(result->ObjectsRead, 2);
}

TEST_F(DocumentPartialTest, FilesThatAreNoDocumentsAreRefusedUnread)
{
    QTemporaryDir dir;
    const QString whole = dir.filePath("Whole.DLF");
    CalendarDocument::SaveToFile(m_page, whole);
    EXPECT_FALSE(CalendarDocument::LoadFromFile(m_page, whole).Partial());

    ASSERT_TRUE(QDir(dir.path()).mkdir("Folder.DLF"));
    const QString big = MakeSparseFile(dir.filePath("Big.DLF"),
                                       InputSizeLimit(InputKind::Document) + 1);
    const QStringList refused{dir.filePath("Folder.DLF"), MakeFifo(dir.filePath("Pipe.DLF")),
                              QStringLiteral("/dev/zero"), big};
    for (const QString& path : refused) {
        SCOPED_TRACE(path.toStdString());
        ASSERT_FALSE(path.isEmpty());
        try {
            CalendarDocument::LoadFromFile(m_page, path);
            ADD_FAILURE() << "read";
        } catch (const ReadError& e) {
            EXPECT_STREQ(e.what(), "Stream read error");
        }
        EXPECT_THROW(LoadStyleSheet(m_page, path), ReadError);
    }
    // Style sheets hold settings only: their limit is far lower.
    const QString style = MakeSparseFile(dir.filePath("Big.DLS"),
                                         InputSizeLimit(InputKind::StyleSheet) + 1);
    ASSERT_FALSE(style.isEmpty());
    try {
        LoadStyleSheet(m_page, style);
        ADD_FAILURE() << "read";
    } catch (const ReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }

    // Saving over a device or a folder is refused; they stay what they were.
    EXPECT_THROW(CalendarDocument::SaveToFile(m_page, QStringLiteral("/dev/null")), std::exception);
    EXPECT_TRUE(IsCharacterDevice(QStringLiteral("/dev/null")));
    EXPECT_THROW(SaveStyleSheet(m_page, dir.filePath("Folder.DLF")), std::exception);
    EXPECT_TRUE(QFileInfo(dir.filePath("Folder.DLF")).isDir());
}

TEST(DocumentTexts, MessagesBreakBetweenSentences)
{
    EXPECT_EQ(UnableToOpenText(QStringLiteral("/a/b.DLF")),
              QStringLiteral("Unable to open /a/b.DLF.\nPossibly corrupted, possibly not a "
                             "Calendar file"));
    EXPECT_EQ(UnableToOpenText(QStringLiteral("/a/s.DLS"), true),
              QStringLiteral("Unable to open /a/s.DLS.\nPossibly corrupted, possibly not a "
                             "Calendar Style file"));
    EXPECT_EQ(PartialReadText(2),
              QStringLiteral("2 objects were read; the rest of the document could not be read. "
                             "Saving it will write it without them."));
}

}  // namespace
}  // namespace dayloom::test
