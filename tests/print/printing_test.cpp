// The page on paper through the report layer: where cells, texts and objects
// land in inches, the order of the layers, jobs of several months or planner
// pages, copies, the margin question, the printer check and failing jobs.
#include <gtest/gtest.h>

#include <QDate>
#include <QFontMetricsF>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include "common/recordingdevice.h"
#include "common/testutil.h"
#include "core/screen.h"
#include "dates/recurringdates.h"
#include "dates/recurringlistfile.h"
#include "ical/icalendarfile.h"
#include "objects/tgflatcalendar.h"
#include "objects/tgplabel.h"
#include "objects/tgsupertext.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "print/calendarprintjob.h"
#include "print/printcommand.h"
#include "print/reportprinter.h"
#include "richtext/twprtfstorage.h"

using namespace dayloom;
using namespace dayloom::test;
using Item = RecordingDevice::Item;

namespace {

constexpr int kDpi = 600;

// The report layer on a recording sheet, with the copies a printer driver
// would report and a device that can be made to fail.
class RecordingReport : public ReportPrinter {
public:
    explicit RecordingReport(RecordingDevice& device) : ReportPrinter(&device) {}

    QMarginsF UnprintableMargins() const override { return margins; }
    int DeviceCopies() const override { return deviceCopies; }
    int DriverCopyLimit() const override { return driverLimit; }

    QMarginsF margins;
    int deviceCopies = 1;
    int driverLimit = 1;
    bool failAtEnd = false;
    bool failNewPage = false;

protected:
    bool DeviceFailed() const override { return failAtEnd; }
    bool DeviceNewPage() override
    {
        if (failNewPage)
            return false;
        if (auto* d = dynamic_cast<RecordingDevice*>(Device()))
            d->NewPage();
        return true;
    }
};

TWPRtfStorage text(const char* words)
{
    TWPRtfStorage s;
    s.SetRtfText(QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ") + words + "\\par}");
    return s;
}

// A December 1997 page, portrait Letter, numbers at the upper right.
void december(TCalendarPanel32& page)
{
    page.SetCalendarLayout(loFullCalendar);
    page.SetMainCalMonth(12);
    page.SetMainCalYear(1997);
    page.SetStartOfWeek(1);
    page.SetNumberPosition(cnpUpperRight);
}

QRectF inches(const QRectF& device) { return QRectF(device.topLeft() / kDpi, device.size() / kDpi); }
QRectF pageInches(const TRect& r)
{
    return QRectF(r.Left / 96.0, r.Top / 96.0, (r.Right - r.Left) / 96.0, (r.Bottom - r.Top) / 96.0);
}

// Draws the whole job onto a recording sheet.
void printJob(RecordingDevice& device, TCalendarPanel32& page, const PrintJobOptions& options = {}, int copies = 1)
{
    RecordingReport report(device);
    ASSERT_TRUE(report.Execute([&](ReportPrinter& r) { CalendarPrintJob::Print(r, page, options, copies); }))
        << report.ErrorText().toStdString();
}

QStringList textsOnPage(const RecordingDevice& device, int sheet)
{
    QStringList out;
    for (const Item& i : device.Items())
        if (i.kind == Item::Text && i.page == sheet)
            out << i.text;
    return out;
}

// The first text item that begins with t.
int indexOfText(const RecordingDevice& device, const QString& t)
{
    const QList<Item>& items = device.Items();
    for (int i = 0; i < items.size(); ++i)
        if (items[i].kind == Item::Text && items[i].text.startsWith(t))
            return i;
    return -1;
}

}  // namespace

class Printing : public ::testing::Test {
protected:
    void SetUp() override { SetScreenPPI(96); }
};

