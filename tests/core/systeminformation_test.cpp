#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "common/testutil.h"
#include "core/systeminformation.h"

using namespace dayloom;
using namespace dayloom::sysinfo;

TEST(SystemInformation, OsReleaseNamesTheDistributionHoweverItIsQuoted)
{
    EXPECT_EQ(OsReleaseName("NAME=\"Debian GNU/Linux\"\nVERSION_ID=\"12\"\n"
                            "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"),
              QStringLiteral("Debian GNU/Linux 12 (bookworm)"));
    // Single quotes, escapes inside double quotes, comments and CR LF.
    EXPECT_EQ(OsReleaseName("# comment\r\nPRETTY_NAME='Fedora Linux 40'\r\n"),
              QStringLiteral("Fedora Linux 40"));
    EXPECT_EQ(OsReleaseName("PRETTY_NAME=\"Say \\\"hi\\\" \\\\ Linux\""),
              QStringLiteral("Say \"hi\" \\ Linux"));
    // Without PRETTY_NAME: NAME and VERSION; unquoted values end at a blank.
    EXPECT_EQ(OsReleaseName("NAME=Alpine\nVERSION=3.19 extra\n"), QStringLiteral("Alpine 3.19"));
    EXPECT_EQ(OsReleaseName("PRETTY_NAME=\"unterminated"), QStringLiteral("unterminated"));
    EXPECT_TRUE(OsReleaseName(QByteArray("\0\xff=\n=", 5)).isEmpty());
}

TEST(SystemInformation, ShellVariablesMatchWholeNamesAndTheLastAssignmentWins)
{
    const QByteArray text = "LANGUAGE=fr:en\n"
                            "LANG=en_GB.UTF-8\n"
                            "  export LANG=\"de_DE.UTF-8\"  # later one counts\n"
                            "XKBLAYOUT=\"us,de\"\n";
    EXPECT_EQ(ShellVariable(text, QStringLiteral("LANG")), QStringLiteral("de_DE.UTF-8"));
    EXPECT_EQ(ShellVariable(text, QStringLiteral("LANGUAGE")), QStringLiteral("fr:en"));
    EXPECT_EQ(ShellVariable(text, QStringLiteral("XKBLAYOUT")), QStringLiteral("us,de"));
    EXPECT_TRUE(ShellVariable(text, QStringLiteral("LAN")).isEmpty());
    EXPECT_TRUE(ShellVariable(text, QStringLiteral("XKBMODEL")).isEmpty());
}

TEST(SystemInformation, CpuModelComesFromTheFirstModelLineOfAnyFamily)
{
    int count = -1;
    const QByteArray x86 = "processor\t: 0\nvendor_id\t: GenuineIntel\n"
                           "model name\t: Intel(R) Core(TM)  i5-8250U CPU @ 1.60GHz\n\n"
                           "processor\t: 1\nmodel name\t: Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz\n";
    EXPECT_EQ(CpuModel(x86, &count), QStringLiteral("Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz"));
    EXPECT_EQ(count, 2);
    // A Raspberry Pi names its board in "Model"; "model name" would still win.
    const QByteArray arm = "processor\t: 0\nBogoMIPS\t: 108.00\nprocessor\t: 1\n"
                           "Model\t\t: Raspberry Pi 4 Model B Rev 1.4\n";
    EXPECT_EQ(CpuModel(arm, &count), QStringLiteral("Raspberry Pi 4 Model B Rev 1.4"));
    EXPECT_EQ(count, 2);
    EXPECT_TRUE(CpuModel("garbage without colons\n:\n", &count).isEmpty());
    EXPECT_EQ(count, 0);
}

