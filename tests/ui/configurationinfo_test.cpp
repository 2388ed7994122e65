// The configuration report window: the report in its text box, the status
// line while gathering, "Copy to Clipboard", "Save As..." and their messages,
// and the Help menu item that opens it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "common/testutil.h"
#include "core/screen.h"
#include "stream/preferences.h"
#include "ui/tcalendarmain.h"
#include "ui/tconfigurationinfo.h"
#include "ui/uiutil.h"

using namespace dayloom;

namespace {

ConfigurationFacts fixedFacts(const StatusCallback& status, QStringList* shown,
                              const TConfigurationInfo* window)
{
    // What the status line shows while each step runs.
    for (const char* step : {"Finding Linux Version...", "Finding memory info...",
                             "Finding printer info..."}) {
        status(QString::fromLatin1(step));
        if (shown && window)
            *shown << window->StatusText();
    }
    ConfigurationFacts f;
    f.system.distribution = QStringLiteral("Debian GNU/Linux 12 (bookworm)");
    f.system.machine = QStringLiteral("x86_64");
    f.system.path = QStringLiteral("/usr/bin:/bin");
    f.printers = {{QStringLiteral("Office"), QStringLiteral("HP LaserJet"), QString(),
                   QStringLiteral("idle")}};
    f.defaultPrinter = QStringLiteral("Office");
    return f;
}

class ConfigurationInfoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SetProgramDir(m_dir.path());
        m_oldHook = SetMessageHook([this](const MessageRequest& r) {
            m_messages << r.caption + QStringLiteral("|") + r.text;
            return QMessageBox::Ok;
        });
        m_settings.MainZoom = 80;
        m_settings.IconFile = QStringLiteral("/x/MISC2.ICL");
    }
    void TearDown() override { SetMessageHook(m_oldHook); }

    // A window whose report is built from fixed facts at a fixed time.
    std::unique_ptr<TConfigurationInfo> window()
    {
        auto w = std::make_unique<TConfigurationInfo>(m_settings);
        TConfigurationInfo* raw = w.get();
        w->SetGatherer([this, raw](const StatusCallback& status) {
            return fixedFacts(status, &m_statuses, raw);
        });
        w->SetNow(QDateTime(QDate(2025, 12, 8), QTime(9, 0)));
        w->BuildReport();
        return w;
    }

    QTemporaryDir m_dir;
    MessageHook m_oldHook;
    QStringList m_messages;
    QStringList m_statuses;
    ConfigurationSettings m_settings;
};

}  // namespace

TEST_F(ConfigurationInfoTest, ReportFillsTheReadOnlyBoxWhileTheStatusLineFollowsTheSteps)
{
    auto w = window();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Configuration Information"));
    EXPECT_EQ(m_statuses, (QStringList{"Finding Linux Version...", "Finding memory info...",
                                       "Finding printer info..."}));
    EXPECT_TRUE(w->StatusText().isEmpty());  // cleared when the report is complete
    EXPECT_TRUE(w->Memo()->isReadOnly());
    const QStringList lines = w->Memo()->toPlainText().split(u'\n');
    EXPECT_EQ(lines, w->ReportLines());
    EXPECT_EQ(lines.value(2), QStringLiteral("[Product]"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Office=HP LaserJet,,idle")));
    EXPECT_TRUE(lines.contains(QStringLiteral("LastZoom:    \t80/30")));
    EXPECT_EQ(lines.last(), QStringLiteral("ShowHint:   :\t1"));
    // The three buttons, and nothing else that could change the system.
    for (const char* name : {"CopyButton", "SaveAsButton", "CloseButton"})
        EXPECT_NE(w->findChild<QPushButton*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(w->findChild<QPushButton*>(QStringLiteral("CopyButton"))->text(),
              QStringLiteral("Copy to Clipboard"));
    EXPECT_EQ(w->findChild<QPushButton*>(QStringLiteral("SaveAsButton"))->text(),
              QStringLiteral("Save As..."));
    w->resize(720, 560);
    w->show();
    dayloom::test::SaveShot(w->grab().toImage(), QStringLiteral("configuration_info"));
}

TEST_F(ConfigurationInfoTest, CopyToClipboardPutsTheWholeReportThereAndSaysSo)
{
    auto w = window();
    QApplication::clipboard()->clear();
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("CopyButton")), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), ConfigurationReport::Text(w->ReportLines()));
    EXPECT_EQ(m_messages, QStringList{QStringLiteral(
                              "Configuration Information|Information copied to the clipboard")});
}

