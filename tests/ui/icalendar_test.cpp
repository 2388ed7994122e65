// The window's iCalendar commands and the recurring-date list's "Import...".

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "common/testutil.h"
#include "core/cp1252.h"
#include "core/screen.h"
#include "dates/recurringdates.h"
#include "dates/recurringlistfile.h"
#include "stream/preferences.h"
#include "ical/icalendarfile.h"
#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"
#include "ui/calendarpagewidget.h"
#include "ui/celltexteditor.h"
#include "ui/icalendarcommands.h"
#include "ui/recurring/recurringdialogs.h"
#include "ui/recurring/teditrecurringdates.h"
#include "ui/recurring/timportrecurringdates.h"
#include "ui/tcalendarmain.h"
#include "ui/uiutil.h"

using namespace dayloom;

namespace {

QString fixture(const char* name) { return test::DataPath(QStringLiteral("ical/") + QLatin1String(name)); }

QStringList cellLines(TCalendarPanel32* page, int cell)
{
    const TWPRtfStorage* s = page->CellStore(cell);
    return s->IsEmpty() ? QStringList() : s->Document().toPlainText().split(QChar(u'\n'));
}

QAction* fileAction(TCalendarMain& w, const char* text)
{
    for (QAction* a : w.FileMenu()->actions())
        if (a->text() == QLatin1String(text))
            return a;
    ADD_FAILURE() << "no menu item " << text;
    return nullptr;
}

class ICalendarWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SetProgramDir(m_dir.path());
        SetScreenPPI(96);
        m_oldTz = qgetenv("TZ");
        qputenv("TZ", "Europe/Berlin");
        tzset();
        m_oldHook = SetMessageHook([this](const MessageRequest& r) {
            messages << r.text;
            return QMessageBox::Ok;
        });
        m_oldChooser = SetICalendarFileChooser([this](const FileDialogSpec& desc) {
            asked << desc.title;
            startedIn << desc.directory;
            return chosen;
        });
    }
    void TearDown() override
    {
        m_window.reset();
        SetMessageHook(m_oldHook);
        SetICalendarFileChooser(m_oldChooser);
        SetRecurringDialogRunner({});
        qputenv("TZ", m_oldTz);
        tzset();
    }

    // A window with a new March 2024 page, active, painted.
    TCalendarMain& start()
    {
        m_window = std::make_unique<TCalendarMain>();
        TCalendarMain& w = *m_window;
        w.SetPropertiesRunner([](TCalendarPanel32& p, bool) {
            p.SetMainCalYear(2024);
            p.SetMainCalMonth(3);
            return true;
        });
        w.resize(1100, 900);
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !w.Loading(); }));
        w.FileNewClick();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.PageWidget()->PaintCount() > 0; }));
        page = w.CalendarPanel();
        return w;
    }

    QTemporaryDir m_dir;
    QByteArray m_oldTz;
    MessageHook m_oldHook;
    FileChooser m_oldChooser;
    std::unique_ptr<TCalendarMain> m_window;
    TCalendarPanel32* page = nullptr;
    QStringList messages, asked, startedIn;
    QString chosen;
};

}  // namespace