TEST(SystemInformation, MeminfoInBytesWithFallbacksAndNoOverflow)
{
    const MemoryStatus m = ParseMeminfo("MemTotal:       16000000 kB\n"
                                        "MemFree:         1000000 kB\n"
                                        "MemAvailable:    8000000 kB\n"
                                        "SwapTotal:       2000000 kB\n"
                                        "SwapFree:        1500000 kB\n"
                                        "CommitLimit:    10000000 kB\n"
                                        "Committed_AS:    4000000 kB\n"
                                        "HugePages_Total:       0\n");
    EXPECT_TRUE(m.known);
    EXPECT_EQ(m.total, 16000000LL * 1024);
    EXPECT_EQ(m.available, 8000000LL * 1024);
    EXPECT_EQ(m.swapTotal, 2000000LL * 1024);
    EXPECT_EQ(m.swapFree, 1500000LL * 1024);
    EXPECT_EQ(m.commitLimit, 10000000LL * 1024);
    EXPECT_EQ(m.committed, 4000000LL * 1024);

    // An old kernel without MemAvailable: free plus buffers plus cache.
    const MemoryStatus old = ParseMeminfo("MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\n"
                                          "Cached: 200 kB\n");
    EXPECT_EQ(old.available, 350 * 1024);

    // Values that would overflow, negative or foreign units are skipped; an
    // available figure above the total is cut to it.
    const MemoryStatus odd = ParseMeminfo("MemTotal: 99999999999999999999 kB\n"
                                          "MemTotal: 9223372036854775807 kB\n"
                                          "SwapTotal: -5 kB\nSwapFree: 7 MB\n"
                                          "MemTotal: 10 kB\nMemAvailable: 20 kB\n");
    EXPECT_EQ(odd.total, 10 * 1024);
    EXPECT_EQ(odd.available, 10 * 1024);
    EXPECT_EQ(odd.swapTotal, 0);
    EXPECT_EQ(odd.swapFree, 0);
    EXPECT_FALSE(ParseMeminfo("nothing here").known);
}

TEST(SystemInformation, PointingDevicesAreTheDevicesWithAMouseHandler)
{
    const QByteArray devices = "I: Bus=0011 Vendor=0001 Product=0001 Version=ab41\n"
                               "N: Name=\"AT Translated Set 2 keyboard\"\n"
                               "H: Handlers=sysrq kbd event0 leds\n\n"
                               "I: Bus=0003 Vendor=046d Product=c077 Version=0111\n"
                               "N: Name=\"Logitech USB Optical Mouse\"\n"
                               "H: Handlers=mouse0 event3\n\n"
                               "N: Name=\"SynPS/2 Synaptics TouchPad\"\n"
                               "H: Handlers=event6 mouse1\n";
    EXPECT_EQ(PointingDevices(devices),
              (QStringList{QStringLiteral("Logitech USB Optical Mouse"),
                           QStringLiteral("SynPS/2 Synaptics TouchPad")}));
    // A handler line without a name before it names nothing.
    EXPECT_TRUE(PointingDevices("H: Handlers=mouse0\n").isEmpty());
}

TEST(SystemInformation, GatheringAnnouncesEveryStepAndNeedsNoDisplay)
{
    QStringList steps;
    const SystemFacts f = GatherSystemFacts([&steps](const QString& s) { steps << s; });
    EXPECT_EQ(steps, (QStringList{"Finding Linux Version...", "Finding processor info...",
                                  "Finding video info...", "Finding system settings info...",
                                  "Finding font size...", "Finding memory info...",
                                  "Finding language info...", "Finding country info..."}));
    // The tests run on the offscreen platform: no display, no screen facts.
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    EXPECT_FALSE(f.display);
    EXPECT_EQ(f.screenWidth, 0);
    EXPECT_FALSE(f.kernelRelease.isEmpty());
    EXPECT_GT(f.cpuCount, 0);
    EXPECT_TRUE(f.memory.known);
    EXPECT_GT(f.memory.total, 0);
    EXPECT_FALSE(f.shortDateFormat.isEmpty());
    EXPECT_EQ(f.path, qEnvironmentVariable("PATH"));
}

// The system's files go through the one reader of outside files: /proc's
// files (which report no size) are read whole, a pipe in a file's place is
// refused at once instead of waiting for a writer, and a missing file or a
// folder reads as nothing.
TEST(SystemInformation, SystemFilesAreReadWithoutWaitingOnAPipe)
{
    EXPECT_TRUE(ReadSystemFile(QStringLiteral("/proc/meminfo")).contains("MemTotal:"));
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("keyboard"));
    QFile f(plain);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("XKBLAYOUT=\"de\"\n");
    f.close();
    EXPECT_EQ(ReadSystemFile(plain), QByteArray("XKBLAYOUT=\"de\"\n"));
    const QString pipe = dayloom::test::MakeFifo(dir.filePath(QStringLiteral("fifo")));
    ASSERT_FALSE(pipe.isEmpty());
    EXPECT_TRUE(ReadSystemFile(pipe).isEmpty());
    EXPECT_TRUE(ReadSystemFile(dir.filePath(QStringLiteral("missing"))).isEmpty());
    EXPECT_TRUE(ReadSystemFile(dir.path()).isEmpty());
}