// Page pixels / 96 -> inches -> device units, the page's corner on the
// paper's: the grid's texts land in their rectangles of the page in inches,
// and cell text is stretched into the cell's text rectangle.
TEST_F(Printing, CellsAndTextsLandInTheirRectanglesInInches)
{
    TCalendarPanel32 page;
    december(page);
    page.SetCellText(2, text("Hello"));  // 1 December 1997 is a Monday
    RecordingDevice paper(8.5, 11, kDpi);
    printJob(paper, page);

    // The page's cells in inches and the printed ones agree to within the
    // few device pixels the painters keep between a box and its text.
    const PageGeometry printed = page.Geometry(PageMapping::Paper(96, kDpi, 0, 0));
    const double slack = 6 / 96.0;
    for (int k = 1; k <= 42; ++k) {
        const QRectF onPage = pageInches(page.CellRecord(k).rTotal);
        const QRectF onPaper = inches(QRectF(printed.Cells[k - 1].rTotal.Left, printed.Cells[k - 1].rTotal.Top,
                                             printed.Cells[k - 1].rTotal.Width(), printed.Cells[k - 1].rTotal.Height()));
        EXPECT_NEAR(onPaper.left(), onPage.left(), slack) << k;
        EXPECT_NEAR(onPaper.top(), onPage.top(), slack) << k;
        EXPECT_NEAR(onPaper.right(), onPage.right(), slack) << k;
        EXPECT_NEAR(onPaper.bottom(), onPage.bottom(), slack) << k;
        EXPECT_EQ(printed.Cells[k - 1].Day, page.CellRecord(k).Day);
    }

    const TCellRecord cell = page.CellRecord(2);
    ASSERT_EQ(cell.Day, 1);
    const TRect freeOnPaper = printed.Cells[1].rFree;
    const QRectF hello = inches(paper.FindText(QStringLiteral("Hello")).rect);
    ASSERT_FALSE(hello.isNull());
    EXPECT_NEAR(hello.left(), freeOnPaper.Left / double(kDpi), 0.005) << "text starts at the cell's text rectangle";
    EXPECT_GE(hello.top(), freeOnPaper.Top / double(kDpi) - 0.005);
    EXPECT_LT(hello.bottom(), freeOnPaper.Top / double(kDpi) + 0.3);
    // Recorded five pixels wider than the cell and stretched into it: the
    // text is a little smaller on paper than on the screen, never larger.
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(qRound(10 * 96 / 72.0));
    const QFontMetricsF metrics(arial);
    EXPECT_LT(hello.height(), (metrics.ascent() + metrics.descent()) / 96.0);
    EXPECT_GT(hello.height(), 0.8 * (metrics.ascent() + metrics.descent()) / 96.0);

    const QRectF one = inches(paper.FindText(QStringLiteral("1")).rect);
    const QRectF box = pageInches(cell.rTotal);
    EXPECT_GT(one.center().x(), box.center().x()) << "the number sits at the upper right";
    EXPECT_NEAR(one.right(), box.right(), slack);
    EXPECT_NEAR(one.top(), box.top(), slack);

    const QRectF title = inches(paper.FindText(QStringLiteral("December 1997")).rect);
    const QRectF band = pageInches(page.TitleRect());
    EXPECT_NEAR(title.center().x(), band.center().x(), 0.02);
    EXPECT_TRUE(band.contains(title.center()));

    // Nothing of the page lies outside the paper, and the empty cells print
    // no text at all.
    const QRectF sheet(0, 0, 8.5 * kDpi + 1, 11 * kDpi + 1);
    for (const Item& i : paper.Items())
        EXPECT_TRUE(sheet.contains(i.rect.topLeft()) && sheet.contains(i.rect.bottomRight())) << i.text.toStdString();
    EXPECT_EQ(paper.Texts().count(QStringLiteral("Hello")), 1);
}