TEST_F(ConfigurationInfoTest, SaveAsWritesTheReportAndNamesTheFile)
{
    auto w = window();
    FileDialogSpec asked;
    const QString target = m_dir.filePath(QStringLiteral("report.TXT"));
    w->SetSaveFileChooser([&](const FileDialogSpec& desc) {
        asked = desc;
        return target;
    });
    const QString firstFolder = StartFolder(FolderKind::Exports, QString());
    w->SaveAsClick();
    EXPECT_EQ(asked.filter, QStringLiteral("Text files (*.TXT *.txt)"));
    EXPECT_EQ(asked.defaultSuffix, QStringLiteral("TXT"));
    // Nothing used yet: the documents folder; then the report's folder.
    EXPECT_EQ(asked.directory, firstFolder);
    EXPECT_NE(asked.directory, m_dir.path());
    QFile saved(target);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), ConfigurationReport::Text(w->ReportLines()));
    EXPECT_EQ(m_messages, QStringList{QStringLiteral("Configuration Information|Information was "
                                                     "saved as: ") +
                                      target});

    // Cancelling the dialog writes nothing and says nothing.
    m_messages.clear();
    w->SetSaveFileChooser([&](const FileDialogSpec& desc) {
        asked = desc;
        return QString();
    });
    w->SaveAsClick();
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(asked.directory, m_dir.path());
}

TEST_F(ConfigurationInfoTest, SaveAsThatCannotWriteSaysSoInsteadOfClaimingSuccess)
{
    auto w = window();
    // A folder of that name, and a device: neither is replaced.
    const QString folder = m_dir.filePath(QStringLiteral("taken.TXT"));
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const QString& target : {folder, QStringLiteral("/dev/null"),
                                  m_dir.filePath(QStringLiteral("missing/report.TXT"))}) {
        m_messages.clear();
        w->SetSaveFileChooser([&target](const FileDialogSpec&) { return target; });
        w->SaveAsClick();
        EXPECT_EQ(m_messages,
                  QStringList{QStringLiteral("Configuration Information|Unable to save ") + target});
    }
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_FALSE(QFileInfo(QStringLiteral("/dev/null")).isFile());
}

TEST_F(ConfigurationInfoTest, HelpMenuOpensTheReportWithTheWindowsPreferences)
{
    TCalendarMain main;
    main.show();
    QAction* item = nullptr;
    for (QAction* a : main.HelpMenu()->actions())
        if (a->text() == QLatin1String("Configuration Information"))
            item = a;
    ASSERT_NE(item, nullptr);
    // The window is shown while the report is gathered, then runs modally:
    // answer it once its report is there.
    QStringList lines;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&lines] {
        auto* info = qobject_cast<TConfigurationInfo*>(QApplication::activeModalWidget());
        if (!info || info->ReportLines().isEmpty())
            return;
        lines = info->ReportLines();
        dayloom::test::SaveShot(info->grab().toImage(), QStringLiteral("configuration_info_system"));
        info->close();
    });
    poll.start(10);
    item->trigger();
    poll.stop();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.contains(QStringLiteral("LastZoom:    \t%1/%2")
                                   .arg(main.MainZoom())
                                   .arg(main.PropZoom())));
    EXPECT_TRUE(lines.contains(QStringLiteral("LastIconFile:\t") + main.IconFile()));
    // Tests run without a display (unless run on one to take screenshots).
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        EXPECT_TRUE(lines.contains(QStringLiteral("Video:       \tNo display was found")));
    }
}