TEST_F(ICalendarWindowTest, ImportCommitsTheOpenCellFillsTheMonthAndCounts)
{
    TCalendarMain& w = start();
    QStringList menu;
    for (QAction* a : w.FileMenu()->actions())
        menu << a->text();
    EXPECT_EQ(menu.indexOf("Import iCalendar File..."), menu.indexOf("Fill Calendar with Recurring Dates") + 1);
    EXPECT_EQ(menu.indexOf("Export Cell Texts as iCalendar..."), menu.indexOf("Save As PNG File") + 1);
    w.SetModified(false);

    // Cancelled in the file dialog: nothing happens.
    chosen.clear();
    fileAction(w, "Import iCalendar File...")->trigger();
    EXPECT_EQ(asked, QStringList{"Import iCalendar File"});
    EXPECT_FALSE(page->HasCellText());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(w.Modified());

    // The 12th is open with typed text: it is committed first (so the typed
    // wedding day is not added again) and is the current cell afterwards.
    const int cell12 = page->DayCell(12);
    page->CellClick(cell12);
    QTest::keyClicks(w.CellEditor(), QStringLiteral("Dentist"));
    QTest::keyClick(w.CellEditor(), Qt::Key_Return);
    w.CellEditor()->insertPlainText(QString::fromUtf8("Hochzeitstag Jiří & Eva"));
    w.SetModified(false);
    chosen = fixture("outlook.ics");
    fileAction(w, "Import iCalendar File...")->trigger();
    const QString at10 = QLocale().toString(QTime(10, 0), QLocale::ShortFormat);
    EXPECT_EQ(cellLines(page, cell12),
              (QStringList{"Dentist", QString::fromUtf8("Hochzeitstag Jiří & Eva"),
                           at10 + QString::fromUtf8(" Abteilungsrunde – Quartal & Budget")}));
    EXPECT_EQ(cellLines(page, page->DayCell(18)).size(), 1);
    EXPECT_TRUE(w.Modified());
    EXPECT_TRUE(w.EditingCell());
    EXPECT_EQ(w.CurrentCell(), cell12);
    // Yoga on the 4th, 18th and 25th; one new entry on the 12th.
    EXPECT_EQ(messages, QStringList{"4 entries placed in 4 days of March 2024\n1 entry was already there"});

    // The same file again: nothing changes, and the document stays saved.
    w.DoSaveRichtext();
    w.SetModified(false);
    messages.clear();
    fileAction(w, "Import iCalendar File...")->trigger();
    EXPECT_FALSE(w.Modified());
    EXPECT_EQ(messages, QStringList{"0 entries placed in 0 days of March 2024\n5 entries were already there"});
    EXPECT_EQ(cellLines(page, cell12).size(), 3);

    // A month without events, and a file that is not iCalendar.
    messages.clear();
    page->SetMainCalYear(2023);
    fileAction(w, "Import iCalendar File...")->trigger();
    EXPECT_EQ(messages, QStringList{"No event of outlook.ics falls in March 2023"});
    QFile notes(m_dir.filePath("notes.ics"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("shopping list\n");
    notes.close();
    chosen = notes.fileName();
    messages.clear();
    fileAction(w, "Import iCalendar File...")->trigger();
    EXPECT_EQ(messages, QStringList{"Unable to import " + notes.fileName() + ": not an iCalendar file"});
    EXPECT_FALSE(w.Modified());

    page->SetMainCalYear(2024);
    w.PageWidget()->update();
    QTest::qWait(50);
    test::SaveShot(w.grab().toImage(), QStringLiteral("icalendar_import_march"));
}

TEST_F(ICalendarWindowTest, ExportWritesTheMonthAndBothCommandsNeedAMonthPage)
{
    TCalendarMain& w = start();
    chosen = fixture("google.ics");
    fileAction(w, "Import iCalendar File...")->trigger();
    const QString out = m_dir.filePath("march.ics");
    chosen = out;
    messages.clear();
    fileAction(w, "Export Cell Texts as iCalendar...")->trigger();
    EXPECT_EQ(asked.last(), QStringLiteral("Export Cell Texts as iCalendar"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Saved as " + out)) << messages[0].toStdString();
    const ICalendarFile back = ICalendarFile::FromFile(out);
    int entries = 0;
    for (const ICalendarDayEntry& e : back.MonthEntries(2024, 3)) {
        EXPECT_TRUE(cellLines(page, page->DayCell(e.Day)).contains(e.Summary)) << e.Summary.toStdString();
        ++entries;
    }
    EXPECT_EQ(messages[0], "Saved as " + out + "\n" + QString::number(entries) + " events");

    for (TCalendarLayout layout : {loWeek, loDay15, loMC12Month}) {
        page->SetCalendarLayout(layout);
        w.SetButtons();
        EXPECT_FALSE(fileAction(w, "Import iCalendar File...")->isEnabled()) << layout;
        EXPECT_FALSE(fileAction(w, "Export Cell Texts as iCalendar...")->isEnabled()) << layout;
    }
    page->SetCalendarLayout(loFCMinisInTitle);
    w.SetButtons();
    EXPECT_TRUE(fileAction(w, "Import iCalendar File...")->isEnabled());
    EXPECT_TRUE(fileAction(w, "Export Cell Texts as iCalendar...")->isEnabled());
}

TEST_F(ICalendarWindowTest, RecurringListImportOffersWhatMapsAndNamesWhatDoesNot)
{
    SaveRecurringList({MakeEntry("anna's birthday", "@0312")}, ProgramDir());
    TEditRecurringDates editor(LoadRecurringList(ProgramDir()), ProgramDir());
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));

    QStringList offered, skipped;
    int ticked = 0;
    SetRecurringDialogRunner([&](QDialog& d) {
        auto* import = qobject_cast<TImportRecurringDates*>(&d);
        EXPECT_NE(import, nullptr);
        if (!import)
            return int(QDialog::Rejected);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Import Recurring Dates"));
        import->show();
        for (int i = 0; i < import->List()->count(); ++i) {
            offered << import->List()->item(i)->text();
            ticked += import->List()->item(i)->isSelected() ? 1 : 0;
        }
        for (int i = 0; i < import->SkippedList()->count(); ++i)
            skipped << import->SkippedList()->item(i)->text();
        // Untick the wedding day with a click, then Ok.
        for (int i = 0; i < import->List()->count(); ++i) {
            if (import->List()->item(i)->text().startsWith("Hochzeitstag")) {
                const QRect r = import->List()->visualItemRect(import->List()->item(i));
                QTest::mouseClick(import->List()->viewport(), Qt::LeftButton, {}, r.center());
            }
        }
        QTest::mouseClick(import->findChild<QPushButton*>("OkButton"), Qt::LeftButton);
        return import->result();
    });

    for (const char* name : {"google.ics", "outlook.ics"}) {
        chosen = fixture(name);
        QTest::mouseClick(editor.findChild<QPushButton*>("ImportButton"), Qt::LeftButton);
    }
    // Google: the birthday maps (and matches the list's entry ignoring
    // case); the stand-up has exclusions. Outlook: two map, Yoga counts.
    EXPECT_EQ(offered, (QStringList{"Anna's birthday (12th of March)",
                                    QString::fromUtf8("Abteilungsrunde – Quartal & Budget (2nd Tue of Each Month)"),
                                    "Hochzeitstag Ji?\u00ed & Eva (12th of March)"}));
    EXPECT_EQ(ticked, 3);
    EXPECT_EQ(skipped, (QStringList{"Team stand-up: has excluded dates (EXDATE)",
                                    "2 events that happen once",
                                    "Yoga: ends after 6 times (COUNT)"}));
    // Google's birthday was ticked but is known; Outlook's wedding day was
    // unticked.
    QStringList texts;
    for (const QString& e : editor.Entries())
        texts << EntryListText(e);
    EXPECT_EQ(texts, (QStringList{QString::fromUtf8("Abteilungsrunde – Quartal & Budget (2nd Tue of Each Month)"),
                                  "anna's birthday (12th of March)"}));

    // Ok writes the list in Windows-1252.
    chosen = fixture("outlook.ics");
    SetRecurringDialogRunner([](QDialog& d) {
        auto* import = qobject_cast<TImportRecurringDates*>(&d);
        import->OKButtonClick();
        return import->result();
    });
    QTest::mouseClick(editor.findChild<QPushButton*>("ImportButton"), Qt::LeftButton);
    editor.OKButtonClick();
    const QByteArray file = test::ReadFile(RecurringListPath(ProgramDir()));
    EXPECT_TRUE(file.contains("Hochzeitstag Ji?\xED & Eva")) << file.constData();
    EXPECT_TRUE(file.contains("Abteilungsrunde \x96 Quartal"));
    EXPECT_EQ(LoadRecurringList(ProgramDir()).size(), 3);
}

// Both commands remember the folder of the last iCalendar file in DL.ini
// ([Folders] Calendars); an export starts beside the open document, as the
// picture exports do.
TEST_F(ICalendarWindowTest, TheDialogsStartInTheFolderOfTheLastCalendarFile)
{
    TCalendarMain& w = start();
    chosen = fixture("google.ics");
    fileAction(w, "Import iCalendar File...")->trigger();
    const QString fixtures = QFileInfo(chosen).absolutePath();
    EXPECT_EQ(ReadLastFolder(FolderKind::Calendars), fixtures);

    QTemporaryDir exports;
    chosen = exports.filePath("march.ics");
    fileAction(w, "Export Cell Texts as iCalendar...")->trigger();
    ASSERT_EQ(startedIn.size(), 2);
    EXPECT_EQ(startedIn[1], fixtures);  // a new document has no folder of its own
    EXPECT_EQ(ReadLastFolder(FolderKind::Calendars), exports.path());

    chosen.clear();  // cancelled: nothing changes
    fileAction(w, "Import iCalendar File...")->trigger();
    ASSERT_EQ(startedIn.size(), 3);
    EXPECT_EQ(startedIn[2], exports.path());
    EXPECT_EQ(ReadLastFolder(FolderKind::Calendars), exports.path());

    // A saved document's folder comes first for the export.
    QTemporaryDir documents;
    const QString saved = documents.filePath("Family.DLF");
    ASSERT_TRUE(w.SaveCalendarFile(saved));
    ASSERT_EQ(w.CurrentFile(), saved);
    fileAction(w, "Export Cell Texts as iCalendar...")->trigger();
    ASSERT_EQ(startedIn.size(), 4);
    EXPECT_EQ(startedIn[3], documents.path());
}