// Border picture, calendar body, cell text, minis, then the objects in
// child order; the objects keep their place in inches.
TEST_F(Printing, LayersComeInTheirOrder)
{
    TCalendarPanel32 page;
    december(page);
    page.SetCalendarLayout(loFCMinisInTitle);
    // A border file that the stand-in loader accepts and the painter below
    // draws as one filled rectangle.
    QTemporaryDir dir;
    const QString oldProgramDir = ProgramDir();
    SetProgramDir(dir.path());
    QDir(dir.path()).mkdir(QStringLiteral("Borders"));
    QFile borderFile(dir.filePath(QStringLiteral("Borders/Stand-in.wpo")));
    ASSERT_TRUE(borderFile.open(QIODevice::WriteOnly));
    borderFile.close();
    page.SetBorderPictureLoader([](const QString&) { return true; });
    page.SetBorderPicturePainter([](QPainter& p, const QRectF& r) { p.fillRect(r, QColor(1, 2, 3)); });
    page.SetWMFBorderFile(QStringLiteral("Stand-in"));
    SetProgramDir(oldProgramDir);
    ASSERT_EQ(page.WMFBorderFile(), QStringLiteral("Stand-in"));
    page.SetCellText(10, text("CellWords"));
    auto* back = new TGPLabel(&page);
    page.AddObject(back);
    back->SetCaption(QStringLiteral("BackLabel"));
    back->SetBounds(QRect(96, 480, 192, 48));
    auto* front = new TGPLabel(&page);
    page.AddObject(front);
    front->SetCaption(QStringLiteral("FrontLabel"));
    front->SetBounds(QRect(288, 480, 192, 48));

    RecordingDevice paper(8.5, 11, kDpi);
    printJob(paper, page);

    int border = -1;
    for (int i = 0; i < paper.Items().size(); ++i)
        if (paper.Items()[i].color == QColor(1, 2, 3)) {
            border = i;
            break;
        }
    const int title = indexOfText(paper, QStringLiteral("December 1997"));
    const int cell = indexOfText(paper, QStringLiteral("CellWords"));
    const int mini = indexOfText(paper, QStringLiteral("November"));
    const int backIndex = indexOfText(paper, QStringLiteral("BackLabel"));
    const int frontIndex = indexOfText(paper, QStringLiteral("FrontLabel"));
    ASSERT_GE(border, 0);
    EXPECT_LT(border, title);
    ASSERT_GE(title, 0);
    EXPECT_LT(title, cell);
    EXPECT_LT(cell, mini);
    EXPECT_LT(mini, backIndex);
    EXPECT_LT(backIndex, frontIndex);

    // The label's rectangle in inches: (1, 5) .. (3, 5.5).
    const QRectF label = inches(paper.FindText(QStringLiteral("BackLabel")).rect);
    EXPECT_GE(label.left(), 1.0 - 0.01);
    EXPECT_LE(label.right(), 3.0 + 0.01);
    EXPECT_GE(label.top(), 5.0 - 0.01);
    EXPECT_LE(label.bottom(), 5.5 + 0.01);
}

// Twelve months from December: each page its own month (minis and floating
// calendars as they are), the document's texts on its own month only, the
// recurring dates and events in every month, the document untouched.
TEST_F(Printing, AJobOfMonthsAdvancesTheMonthAndKeepsTheDocument)
{
    QTemporaryDir dir;
    TCalendarPanel32 page;
    december(page);
    page.SetCellText(2, text("OwnText"));
    auto* floating = new TGFlatCalendar(&page);
    page.AddObject(floating);
    floating->SetMonth(7);
    floating->SetYear(2001);
    floating->SetBounds(QRect(400, 700, 200, 150));
    const QByteArray before = CalendarDocument::Save(page);

    SaveRecurringList({MakeEntry(QStringLiteral("Yule"), BuildDayOfMonth(25, 12))}, dir.path());
    const QString ics = dir.filePath("events.ics");
    {
        QFile f(ics);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//t//t//EN\r\n"
                "BEGIN:VEVENT\r\nUID:a\r\nDTSTART;VALUE=DATE:19980115\r\nSUMMARY:JanuaryEvent\r\nEND:VEVENT\r\n"
                "END:VCALENDAR\r\n");
    }
    PrintJobOptions options;
    options.Count = 3;
    options.RecurringFolder = dir.path();
    options.Calendars.push_back(ICalendarFile::FromFile(ics));
    RecordingDevice paper(8.5, 11, kDpi);
    printJob(paper, page, options);

    EXPECT_EQ(paper.ItemsOf(Item::PageBreak).size(), 2);
    EXPECT_TRUE(textsOnPage(paper, 0).contains(QStringLiteral("December 1997")));
    EXPECT_TRUE(textsOnPage(paper, 1).contains(QStringLiteral("January 1998")));
    EXPECT_TRUE(textsOnPage(paper, 2).contains(QStringLiteral("February 1998")));
    EXPECT_TRUE(textsOnPage(paper, 0).contains(QStringLiteral("OwnText")));
    EXPECT_FALSE(textsOnPage(paper, 1).contains(QStringLiteral("OwnText")));
    EXPECT_TRUE(textsOnPage(paper, 1).contains(QStringLiteral("JanuaryEvent")));
    EXPECT_FALSE(textsOnPage(paper, 0).contains(QStringLiteral("JanuaryEvent")));
    for (int sheet = 0; sheet < 3; ++sheet)
        EXPECT_TRUE(textsOnPage(paper, sheet).join(u' ').contains(QStringLiteral("July"))) << sheet;
    EXPECT_FALSE(textsOnPage(paper, 0).contains(QStringLiteral("Yule"))) << "no fill unless asked";

    paper.Clear();
    options.Count = 2;
    options.FillRecurring = true;
    options.Calendars.clear();
    printJob(paper, page, options);
    EXPECT_EQ(textsOnPage(paper, 0).count(QStringLiteral("Yule")), 1) << textsOnPage(paper, 0).join(u'|').toStdString();
    EXPECT_FALSE(textsOnPage(paper, 1).contains(QStringLiteral("Yule")));

    EXPECT_EQ(CalendarDocument::Save(page), before) << "the document is only drawn";
}

