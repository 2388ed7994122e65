#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCharFormat>
#include <QTimer>
#include <QToolButton>

#include "core/screen.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"
#include "ui/tfloatingpalette.h"
#include "ui/properties/datepicker.h"
#include "ui/properties/tcalendarproperties.h"
#include "ui/tcalendarmain.h"
#include "ui/uiutil.h"

using namespace dayloom;

namespace {

// The main window with the real properties dialog, answered from a timer
// once the modal dialog is up.
class PropertiesCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SetProgramDir(m_dir.path());
        m_oldHook = SetMessageHook([this](const MessageRequest& r) {
            m_messages << r.caption + QStringLiteral("|") + r.text;
            return (r.buttons & QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
        });
        m_window = std::make_unique<TCalendarMain>();
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !m_window->Loading(); }));
    }
    void TearDown() override
    {
        m_window.reset();
        SetMessageHook(m_oldHook);
    }

    // Runs command while act answers the dialog it opens; false when no
    // dialog came up.
    bool withDialog(const std::function<void()>& command,
                    const std::function<void(TCalendarProperties&)>& act)
    {
        bool seen = false;
        QTimer timer;
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* d = qobject_cast<TCalendarProperties*>(w);
                if (d && d->isVisible() && !seen) {
                    seen = true;
                    timer.stop();
                    act(*d);
                    if (d->isVisible())
                        d->reject();  // never leave a test hanging
                    return;
                }
            }
        });
        timer.start();
        command();
        return seen;
    }
    static void ok(TCalendarProperties& d) { d.findChild<QPushButton*>("OkButton")->click(); }
    static void cancel(TCalendarProperties& d)
    {
        d.findChild<QPushButton*>("CancelButton")->click();
    }
    void newCalendar()
    {
        ASSERT_TRUE(withDialog([this] { m_window->FileNewClick(); }, ok));
    }
    TCalendarPanel32& page() { return *m_window->CalendarPanel(); }

    QTemporaryDir m_dir;
    MessageHook m_oldHook;
    QStringList m_messages;
    std::unique_ptr<TCalendarMain> m_window;
};

TEST_F(PropertiesCommandTest, NewThroughTheDialogGivesAnUntitledDefaultPage)
{
    bool wasNew = false;
    ASSERT_TRUE(withDialog([this] { m_window->FileNewClick(); },
                           [&](TCalendarProperties& d) {
                               // Opened as a new calendar: the defaults, today's date.
                               wasNew = d.ExampleCalendar()->CalendarLayout() ==
                                            loFCMinisInTitleLS &&
                                        d.ExampleCalendar()->MainCalDay() ==
                                            QDate::currentDate().day();
                               d.LayoutList()->setCurrentRow(0);
                               ok(d);
                           }));
    EXPECT_TRUE(wasNew);
    EXPECT_TRUE(m_window->PageShown());
    EXPECT_TRUE(m_window->Modified());
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Dayloom [untitled]"));
    EXPECT_EQ(page().CalendarLayout(), LOFullCalendarLS);
}

TEST_F(PropertiesCommandTest, OkCopiesSettingsAndMarksModifiedOnlyOnARealChange)
{
    newCalendar();
    m_window->SetModified(false);
    const int propZoom = m_window->PropZoom();

    // OK without a change: not modified. The palette is away meanwhile.
    bool paletteAway = false;
    ASSERT_TRUE(withDialog([this] { m_window->PropertiesClick(); },
                           [&](TCalendarProperties& d) {
                               paletteAway = !m_window->FloatingPalette()->isShowing();
                               d.ZoomInClick();
                               ok(d);
                           }));
    EXPECT_TRUE(paletteAway);
    EXPECT_FALSE(m_window->Modified());
    EXPECT_EQ(m_window->PropZoom(), propZoom + 10);

    // Cancel after changes: the page keeps every setting.
    TCalendarPanel32 before;
    before.CopySettingsFrom(page());
    ASSERT_TRUE(withDialog([this] { m_window->PropertiesClick(); },
                           [&](TCalendarProperties& d) {
                               d.HeaderStyleList()->setCurrentRow(0);
                               d.LayoutList()->setCurrentRow(6);
                               cancel(d);
                           }));
    EXPECT_TRUE(page().SameSettings(before));
    EXPECT_FALSE(m_window->Modified());

    // OK after a change: copied, modified.
    ASSERT_TRUE(withDialog([this] { m_window->PropertiesClick(); },
                           [&](TCalendarProperties& d) {
                               d.HeaderStyleList()->setCurrentRow(0);
                               ok(d);
                           }));
    EXPECT_EQ(page().HeadersStyle(), dsFirstChar);
    EXPECT_TRUE(m_window->Modified());
}

