// Test entry point: every test program runs on the offscreen platform at a
// fixed 96 pixels per inch, with a GUI (or widgets) application alive.
#include <gtest/gtest.h>

#include <QLocale>
#include <QTemporaryDir>

#ifdef DAYLOOM_TEST_WIDGETS
#include <QApplication>
using TestApp = QApplication;
#else
#include <QGuiApplication>
using TestApp = QGuiApplication;
#endif

#include "core/screen.h"

namespace {

// Every test starts in the program's own temporary folder, whatever folder
// the test before it chose (and removed with its fixture), so that a whole
// test program run in one process behaves as its tests run one by one.
class ProgramDirPerTest : public ::testing::EmptyTestEventListener {
public:
    explicit ProgramDirPerTest(QString folder) : m_folder(std::move(folder)) {}
    void OnTestStart(const ::testing::TestInfo&) override { dayloom::SetProgramDir(m_folder); }

private:
    QString m_folder;
};

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TestApp app(argc, argv);
    dayloom::SetScreenPPI(96);
    QTemporaryDir programDir;
    dayloom::SetProgramDir(programDir.path());
    // The shipped data stands in for an installation's data folder.
    dayloom::SetInstalledDataDir(QStringLiteral(DAYLOOM_SOURCE_DIR "/data"));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ProgramDirPerTest(programDir.path()));
    return RUN_ALL_TESTS();
}