// Planner pages advance by the planner's own span.
TEST_F(Printing, PlannerPagesAdvanceByTheirSpan)
{
    TCalendarPanel32 page;
    page.SetCalendarLayout(loWeek);
    page.SetMainCalYear(1997);
    page.SetMainCalMonth(12);
    page.SetMainCalDay(1);
    EXPECT_EQ(CalendarPrintJob::PlannerSpanDays(page), 7);
    PrintJobOptions options;
    options.Count = 3;
    RecordingDevice paper(8.5, 11, kDpi);
    printJob(paper, page, options);
    EXPECT_TRUE(textsOnPage(paper, 0).contains(QStringLiteral("December 1-7, 1997")));
    EXPECT_TRUE(textsOnPage(paper, 1).contains(QStringLiteral("December 8-14, 1997")));
    EXPECT_TRUE(textsOnPage(paper, 2).contains(QStringLiteral("December 15-21, 1997")));

    page.SetCalendarLayout(loDay10);
    EXPECT_EQ(CalendarPrintJob::PlannerSpanDays(page), 1);
    paper.Clear();
    options.Count = 2;
    printJob(paper, page, options);
    EXPECT_TRUE(textsOnPage(paper, 1).join(u' ').contains(QStringLiteral("December 2, 1997")))
        << textsOnPage(paper, 1).join(u'|').toStdString();
    page.SetCalendarLayout(lo2Week);
    EXPECT_EQ(CalendarPrintJob::PlannerSpanDays(page), 14);
    EXPECT_EQ(page.MainCalDay(), 1);
}

TEST(PrintRules, MarginQuestionCutsToHundredthsAndNamesTheSides)
{
    EXPECT_TRUE(MarginWarningText(QMarginsF(0.254, 0.25, 0.2599, 0.1), 0.25f, 0.25f, 0.25f, 0.25f).isEmpty());
    EXPECT_EQ(MarginWarningText(QMarginsF(0.3, 0.5, 0.1, 0.1), 0.25f, 0.25f, 0.25f, 0.25f),
              QStringLiteral("Margin Warning:\r\rLeft Margin is possibly outside of Printer printable area"
                             "\rTop Margin is possibly outside of Printer printable area\r\rPrint anyways?"));
    EXPECT_EQ(MarginWarningText(QMarginsF(0, 0, 0.5, 0.5), 0.25f, 0.25f, 0.25f, 0.25f),
              QStringLiteral("Margin Warning:\r\rRight Margin is possibly outside of Printer printable area"
                             "\rBottom Margin is possibly outside of Printer printable area\r\rPrint anyways?"));
}

TEST(PrintRules, CopiesGoToTheDriverWhenItCanMakeThemAll)
{
    CopyPlan p = CopyPlan::For(3, ReportPrinter::UnlimitedCopies);
    EXPECT_EQ(p.ReportCopies, 3);
    EXPECT_EQ(p.CopyLoops, 1);
    p = CopyPlan::For(3, 1);
    EXPECT_EQ(p.ReportCopies, 1) << "the program draws the copies: the printer makes one of each";
    EXPECT_EQ(p.CopyLoops, 3);
    p = CopyPlan::For(0, 1);
    EXPECT_EQ(p.ReportCopies, 1);
    EXPECT_EQ(p.CopyLoops, 1);
}

