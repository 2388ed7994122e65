// The window's print and PDF commands: the printer check of the first
// activation, Print from the button, a job that fails, Save As PDF File and
// Save As PNG File.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "common/recordingdevice.h"
#include "core/screen.h"
#include "page/tcalendarpanel32.h"
#include "print/reportprinter.h"
#include "ui/calendarpagewidget.h"
#include "ui/printcommands.h"
#include "ui/printerreport.h"
#include "ui/tcalendarmain.h"
#include "ui/uiutil.h"

using namespace dayloom;
using dayloom::test::RecordingDevice;

namespace {

// Every window of the widget tests sees one installed default printer, so
// that no start-up message depends on the machine the tests run on.
class OnePrinter : public ::testing::Environment {
public:
    void SetUp() override
    {
        SetPrinterListProvider([] { return PrinterListing{{QStringLiteral("Test")}, QStringLiteral("Test")}; });
    }
};
const auto* const kOnePrinter = ::testing::AddGlobalTestEnvironment(new OnePrinter);

// A printer that records what it is given, and can fail at the end.
class RecordingPrinter : public ReportPrinter {
public:
    RecordingPrinter() : ReportPrinter(&device) {}
    RecordingDevice device{8.5, 11, 300};
    bool failAtEnd = false;
    static inline RecordingPrinter* last = nullptr;

protected:
    bool DeviceFailed() const override { return failAtEnd; }
    bool DeviceNewPage() override
    {
        device.NewPage();
        return true;
    }
};

class PrintWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_oldDir = ProgramDir();
        SetProgramDir(m_dir.path());
        SetScreenPPI(96);
        m_oldHook = SetMessageHook([this](const MessageRequest& r) {
            m_messages << r.caption + QStringLiteral("|") + r.text;
            return (r.buttons & QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
        });
        m_oldFactory = SetReportFactory([this] {
            auto report = std::make_unique<RecordingPrinter>();
            report->failAtEnd = m_fail;
            RecordingPrinter::last = report.get();
            return report;
        });
        m_oldDialog = SetPrintDialogRunner([this](ReportPrinter&, PrintJobOptions& o, const TCalendarPanel32&, QWidget*) {
            o.Count = m_count;
            return true;
        });
    }
    void TearDown() override
    {
        m_window.reset();
        SetPrintDialogRunner(m_oldDialog);
        SetReportFactory(m_oldFactory);
        SetPrinterListProvider([] { return PrinterListing{{QStringLiteral("Test")}, QStringLiteral("Test")}; });
        SetMessageHook(m_oldHook);
        SetProgramDir(m_oldDir);
    }
    TCalendarMain& start()
    {
        m_window = std::make_unique<TCalendarMain>();
        m_window->SetPropertiesRunner([](TCalendarPanel32& preview, bool isNew) {
            if (isNew)
                preview.ResetPage();
            return isNew;
        });
        m_window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !m_window->Loading(); }));
        return *m_window;
    }
    // A page to print, as File > New leaves it.
    TCalendarMain& startWithPage()
    {
        TCalendarMain& w = start();
        w.FileNewClick();
        m_messages.clear();
        return w;
    }
    QToolButton* printButton() { return m_window->findChild<QToolButton*>(QStringLiteral("PrintButton")); }

    QTemporaryDir m_dir;
    QString m_oldDir;
    MessageHook m_oldHook;
    ReportFactory m_oldFactory;
    PrintDialogRunner m_oldDialog;
    QStringList m_messages;
    std::unique_ptr<TCalendarMain> m_window;
    bool m_fail = false;
    int m_count = 1;
};

}  // namespace

TEST_F(PrintWindowTest, ThePrinterCheckSaysWhatIsMissingAndPrintingStaysOff)
{
    SetPrinterListProvider([] { return PrinterListing{}; });
    TCalendarMain& w = start();
    w.FileNewClick();
    // Message boxes show "\r" line breaks as "\n".
    EXPECT_TRUE(m_messages.contains(QStringLiteral(
        "Information|There are no installed printers.\nUnable to perform printer related operations")));
    EXPECT_FALSE(w.PrinterAvailable());
    EXPECT_FALSE(printButton()->isEnabled());
    m_window.reset();
    m_messages.clear();

    SetPrinterListProvider([] { return PrinterListing{{QStringLiteral("Laser")}, QString()}; });
    TCalendarMain& v = start();
    EXPECT_EQ(m_messages, QStringList{QStringLiteral("Information|There is no default printer selected.\n"
                                                     "Unable to perform printer related operations")});
    v.FileNewClick();
    EXPECT_FALSE(printButton()->isEnabled());
    m_window.reset();
    m_messages.clear();

    SetPrinterListProvider([] { return PrinterListing{{QStringLiteral("Laser")}, QStringLiteral("Laser")}; });
    TCalendarMain& u = start();
    EXPECT_TRUE(m_messages.isEmpty());
    u.FileNewClick();
    EXPECT_TRUE(u.PrinterAvailable());
    EXPECT_TRUE(printButton()->isEnabled());
}

