// The window's "Save As Bitmap File" / "Save As JPG File" and the command
// line's picture export: dialog, messages with the zoom, the document left
// as modified as it was, the same bytes from both, and the exit codes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "cli/commandline.h"
#include "common/testutil.h"
#include "core/screen.h"
#include "imaging/bmpfile.h"
#include "objects/tgprichbaselabel.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"
#include "ui/calendarpagewidget.h"
#include "ui/tcalendarmain.h"
#include "ui/uiutil.h"

using namespace dayloom;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int exportWith(const QStringList& args) { return RunExport(CommandLine::Parse(args)); }

class ExportPictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_oldDir = ProgramDir();
        SetProgramDir(m_dir.path());
        m_oldHook = SetMessageHook([this](const MessageRequest& r) {
            m_messages << r.caption + QStringLiteral("|") + r.text;
            return (r.buttons & QMessageBox::Yes) ? QMessageBox::No : QMessageBox::Ok;
        });
        TCalendarPanel32 page;  // portrait, 0.25 in margins
        page.SetMainCalMonth(12);
        page.SetMainCalYear(1997);
        page.SetWMFBorderFile(QStringLiteral("Waves"));
        m_club = m_dir.filePath("Club.DLF");
        CalendarDocument::SaveToFile(page, m_club);
    }
    void TearDown() override
    {
        m_window.reset();
        SetMessageHook(m_oldHook);
        SetProgramDir(m_oldDir);
    }
    TCalendarMain& window()
    {
        m_window = std::make_unique<TCalendarMain>();
        m_window->SetSaveFileChooser([this](const FileDialogSpec& desc) {
            m_specs << desc;
            return m_choice;
        });
        m_window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !m_window->Loading(); }));
        m_messages.clear();
        return *m_window;
    }

    QTemporaryDir m_dir;
    QString m_oldDir, m_club, m_choice;
    MessageHook m_oldHook;
    QStringList m_messages;
    QList<FileDialogSpec> m_specs;
    std::unique_ptr<TCalendarMain> m_window;
};

}  // namespace

