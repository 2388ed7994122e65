// "--export OUT.pdf": what printing draws, at the paper's true size, text as
// text; --months and --pages; --dpi for pictures; the exit codes and a
// failed write that leaves an earlier file alone.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "cli/commandline.h"
#include "core/screen.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"

using namespace dayloom;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int exportWith(const QStringList& args) { return RunExport(CommandLine::Parse(args)); }

int pageCount(const QByteArray& pdf)
{
    return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "));
}

// The media boxes of the pages, in points.
QList<QSizeF> mediaBoxes(const QByteArray& pdf)
{
    QList<QSizeF> out;
    static const QRegularExpression box(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
    auto it = box.globalMatch(QString::fromLatin1(pdf));
    while (it.hasNext()) {
        const auto m = it.next();
        out << QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    }
    return out;
}

// The text of a PDF as poppler reads it; null when pdftotext is missing.
QString pdfText(const QString& path, int page = 0)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return {};
    QStringList args;
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    args << path << QStringLiteral("-");
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

class ExportPdfTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SetScreenPPI(96);
        m_oldDir = ProgramDir();
        SetProgramDir(m_dir.path());
        TCalendarPanel32 page;
        page.SetCalendarLayout(loFullCalendar);
        page.SetMainCalMonth(12);
        page.SetMainCalYear(2026);
        for (int cell = 3; cell <= 33; ++cell) {
            TWPRtfStorage s;
            s.SetRtfText(QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Note ") +
                         QByteArray::number(cell) + "\\par}");
            page.SetCellText(cell, s);
        }
        m_month = m_dir.filePath("Month.DLF");
        CalendarDocument::SaveToFile(page, m_month);
        page.SetCalendarLayout(LOFullCalendarLS);
        page.SetPaperSize(1);
        m_a4 = m_dir.filePath("A4.DLF");
        CalendarDocument::SaveToFile(page, m_a4);
        page.SetCalendarLayout(loWeek);
        page.SetMainCalDay(1);
        m_week = m_dir.filePath("Week.DLF");
        CalendarDocument::SaveToFile(page, m_week);
    }
    void TearDown() override { SetProgramDir(m_oldDir); }

    QTemporaryDir m_dir;
    QString m_oldDir, m_month, m_a4, m_week;
};

}  // namespace

TEST_F(ExportPdfTest, TwelveMonthsAtTruePaperSizeWithTextAsText)
{
    const QString out = m_dir.filePath("Year.pdf");
    const QByteArray before = readAll(m_month);
    ASSERT_EQ(exportWith({"--export", out, "--months", "12", m_month}), 0);
    const QByteArray pdf = readAll(out);
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pageCount(pdf), 12);
    const QList<QSizeF> boxes = mediaBoxes(pdf);
    ASSERT_FALSE(boxes.isEmpty());
    for (const QSizeF& b : boxes) {
        EXPECT_NEAR(b.width(), 612, 0.5);   // 8.5 in
        EXPECT_NEAR(b.height(), 792, 0.5);  // 11 in
    }
    EXPECT_TRUE(pdf.contains("/FontFile2")) << "fonts are embedded";
    EXPECT_FALSE(pdf.contains("/Subtype /Image")) << "no page is a raster";
    EXPECT_EQ(readAll(m_month), before) << "the document is only read";

    const QString first = pdfText(out, 1);
    if (first.isNull())
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(first.contains(QStringLiteral("December 2026")));
    EXPECT_TRUE(first.contains(QStringLiteral("Note 17"))) << "cell text is searchable text";
    const QString second = pdfText(out, 2);
    EXPECT_TRUE(second.contains(QStringLiteral("January 2027")));
    EXPECT_FALSE(second.contains(QStringLiteral("Note"))) << "the document's texts belong to its own month";
    EXPECT_TRUE(pdfText(out, 12).contains(QStringLiteral("November 2027")));
}

TEST_F(ExportPdfTest, LandscapeA4AndPlannerPages)
{
    const QString a4 = m_dir.filePath("A4.pdf");
    ASSERT_EQ(exportWith({"--export", a4, m_a4}), 0);
    const QList<QSizeF> boxes = mediaBoxes(readAll(a4));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_NEAR(boxes[0].width(), 841.89, 0.5);  // 11.69 in
    EXPECT_NEAR(boxes[0].height(), 595.28, 0.5);  // 8.27 in

    const QString week = m_dir.filePath("Week.pdf");
    ASSERT_EQ(exportWith({"--export", week, "--pages", "3", m_week}), 0);
    EXPECT_EQ(pageCount(readAll(week)), 3);
    const QString third = pdfText(week, 3);
    if (!third.isNull()) {
        EXPECT_TRUE(third.contains(QStringLiteral("December 15-21, 2026"))) << third.toStdString();
    }

    // --months for a planner and --pages for a month are usage errors.
    EXPECT_EQ(exportWith({"--export", week, "--months", "2", m_week}), 2);
    EXPECT_EQ(exportWith({"--export", week, "--pages", "2", m_month}), 2);
}

TEST_F(ExportPdfTest, AFailedWriteLeavesTheEarlierFile)
{
    const QString out = m_dir.filePath("Keep.pdf");
    {
        QFile f(out);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("earlier");
    }
    // The document cannot be read: exit 1, nothing written.
    EXPECT_EQ(exportWith({"--export", out, m_dir.filePath("Missing.DLF")}), 1);
    EXPECT_EQ(readAll(out), QByteArray("earlier"));
    // The target cannot be written: exit 3.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Folder.pdf")));
    EXPECT_EQ(exportWith({"--export", m_dir.filePath("Folder.pdf"), m_month}), 3);
    EXPECT_TRUE(QFileInfo(m_dir.filePath("Folder.pdf")).isDir());
    EXPECT_EQ(exportWith({"--export", m_dir.filePath("no/such/folder/x.pdf"), m_month}), 3);
    EXPECT_TRUE(QDir(m_dir.path()).entryList({QStringLiteral("*.pdf*")}, QDir::Files).contains(QStringLiteral("Keep.pdf")));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).filter(QStringLiteral("pdf")).size(), 1)
        << "no temporary file is left behind";
}

// --dpi draws the page at that resolution; at the screen's 96 it is the
// picture of --zoom 100.
TEST_F(ExportPdfTest, PicturesAtAResolution)
{
    const QString zoom = m_dir.filePath("Zoom.png");
    const QString dpi96 = m_dir.filePath("Dpi96.png");
    const QString dpi300 = m_dir.filePath("Dpi300.png");
    ASSERT_EQ(exportWith({"--export", zoom, "--zoom", "100", m_month}), 0);
    ASSERT_EQ(exportWith({"--export", dpi96, "--dpi", "96", m_month}), 0);
    ASSERT_EQ(exportWith({"--export", dpi300, "--dpi", "300", m_month}), 0);
    EXPECT_EQ(QImage(zoom), QImage(dpi96));
    const QImage big(dpi300);
    // Letter portrait within 0.25 in margins at 300 dpi: 8 x 10.5 in, one
    // pixel less each way.
    EXPECT_EQ(big.size(), QSize(2400 - 1, 3150 - 1));
    EXPECT_EQ(qRound(big.dotsPerMeterX() * 0.0254), 300);
}