// The Print button prints the months asked for, says so, and leaves the
// document's modified state and the view's zoom as they were.
TEST_F(PrintWindowTest, PrintingFromTheButtonLeavesTheDocumentAndTheView)
{
    TCalendarMain& w = startWithPage();
    const bool modified = w.Modified();
    const Zoom zoom = w.PageWidget()->PageZoom();
    m_count = 2;
    QTest::mouseClick(printButton(), Qt::LeftButton);
    ASSERT_NE(RecordingPrinter::last, nullptr);
    EXPECT_EQ(RecordingPrinter::last->device.ItemsOf(RecordingDevice::Item::PageBreak).size(), 1);
    EXPECT_EQ(m_messages, QStringList{QStringLiteral("Information|Print job completed and sent to printer!")});
    EXPECT_EQ(w.Modified(), modified);
    EXPECT_TRUE(w.PageWidget()->PageZoom() == zoom);
    EXPECT_FALSE(w.CalendarPanel()->SuppressPainting());
}

TEST_F(PrintWindowTest, AFailingJobIsReportedAndPaintingComesBack)
{
    TCalendarMain& w = startWithPage();
    w.SetModified(true);
    const Zoom zoom = w.PageWidget()->PageZoom();
    m_fail = true;
    w.PrintClick();
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].startsWith(QStringLiteral("Error|Unable to print the calendar."))) << m_messages[0].toStdString();
    EXPECT_FALSE(m_messages[0].contains(QStringLiteral("completed")));
    EXPECT_TRUE(w.Modified());
    EXPECT_TRUE(w.PageWidget()->PageZoom() == zoom);
    EXPECT_FALSE(w.CalendarPanel()->SuppressPainting());
    const int painted = w.PageWidget()->PaintCount();
    w.PageWidget()->update();
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.PageWidget()->PaintCount() > painted; }));
}

TEST_F(PrintWindowTest, SaveAsPdfAndPngFiles)
{
    TCalendarMain& w = startWithPage();
    const bool modified = w.Modified();
    QString chosen;
    w.SetSaveFileChooser([&](const FileDialogSpec& options) {
        EXPECT_TRUE(options.proposedName.endsWith(QLatin1Char('.') + options.defaultSuffix));
        return m_dir.filePath(QStringLiteral("Out.") + options.defaultSuffix);
    });
    const PrintRangeChooser oldRange = SetPrintRangeChooser([](PrintJobOptions& o, const TCalendarPanel32&, QWidget*) {
        o.Count = 3;
        return true;
    });
    w.SaveAsPdfClick();
    SetPrintRangeChooser(oldRange);
    QFile pdf(m_dir.filePath("Out.PDF"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n"), 3);
    EXPECT_EQ(m_messages, QStringList{QStringLiteral("Information|Saved as ") + m_dir.filePath("Out.PDF")});
    EXPECT_EQ(w.Modified(), modified);

    m_messages.clear();
    const ResolutionChooser oldResolution = SetResolutionChooser([](int, QWidget*) { return 150; });
    w.SaveAsPngClick();
    SetResolutionChooser(oldResolution);
    const QImage png(m_dir.filePath("Out.PNG"));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(qRound(png.dotsPerMeterX() * 0.0254), 150);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains(QStringLiteral("150 dots per inch")));
}

// The configuration report's printers come from the printing system:
// whatever printers this machine has, the default one is among them.
TEST(InstalledPrinters, TheDefaultPrinterIsAmongThem)
{
    QString defaultPrinter = QStringLiteral("unset");
    const QList<PrinterFact> printers = InstalledPrinters(&defaultPrinter);
    EXPECT_NE(defaultPrinter, QStringLiteral("unset"));
    if (!defaultPrinter.isEmpty()) {
        bool listed = false;
        for (const PrinterFact& p : printers)
            listed = listed || p.name == defaultPrinter;
        EXPECT_TRUE(listed);
    }
    for (const PrinterFact& p : printers)
        EXPECT_TRUE(QStringList({"idle", "printing", "stopped", "error"}).contains(p.state)) << p.state.toStdString();
}