TEST_F(PropertiesCommandTest, CellsAreClearedWhenTheMonthOrTheKindOfLayoutChanges)
{
    newCalendar();
    auto fill = [this] {
        TWPRtfStorage text;
        QTextCharFormat fmt;
        fmt.setFontPointSize(10);
        text.AppendParagraph(QStringLiteral("Birthday"), fmt);
        page().SetCellText(12, text);
        ASSERT_TRUE(page().HasCellText());
    };
    fill();
    // Another one-month layout in the same month keeps the text.
    ASSERT_TRUE(withDialog([this] { m_window->PropertiesClick(); },
                           [](TCalendarProperties& d) {
                               d.LayoutList()->setCurrentRow(3);
                               ok(d);
                           }));
    EXPECT_EQ(page().CalendarLayout(), loFC12AfterLS);
    EXPECT_TRUE(page().HasCellText());

    ASSERT_TRUE(withDialog([this] { m_window->PropertiesClick(); },
                           [](TCalendarProperties& d) {
                               d.Picker()->NextMonth();
                               ok(d);
                           }));
    EXPECT_FALSE(page().HasCellText());

    // A planner: the dialog warns first; Yes is not given, so nothing changes.
    fill();
    const TCalendarLayout layout = page().CalendarLayout();
    m_messages.clear();
    ASSERT_TRUE(withDialog([this] { m_window->PropertiesClick(); },
                           [](TCalendarProperties& d) {
                               d.LayoutList()->setCurrentRow(9);
                               ok(d);  // No: stays open, the helper cancels
                           }));
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].startsWith(QStringLiteral("WARNING|Warning: changing")));
    EXPECT_EQ(page().CalendarLayout(), layout);
    EXPECT_TRUE(page().HasCellText());
}

TEST_F(PropertiesCommandTest, NewThenCancelLeavesTheOpenDocumentAsItWas)
{
    TCalendarPanel32 doc;
    TCalendarPanel32::ApplyMainWindowDescription(doc);
    doc.SetCalendarLayout(loFC6Before6After);
    doc.SetHeadersStyle(dsFirstChar);
    const QString path = m_dir.path() + QStringLiteral("/Plans.DLF");
    CalendarDocument::SaveToFile(doc, path);
    m_window->OpenCalendarFile(path);
    ASSERT_EQ(m_window->CurrentFile(), path);
    for (bool modified : {false, true}) {
        m_window->SetModified(modified);
        const QString title = m_window->windowTitle();
        TCalendarPanel32 before;
        before.CopySettingsFrom(page());
        m_messages.clear();
        ASSERT_TRUE(withDialog([this] { m_window->FileNewClick(); },
                               [](TCalendarProperties& d) {
                                   d.LayoutList()->setCurrentRow(8);
                                   cancel(d);
                               }));
        // A modified document was offered for saving first (answered No).
        EXPECT_EQ(m_messages.size(), modified ? 1 : 0);
        EXPECT_EQ(m_window->CurrentFile(), path);
        EXPECT_EQ(m_window->windowTitle(), title);
        EXPECT_EQ(m_window->Modified(), modified);
        EXPECT_TRUE(page().SameSettings(before));
        EXPECT_EQ(page().CalendarLayout(), loFC6Before6After);
        EXPECT_TRUE(m_window->PageShown());
    }
}

}  // namespace