TEST_F(ExportPictureTest, WindowCommandsAtSixtyPercent)
{
    TCalendarMain& w = window();
    TCalendarPanel32& page = *w.CalendarPanel();
    page.SetMainCalMonth(12);
    page.SetMainCalYear(1997);
    ASSERT_EQ(w.PageWidget()->PageZoom().Factor(), 0.601f);  // the window starts at 60 %
    w.SetModified(true);
    m_choice = m_dir.filePath("Dec1997.BMP");
    w.SaveAsBitmapClick();
    ASSERT_EQ(m_specs.size(), 1);
    EXPECT_EQ(m_specs[0].title, QStringLiteral("Save Calendar As Bitmap"));
    EXPECT_EQ(m_specs[0].filter, QStringLiteral("Bitmap File (*.BMP *.bmp)"));
    EXPECT_EQ(m_specs[0].defaultSuffix, QStringLiteral("BMP"));
    EXPECT_NE(m_specs[0].directory + QLatin1Char('/'), ProgramDir());
    EXPECT_EQ(m_specs[0].proposedName, QStringLiteral("Dec1997.BMP"));
    EXPECT_EQ(m_messages, QStringList{"Information|Saved as " + m_choice +
                                      "\n\nNote: the calendar has been saved at its\n"
                                      "current magnification level of 60%"});
    // the page at 0.601 minus margins of trunc(96 x margin x 0.601) and one pixel
    const int lr = int(96 * page.LeftMarginInch() * 0.601f) + int(96 * page.RightMarginInch() * 0.601f);
    EXPECT_EQ(BmpFile::FromBytes(readAll(m_choice)).Width(), w.PageWidget()->PageSize().width() - lr - 1);
    EXPECT_TRUE(w.Modified());
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("SaveButton"))->isVisible());

    // a document's name proposes its own; a failed write says so although a
    // file of that name exists, and leaves that file alone
    w.OpenCalendarFile(m_club);
    m_choice = m_dir.filePath("Club.JPG");
    w.SaveAsJpgClick();
    EXPECT_EQ(m_specs.last().filter, QStringLiteral("JPG File (*.JPG *.jpg)"));
    EXPECT_EQ(m_specs.last().proposedName, QStringLiteral("Club.JPG"));
    const QByteArray before = readAll(m_choice);
    ASSERT_TRUE(before.startsWith("\xFF\xD8"));
    m_messages.clear();
    page.SetLeftMarginInch(4.5f);
    page.SetRightMarginInch(4.5f);
    w.SaveAsJpgClick();
    EXPECT_EQ(m_messages, QStringList{"Information|Unable to save " + m_choice +
                                      "\n\nPossible reasons include:\n -Not enough available "
                                      "memory\n -Not enough disk space\n -Invalid file name"});
    EXPECT_EQ(readAll(m_choice), before);
    // cancelled: nothing happens
    m_messages.clear();
    m_choice.clear();
    w.SaveAsBitmapClick();
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(ExportPictureTest, CommandLineWritesWhatTheWindowWrites)
{
    TCalendarMain& w = window();
    w.OpenCalendarFile(m_club);
    ASSERT_EQ(w.CalendarPanel()->WMFBorderFile(), QStringLiteral("Waves"));
    m_choice = m_dir.filePath("Window.BMP");
    w.SaveAsBitmapClick();
    ASSERT_EQ(exportWith({"--export", m_dir.filePath("Cli.bmp"), "--zoom", "60", m_club}), 0);
    EXPECT_EQ(readAll(m_dir.filePath("Cli.bmp")), readAll(m_choice));

    // the default 100 % (zoom 1.001, the page 816 x 1057) and PNG
    ASSERT_EQ(exportWith({"--export", m_dir.filePath("Club.PNG"), m_club}), 0);
    EXPECT_EQ(QImage(m_dir.filePath("Club.PNG")).size(), QSize(816 - 48 - 1, 1057 - 48 - 1));

    // 1: the document cannot be read; 3: the picture cannot be written
    const QString out = m_dir.filePath("Out.png");
    EXPECT_EQ(exportWith({"--export", out, m_dir.filePath("Missing.DLF")}), 1);
    QFile damaged(m_dir.filePath("Damaged.DLF"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(readAll(m_club).left(40));
    damaged.close();
    EXPECT_EQ(exportWith({"--export", out, damaged.fileName()}), 1);
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(exportWith({"--export", m_dir.filePath("no/folder/Out.jpg"), m_club}), 3);
}

// Every kind of page object (labels turned and shadowed, rich-text labels,
// floating calendars, clip art) reaches the command line's picture as the
// window's command draws it.
TEST_F(ExportPictureTest, EveryObjectKindIsWrittenAsTheWindowWritesIt)
{
    const QString doc = test::DataPath(QStringLiteral("golden/docs/objects.DLF"));
    TCalendarMain& w = window();
    w.OpenCalendarFile(doc);
    ASSERT_GT(w.CalendarPanel()->Objects().size(), 5);
    m_choice = m_dir.filePath("Window.BMP");
    w.SaveAsBitmapClick();
    ASSERT_EQ(exportWith({"--export", m_dir.filePath("Cli.bmp"), "--zoom", "60", doc}), 0);
    EXPECT_EQ(readAll(m_dir.filePath("Cli.bmp")), readAll(m_choice));
}

// A rich-text label paints the same through the command line as through the
// window: the shared renderer does not depend on a window.
TEST_F(ExportPictureTest, RichTextLabelsReachTheCommandLinePicture)
{
    const QString path = m_dir.filePath("Rich.DLF");
    {
        TCalendarPanel32 page;
        page.SetMainCalMonth(12);
        page.SetMainCalYear(1997);
        auto* label = new TGPRichBaseLabel(&page);
        label->setObjectName(QStringLiteral("Special1"));
        page.AddObject(label);
        label->SetBounds(QRect(200, 300, 300, 120));
        TWPRtfStorage text;
        text.SetRtfText("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs40\\b Bold words\\par}");
        label->SetRTFText(text);
        label->SetTransparent(false);
        label->SetBGColor(0x0000FFFF);  // yellow
        CalendarDocument::SaveToFile(page, path);
    }
    TCalendarMain& w = window();
    w.OpenCalendarFile(path);
    m_choice = m_dir.filePath("Window.BMP");
    w.SaveAsBitmapClick();
    ASSERT_EQ(exportWith({"--export", m_dir.filePath("Cli.bmp"), "--zoom", "60", path}), 0);
    const QByteArray cli = readAll(m_dir.filePath("Cli.bmp"));
    EXPECT_EQ(cli, readAll(m_choice));

    // The label's fill and its black text are in the picture (which starts
    // at the left and top margins, 0.25 in at 60 %).
    const QImage picture = QImage::fromData(cli);
    ASSERT_FALSE(picture.isNull());
    const int margin = int(96 * 0.25 * 0.601);
    const QRect label(int(200 * 0.601) - margin, int(300 * 0.601) - margin, int(300 * 0.601), int(120 * 0.601));
    int yellow = 0, dark = 0;
    for (int y = label.top() + 2; y < label.bottom() - 2; ++y)
        for (int x = label.left() + 2; x < label.right() - 2; ++x) {
            const QColor c = picture.pixelColor(x, y);
            yellow += c == QColor(255, 255, 0);
            dark += c.lightness() < 80;
        }
    EXPECT_GT(yellow, label.width() * label.height() / 2);
    EXPECT_GT(dark, 50);
}