TEST(PrintRules, ThePrinterCheckTellsWhichIsMissing)
{
    QStringList shown;
    auto show = [&](const QString& t) { shown << t; };
    EXPECT_FALSE(PrinterCheck::CheckPrinterAvailable({}, QString(), show));
    EXPECT_FALSE(PrinterCheck::CheckPrinterAvailable({QStringLiteral("Laser")}, QString(), show));
    EXPECT_TRUE(PrinterCheck::CheckPrinterAvailable({QStringLiteral("Laser")}, QStringLiteral("Laser"), show));
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], QStringLiteral("There are no installed printers.\r\nUnable to perform printer related "
                                       "operations"));
    EXPECT_EQ(shown[1], QStringLiteral("There is no default printer selected.\r\nUnable to perform printer "
                                       "related operations"));
}

// The command around the job: copies on drivers with and without copies of
// their own, the completion message, a declined margin question, and a job
// that fails midway.
TEST_F(Printing, TheCommandMakesCopiesAndReportsHowItWent)
{
    TCalendarPanel32 page;
    december(page);
    QStringList said;
    int begun = 0, ended = 0;
    PrintCommandHooks hooks;
    hooks.PrintDialog = [](ReportPrinter&, PrintJobOptions&) { return true; };
    hooks.AskYesNo = [&](const QString& t, const QString& c) {
        said << c + QStringLiteral("|") + t;
        return false;
    };
    hooks.ShowInformation = [&](const QString& t) { said << QStringLiteral("info|") + t; };
    hooks.ShowError = [&](const QString& t) { said << QStringLiteral("error|") + t; };
    hooks.BeginPrinting = [&] { ++begun; };
    hooks.EndPrinting = [&] { ++ended; };

    RecordingDevice paper(8.5, 11, kDpi);
    RecordingReport driver(paper);
    driver.deviceCopies = 3;
    driver.driverLimit = ReportPrinter::UnlimitedCopies;
    EXPECT_EQ(PrintCommand::Run(driver, page, {}, hooks), PrintCommand::Outcome::Printed);
    EXPECT_EQ(driver.Copies(), 3);
    EXPECT_EQ(driver.Sheets(), 1);
    EXPECT_EQ(said, QStringList{QStringLiteral("info|Print job completed and sent to printer!")});

    said.clear();
    paper.Clear();
    RecordingReport program(paper);
    program.deviceCopies = 3;
    program.driverLimit = 1;
    EXPECT_EQ(PrintCommand::Run(program, page, {}, hooks), PrintCommand::Outcome::Printed);
    EXPECT_EQ(program.Copies(), 1);
    EXPECT_EQ(program.Sheets(), 3);
    EXPECT_EQ(paper.Texts().count(QStringLiteral("December 1997")), 3);

    said.clear();
    program.margins = QMarginsF(0.5, 0, 0, 0);
    EXPECT_EQ(PrintCommand::Run(program, page, {}, hooks), PrintCommand::Outcome::MarginDeclined);
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].startsWith(QStringLiteral("Margin Warning|Margin Warning:\r\rLeft Margin")));

    said.clear();
    program.margins = QMarginsF();
    program.failNewPage = true;
    begun = ended = 0;
    EXPECT_EQ(PrintCommand::Run(program, page, {}, hooks), PrintCommand::Outcome::Failed);
    EXPECT_EQ(begun, 1);
    EXPECT_EQ(ended, 1) << "painting comes back after a failed job";
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].startsWith(QStringLiteral("error|Unable to print the calendar."))) << said[0].toStdString();

    said.clear();
    program.failNewPage = false;
    program.failAtEnd = true;
    EXPECT_EQ(PrintCommand::Run(program, page, {}, hooks), PrintCommand::Outcome::Failed);
    ASSERT_EQ(said.size(), 1);
    EXPECT_FALSE(said[0].contains(QStringLiteral("completed")));

    // Special-effects text on the page: the message asks for patience.
    said.clear();
    program.failAtEnd = false;
    page.AddObject(new TGSuperText(&page));
    EXPECT_EQ(PrintCommand::Run(program, page, {}, hooks), PrintCommand::Outcome::Printed);
    EXPECT_EQ(said, QStringList{QStringLiteral("info|") + PrintCommand::CompletedComplexShapes()});

    said.clear();
    hooks.PrintDialog = [](ReportPrinter&, PrintJobOptions&) { return false; };
    EXPECT_EQ(PrintCommand::Run(program, page, {}, hooks), PrintCommand::Outcome::Cancelled);
    EXPECT_TRUE(said.isEmpty());
}
