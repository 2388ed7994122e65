#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QScrollBar>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include "common/testutil.h"
#include "core/screen.h"
#include "core/zoom.h"
#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"
#include "stream/inifile.h"
#include "ui/aboutbox.h"
#include "ui/fontcolordialog.h"
#include "ui/objects/colorpicker.h"
#include "ui/calendarpagewidget.h"
#include "ui/helpwindow.h"
#include "ui/tfloatingpalette.h"
#include "stream/preferences.h"
#include "ui/placement.h"
#include "ui/recurring/recurringdialogs.h"
#include "ui/richtexttoolbar.h"
#include "ui/tcalendarmain.h"
#include "ui/uiutil.h"
#include "ui/usertitledialog.h"

using namespace dayloom;
using dayloom::test::SaveShot;

namespace {

QStringList captions(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

QAction* action(const QMenu* menu, const QString& text)
{
    for (QAction* a : menu->actions())
        if (a->text() == text)
            return a;
    ADD_FAILURE() << "no menu item " << text.toStdString();
    return nullptr;
}

// Every window test gets its own program folder and answers message boxes
// through the hook (No / OK), recording what was asked.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SetProgramDir(m_dir.path());
        SetScreenPPI(96);
        m_oldHook = SetMessageHook([this](const MessageRequest& r) {
            m_messages << r.caption + QStringLiteral("|") + r.text;
            return (r.buttons & QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
        });
    }
    void TearDown() override
    {
        m_window.reset();
        SetMessageHook(m_oldHook);
        SetScreenPPI(96);
    }

    void writeIni(const QString& section, const QString& key, const QString& value)
    {
        IniFile ini(IniFileName());
        ASSERT_TRUE(ini.WriteString(section, key, value));
    }

    TCalendarMain& start(const QStringList& args = {})
    {
        m_window = std::make_unique<TCalendarMain>(args);
        // The real properties dialog is modal; these tests take a new
        // calendar's defaults without it (tests/ui/properties_*.cpp drive it).
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

    QAction* file(const QString& text) { return action(m_window->FileMenu(), text); }
    QAction* help(const QString& text) { return action(m_window->HelpMenu(), text); }
    template <class T>
    T* child(const char* name)
    {
        T* w = m_window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    // The enabled state of every rule-driven control, by name.
    QMap<QString, bool> enabledStates()
    {
        QMap<QString, bool> s;
        for (const char* item :
             {"Fill Calendar with Recurring Dates", "User Defined Title",
              "Clear &All Cell Contents", "&Save ", "Save &As...", "&Properties",
              "Print Set&up", "Save As Bitmap File", "Save As JPG File", "P&rint Calendar",
              "&Cancel Changes"})
            s[QString::fromLatin1(item)] = file(QString::fromLatin1(item))->isEnabled();
        for (const char* button : {"IconToolButton", "PropertiesButton", "PrintButton",
                                   "ZoomInButton", "ZoomOutButton"})
            s[QString::fromLatin1(button)] = child<QWidget>(button)->isEnabled();
        s[QStringLiteral("RichTextToolBar")] = m_window->RichToolBar()->isEnabled();
        return s;
    }
    bool saveButtonVisible() { return child<QPushButton>("SaveButton")->isVisibleTo(m_window.get()); }
    bool cancelButtonVisible()
    {
        return child<QPushButton>("CancelButton")->isVisibleTo(m_window.get());
    }

    QTemporaryDir m_dir;
    MessageHook m_oldHook;
    QStringList m_messages;
    std::unique_ptr<TCalendarMain> m_window;
};

}  // namespace

TEST_F(MainWindowTest, MenusHaveTheirCaptionsOrderSeparatorsAndOneShortcut)
{
    TCalendarMain& w = start();
    EXPECT_EQ(captions(w.FileMenu()),
              (QStringList{"&New ", "&Open", "-", "&Save ", "Save &As...", "Save As Bitmap File",
                           "Save As JPG File", "Save As PDF File", "Save As PNG File",
                           "Export Cell Texts as iCalendar...", "-",
                           "&Properties", "User Defined Title", "&Cancel Changes",
                           "Clear &All Cell Contents", "&Default Editor Font", "-",
                           "Fill Calendar with Recurring Dates", "Import iCalendar File...",
                           "Edit Recurring Dates", "-",
                           "P&rint Calendar", "Print Set&up", "-", "E&xit"}));
    EXPECT_EQ(captions(w.HelpMenu()),
              (QStringList{"&Contents", "&About", "-", "Configuration Information",
                           "Technical Support", "Frequently Asked Questions", "-",
                           "&Show Hints"}));
    QStringList withShortcut;
    for (QMenu* menu : {w.FileMenu(), w.HelpMenu()})
        for (QAction* a : menu->actions())
            if (!a->shortcut().isEmpty())
                withShortcut << a->text() + QStringLiteral(" ") + a->shortcut().toString();
    EXPECT_EQ(withShortcut, QStringList{QStringLiteral("&Save  Ctrl+S")});
    EXPECT_TRUE(help("&Show Hints")->isCheckable());
    EXPECT_TRUE(help("&Show Hints")->isChecked());
}

TEST_F(MainWindowTest, ToolPanelButtonsHintsAndHiddenParts)
{
    TCalendarMain& w = start();
    const QList<std::pair<const char*, QString>> tools = {
        {"SelectionButton", "Selection tool"},
        {"LabelButton", "Label tool"},
        {"ClipArtButton", "Clip Art Tool"},
        {"RichTextButton", "Rich Text tool \nMixed fonts, colors and styles"},
        {"SuperTextButton",
         "SuperText tool \nSpecial Effects Text - fill with gradients or bitmaps"},
        {"FloatingCalendarButton",
         "Floating Calendar tool \nMini Calendar that you can place anywhere"}};
    for (const auto& [name, tip] : tools)
        EXPECT_EQ(child<QToolButton>(name)->toolTip(), tip) << name;
    EXPECT_TRUE(child<QToolButton>("SelectionButton")->isChecked());

    // One exclusive group driving the page's tool mode.
    QTest::mouseClick(child<QToolButton>("SuperTextButton"), Qt::LeftButton);
    EXPECT_EQ(w.CalendarPanel()->PanelState(), psSuperText);
    EXPECT_FALSE(child<QToolButton>("SelectionButton")->isChecked());
    QTest::mouseClick(child<QToolButton>("SelectionButton"), Qt::LeftButton);
    EXPECT_EQ(w.CalendarPanel()->PanelState(), psPointing);
    EXPECT_FALSE(child<QToolButton>("SuperTextButton")->isChecked());

    EXPECT_EQ(child<QToolButton>("ZoomInButton")->toolTip(), QStringLiteral("Zoom In"));
    EXPECT_EQ(child<QToolButton>("ZoomOutButton")->toolTip(), QStringLiteral("Zoom Out"));
    EXPECT_LT(child<QToolButton>("ZoomInButton")->y(), child<QToolButton>("ZoomOutButton")->y());
    EXPECT_EQ(child<QToolButton>("PropertiesButton")->toolTip(),
              QStringLiteral("Set/change Properties for the calendar"));
    EXPECT_EQ(child<QToolButton>("PrintButton")->toolTip(), QStringLiteral("Print the calendar"));
    EXPECT_EQ(child<QPushButton>("IconToolButton")->toolTip(),
              QStringLiteral("Show or hide the icon tool"));
    EXPECT_EQ(child<QPushButton>("SaveButton")->toolTip(),
              QStringLiteral("Save changes to the calendar"));
    EXPECT_EQ(child<QPushButton>("CancelButton")->toolTip(), QStringLiteral("Cancel all changes"));

    auto* master = child<QTextEdit>("MASTERWPRICHTEXT");
    EXPECT_FALSE(master->isVisibleTo(&w));
    EXPECT_FALSE(master->tabChangesFocus());
    EXPECT_FALSE(w.CellEditor()->isVisibleTo(&w));

    QStringList tips;
    for (QToolButton* b : w.RichToolBar()->Buttons())
        tips << b->toolTip();
    EXPECT_EQ(tips, (QStringList{"Bold Font", "Italic Font", "Underlined Font",
                                 "Left Justify Text", "Right Justify Text", "Center Text ",
                                 "Copy Text", "Cut Text", "Paste Text", "Select All"}));
    EXPECT_EQ(RichTextToolBar::FontSizes().first(), 6);
    EXPECT_EQ(w.RichToolBar()->height(), 26);
}

TEST_F(MainWindowTest, NoDocumentLeavesOnlyTheDocumentFreeCommands)
{
    TCalendarMain& w = start();
    EXPECT_FALSE(w.PageShown());
    EXPECT_FALSE(w.PageWidget()->isVisible());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Dayloom"));
    const auto states = enabledStates();
    for (auto it = states.begin(); it != states.end(); ++it)
        EXPECT_FALSE(it.value()) << it.key().toStdString();
    for (const char* usable : {"&New ", "&Open", "&Default Editor Font",
                               "Edit Recurring Dates", "E&xit"})
        EXPECT_TRUE(file(QString::fromLatin1(usable))->isEnabled()) << usable;
    for (QAction* a : w.HelpMenu()->actions())
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    EXPECT_FALSE(saveButtonVisible());
    EXPECT_FALSE(cancelButtonVisible());
    EXPECT_EQ(child<QPushButton>("IconToolButton")->text(), QStringLiteral("Show Icon Tool"));
    // Without a page the palette stays hidden and is remembered as hidden.
    EXPECT_FALSE(w.FloatingPalette()->isShowing());
    EXPECT_FALSE(w.IconsVisible());
}

TEST_F(MainWindowTest, FileNewShowsAnUntitledModifiedGridPage)
{
    TCalendarMain& w = start();
    SaveShot(w.grab().toImage(), QStringLiteral("mainwindow_no_document"));
    file("&New ")->trigger();
    EXPECT_TRUE(w.PageShown());
    EXPECT_EQ(w.PageWidget()->pos(), QPoint(5, 5));
    EXPECT_EQ(w.PageWidget()->size(), w.PageWidget()->PageSize());
    EXPECT_TRUE(w.Modified());
    EXPECT_TRUE(w.CurrentFile().isEmpty());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Dayloom [untitled]"));

    auto states = enabledStates();
    for (const char* on : {"Fill Calendar with Recurring Dates", "User Defined Title",
                           "Clear &All Cell Contents", "Save &As...", "&Properties",
                           "Print Set&up", "Save As Bitmap File", "Save As JPG File",
                           "IconToolButton", "PropertiesButton", "ZoomInButton",
                           "ZoomOutButton"})
        EXPECT_TRUE(states.take(QString::fromLatin1(on))) << on;
    // Never saved: no Save, no Cancel Changes; printing follows the printer check.
    EXPECT_FALSE(states.take(QStringLiteral("&Save ")));
    EXPECT_FALSE(states.take(QStringLiteral("&Cancel Changes")));
    EXPECT_FALSE(states.take(QStringLiteral("RichTextToolBar")));
    EXPECT_EQ(states.take(QStringLiteral("P&rint Calendar")), w.PrinterAvailable());
    EXPECT_EQ(states.take(QStringLiteral("PrintButton")), w.PrinterAvailable());
    EXPECT_TRUE(states.isEmpty());
    // "&Save" runs Save As for a modified, never saved document; no "&Cancel".
    EXPECT_TRUE(saveButtonVisible());
    EXPECT_FALSE(cancelButtonVisible());

    ASSERT_TRUE(QTest::qWaitFor([&] { return w.PageWidget()->PaintCount() > 0; }));
    SaveShot(w.grab().toImage(), QStringLiteral("mainwindow_after_new"));
}

TEST_F(MainWindowTest, IconToolButtonTogglesThePaletteAndItsCaption)
{
    TCalendarMain& w = start();
    file("&New ")->trigger();
    auto* button = child<QPushButton>("IconToolButton");
    const bool wasShowing = w.FloatingPalette()->isShowing();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_NE(w.FloatingPalette()->isShowing(), wasShowing);
    EXPECT_EQ(w.IconsVisible(), w.FloatingPalette()->isShowing());
    EXPECT_EQ(button->text(), w.FloatingPalette()->isShowing() ? QStringLiteral("Hide Icon Tool")
                                                                : QStringLiteral("Show Icon Tool"));
    // Hidden by other means: the caption follows.
    w.FloatingPalette()->show();
    w.FloatingPalette()->hide();
    EXPECT_EQ(button->text(), QStringLiteral("Show Icon Tool"));
}

TEST_F(MainWindowTest, MultiMonthLayoutHidesPaletteDisablesCellCommandsAndClearsCells)
{
    TCalendarMain& w = start();
    file("&New ")->trigger();
    w.FloatingPalette()->show();
    ASSERT_TRUE(w.GridLayout());
    TWPRtfStorage text;
    QTextCharFormat fmt;
    fmt.setFontPointSize(10);
    text.AppendParagraph(QStringLiteral("Birthday"), fmt);
    w.CalendarPanel()->SetCellText(12, text);
    ASSERT_TRUE(w.CalendarPanel()->HasCellText());

    w.SetPropertiesRunner([](TCalendarPanel32& preview, bool isNew) {
        EXPECT_FALSE(isNew);
        preview.SetCalendarLayout(loMC12Month);
        return true;
    });
    child<QToolButton>("PropertiesButton")->click();
    EXPECT_EQ(w.CalendarPanel()->CalendarLayout(), loMC12Month);
    EXPECT_FALSE(w.CalendarPanel()->HasCellText());
    EXPECT_FALSE(w.FloatingPalette()->isShowing());
    EXPECT_FALSE(w.IconsVisible());
    EXPECT_FALSE(w.GridLayout());
    for (const char* off : {"Fill Calendar with Recurring Dates", "User Defined Title",
                            "Clear &All Cell Contents"})
        EXPECT_FALSE(file(QString::fromLatin1(off))->isEnabled()) << off;
    EXPECT_FALSE(child<QPushButton>("IconToolButton")->isEnabled());
    EXPECT_TRUE(file("&Properties")->isEnabled());
    // The properties run saved the preferences.
    EXPECT_TRUE(IniFile(IniFileName()).ValueExists("Zooming", "Prop"));
}

TEST_F(MainWindowTest, CancelledNewKeepsThePreviousState)
{
    TCalendarMain& w = start();
    w.SetPropertiesRunner([](TCalendarPanel32&, bool) { return false; });
    file("&New ")->trigger();
    EXPECT_FALSE(w.PageShown());
    EXPECT_FALSE(w.Modified());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Dayloom"));
}

TEST_F(MainWindowTest, ZoomStepsStopAtTheirBounds)
{
    TCalendarMain& w = start();  // no DL.ini: 60 % -> 0.601
    EXPECT_FLOAT_EQ(w.PageWidget()->PageZoom().Factor(), 0.601f);
    EXPECT_EQ(w.ZoomCaption()->text(), QStringLiteral("60%"));
    w.ZoomSpinnerDownClick();
    EXPECT_FLOAT_EQ(w.PageWidget()->PageZoom().Factor(), 0.501f);
    EXPECT_EQ(w.ZoomCaption()->text(), QStringLiteral("50%"));
    w.ZoomSpinnerDownClick();
    EXPECT_FLOAT_EQ(w.PageWidget()->PageZoom().Factor(), 0.501f);

    m_window.reset();
    writeIni("Zooming", "Main", "90");
    TCalendarMain& w2 = start();
    file("&New ")->trigger();
    EXPECT_FLOAT_EQ(w2.PageWidget()->PageZoom().Factor(), 0.901f);
    QTest::mouseClick(child<QToolButton>("ZoomInButton"), Qt::LeftButton);
    EXPECT_FLOAT_EQ(w2.PageWidget()->PageZoom().Factor(), 1.001f);
    EXPECT_EQ(w2.ZoomCaption()->text(), QStringLiteral("100%"));
    QTest::mouseClick(child<QToolButton>("ZoomInButton"), Qt::LeftButton);
    EXPECT_FLOAT_EQ(w2.PageWidget()->PageZoom().Factor(), 1.001f);
    // The page widget follows the page's size.
    EXPECT_EQ(w2.PageWidget()->size(), w2.PageWidget()->PageSize());

    // A smaller stored zoom can be zoomed in but not out.
    m_window.reset();
    writeIni("Zooming", "Main", "10");
    TCalendarMain& w3 = start();
    EXPECT_FLOAT_EQ(w3.PageWidget()->PageZoom().Factor(), 0.201f);
    w3.ZoomSpinnerDownClick();
    EXPECT_FLOAT_EQ(w3.PageWidget()->PageZoom().Factor(), 0.201f);
    w3.ZoomSpinnerUpClick();
    EXPECT_NEAR(w3.PageWidget()->PageZoom().Factor(), 0.301f, 1e-5);
}

TEST_F(MainWindowTest, PageKeysZoomOnlyWhileTheMainWindowIsActive)
{
    TCalendarMain& w = start();
    file("&New ")->trigger();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.windowHandle(), Qt::Key_PageDown);
    EXPECT_FLOAT_EQ(w.PageWidget()->PageZoom().Factor(), 0.701f);
    QTest::keyClick(w.windowHandle(), Qt::Key_PageUp);
    EXPECT_FLOAT_EQ(w.PageWidget()->PageZoom().Factor(), 0.601f);

    QDialog dialog(&w);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.windowHandle(), Qt::Key_PageDown);
    EXPECT_FLOAT_EQ(w.PageWidget()->PageZoom().Factor(), 0.601f);
}

TEST_F(MainWindowTest, ClosingStoresZoomPreferencesAndPlacement)
{
    writeIni("Zooming", "Main", "45");
    TCalendarMain& w = start();
    EXPECT_FLOAT_EQ(w.PageWidget()->PageZoom().Factor(), 0.401f);
    EXPECT_EQ(w.PropZoom(), 30);
    EXPECT_FLOAT_EQ(Zoom::FromPercent(w.PropZoom()).Factor(), 0.301f);
    EXPECT_TRUE(w.ShowHints());
    EXPECT_EQ(w.IconFile(), ProgramDir() + QStringLiteral("MISC1.ICL"));
    w.close();
    IniFile ini(IniFileName());
    EXPECT_EQ(ini.ReadString("Zooming", "Main", {}), QStringLiteral("40"));
    EXPECT_EQ(ini.ReadString("Zooming", "Prop", {}), QStringLiteral("30"));
    EXPECT_EQ(ini.ReadString("Hints", "On", {}), QStringLiteral("1"));
    EXPECT_EQ(ini.ReadString("Icons", "File", {}), ProgramDir() + QStringLiteral("MISC1.ICL"));
    EXPECT_EQ(ini.ReadString("Default Font", "Name", {}), QStringLiteral("Arial"));
    EXPECT_EQ(ini.ReadString("Default Font", "Size", {}), QStringLiteral("10"));
    EXPECT_TRUE(ini.ValueExists("TCalendarMain_Placement", "Bottom"));
    EXPECT_FALSE(ini.ReadBool("TCalendarMain_Placement", "Maximized", true));
}

TEST_F(MainWindowTest, ClosingAModifiedDocumentAsksAndNoClosesWithoutSaving)
{
    TCalendarMain& w = start();
    file("&New ")->trigger();
    ASSERT_TRUE(w.Modified());
    m_messages.clear();
    file("E&xit")->trigger();
    EXPECT_EQ(m_messages, QStringList{QStringLiteral("Save|Save changes?")});
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(w.Modified());
    EXPECT_FALSE(w.StartupSteps().contains(QStringLiteral("save")));
}

TEST_F(MainWindowTest, StoredPlacementIsKeptOnScreen)
{
    writeIni("TCalendarMain_Placement", "Left", "-50");
    writeIni("TCalendarMain_Placement", "Top", "10");
    writeIni("TCalendarMain_Placement", "Right", "550");
    writeIni("TCalendarMain_Placement", "Bottom", "410");
    TCalendarMain& w = start();
    EXPECT_EQ(w.pos(), QPoint(1, 10));
    EXPECT_EQ(w.size(), QSize(600, 400));
}

TEST_F(MainWindowTest, HighDensityScreenHasPlacementsOfItsOwn)
{
    SetScreenPPI(120);
    writeIni("TCalendarMain_Placement", "Left", "300");
    writeIni("TCalendarMain_Placement", "Right", "700");
    writeIni("TCalendarMain_Placement", "Bottom", "400");
    writeIni("TCalendarMain_Placement120", "Left", "20");
    writeIni("TCalendarMain_Placement120", "Top", "30");
    writeIni("TCalendarMain_Placement120", "Right", "520");
    writeIni("TCalendarMain_Placement120", "Bottom", "430");
    TCalendarMain& w = start();
    EXPECT_EQ(QRect(w.pos(), w.size()), QRect(20, 30, 500, 400));
    w.move(40, 50);
    SavePlacement(&w);
    IniFile ini(IniFileName());
    EXPECT_EQ(ini.ReadInteger("TCalendarMain_Placement120", "Left", 0), 40);
    EXPECT_EQ(ini.ReadInteger("TCalendarMain_Placement", "Left", 0), 300);
}

TEST_F(MainWindowTest, UserTitleDialogSetsTheTitleOnOk)
{
    TCalendarMain& w = start();
    file("&New ")->trigger();
    w.SetModified(false);
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<UserTitleDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("User Defined Title"));
        d->Edit()->setText(QStringLiteral("Our Family"));
        d->accept();
    });
    file("User Defined Title")->trigger();
    EXPECT_EQ(w.CalendarPanel()->UserTitle(), QStringLiteral("Our Family"));
    EXPECT_TRUE(w.Modified());

    w.SetModified(false);
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    file("User Defined Title")->trigger();
    EXPECT_FALSE(w.Modified());
}

TEST_F(MainWindowTest, ShowHintsAndDefaultFontArePersisted)
{
    TCalendarMain& w = start();
    auto* zoomIn = child<QToolButton>("ZoomInButton");
    auto askForTip = [&] {
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !QToolTip::isVisible(); }));
        QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), zoomIn->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(zoomIn, &tip);
        return QToolTip::isVisible();
    };
    EXPECT_TRUE(askForTip());
    help("&Show Hints")->trigger();
    EXPECT_FALSE(w.ShowHints());
    EXPECT_FALSE(IniFile(IniFileName()).ReadBool("Hints", "On", true));
    EXPECT_FALSE(askForTip());
    QToolTip::hideText();

    w.SetFontChooser([](QFont& f, TColor& color) {
        EXPECT_EQ(f.family(), QStringLiteral("Arial"));
        EXPECT_EQ(color, clBlack);
        f = QFont(QStringLiteral("Times New Roman"), 12);
        f.setBold(true);
        color = clMaroon;
        return true;
    });
    file("&Default Editor Font")->trigger();
    IniFile ini(IniFileName());
    EXPECT_EQ(ini.ReadString("Default Font", "Name", {}), QStringLiteral("Times New Roman"));
    EXPECT_EQ(ini.ReadInteger("Default Font", "Size", 0), 12);
    EXPECT_TRUE(ini.ReadBool("Default Font", "Bold", false));
    EXPECT_FALSE(ini.ReadBool("Default Font", "Italic", true));
    EXPECT_EQ(ini.ReadInteger("Default Font", "Color", -1), int(clMaroon));
    // A cancelled dialog stores nothing new.
    w.SetFontChooser([](QFont& f, TColor& color) {
        f = QFont(QStringLiteral("Courier"), 30);
        color = clLime;
        return false;
    });
    file("&Default Editor Font")->trigger();
    EXPECT_EQ(IniFile(IniFileName()).ReadInteger("Default Font", "Size", 0), 12);
    EXPECT_EQ(IniFile(IniFileName()).ReadInteger("Default Font", "Color", -1), int(clMaroon));
}

TEST_F(MainWindowTest, DefaultEditorFontOpensTheFontAndColourDialogOnTheStoredFont)
{
    writeIni("Default Font", "Name", "Arial");
    writeIni("Default Font", "Size", "14");
    writeIni("Default Font", "Italic", "1");
    writeIni("Default Font", "Color", QString::number(clNavy));
    start();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<FontColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        QTimer::singleShot(3000, d, &QDialog::reject);  // never left open
        seen = true;
        const QFont shown = d->FontDialog()->currentFont();
        EXPECT_EQ(shown.family(), QFontInfo(QFont(QStringLiteral("Arial"))).family());
        EXPECT_EQ(shown.pointSize(), 14);
        EXPECT_TRUE(shown.italic());
        EXPECT_FALSE(shown.bold());
        EXPECT_EQ(d->ColorList()->Color(), clNavy);
        SaveShot(d->grab().toImage(), QStringLiteral("ui_default_font_dialog"));
        d->ColorList()->SetColor(clRed);
        d->ColorList()->activated(d->ColorList()->currentIndex());
        d->accept();
    });
    file("&Default Editor Font")->trigger();
    EXPECT_TRUE(seen);
    IniFile ini(IniFileName());
    EXPECT_EQ(ini.ReadInteger("Default Font", "Color", -1), int(clRed));
    EXPECT_EQ(ini.ReadString("Default Font", "Name", {}), QStringLiteral("Arial"));
    EXPECT_EQ(ini.ReadInteger("Default Font", "Size", 0), 14);
    EXPECT_TRUE(ini.ReadBool("Default Font", "Italic", false));
}

TEST_F(MainWindowTest, FirstWindowShowsTheWholePageCentredAndAStoredPlacementWins)
{
    // At 50 % the reset page fits the offscreen screen: all of it shows.
    writeIni("Zooming", "Main", "50");
    TCalendarMain& w = start();
    const QRect available = w.screen()->availableGeometry();
    auto* box = child<QScrollArea>("ScrollBox");
    const QSize page = w.PageWidget()->PageSize();
    EXPECT_GE(box->viewport()->width(), page.width() + 10);
    EXPECT_GE(box->viewport()->height(), page.height() + 10);
    EXPECT_EQ(box->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(box->verticalScrollBar()->maximum(), 0);
    const QPoint centre = QRect(w.pos(), w.size()).center();
    EXPECT_NEAR(centre.x(), available.center().x(), 2);
    EXPECT_NEAR(centre.y(), available.center().y(), 2);
    SaveShot(w.grab().toImage(), QStringLiteral("ui_first_window_50"));
    w.close();
    m_window.reset();

    // At 100 % it does not: the window takes 90 % of the screen each way.
    writeIni("Zooming", "Main", "100");
    IniFile(IniFileName()).EraseSection("TCalendarMain_Placement");
    TCalendarMain& big = start();
    EXPECT_EQ(big.size(), QSize(available.width() * 9 / 10, available.height() * 9 / 10));
    EXPECT_NEAR(QRect(big.pos(), big.size()).center().x(), available.center().x(), 2);
    big.close();
    m_window.reset();

    // What closing stored is used next time, whatever the page.
    IniFile(IniFileName()).EraseSection("TCalendarMain_Placement");
    writeIni("TCalendarMain_Placement", "Left", "30");
    writeIni("TCalendarMain_Placement", "Top", "40");
    writeIni("TCalendarMain_Placement", "Right", "330");
    writeIni("TCalendarMain_Placement", "Bottom", "240");
    TCalendarMain& placed = start();
    EXPECT_EQ(QRect(placed.pos(), placed.size()), QRect(30, 40, 300, 200));
}

TEST_F(MainWindowTest, AboutBoxNamesVersionAndBuildWidth)
{
    EXPECT_EQ(AboutBox::VersionLine(), QStringLiteral("Version 3.2q"));
    EXPECT_EQ(AboutBox::BuildLine(), sizeof(void*) == 8 ? QStringLiteral("64-bit version")
                                                        : QStringLiteral("32-bit version"));
    AboutBox box;
    auto* build = box.findChild<QLabel*>(QStringLiteral("BuildLabel"));
    ASSERT_NE(build, nullptr);
    EXPECT_EQ(build->text(), AboutBox::BuildLine());
}

TEST_F(MainWindowTest, CommandLineDocumentGetsItsExtension)
{
    {
        QFile f(m_dir.filePath("family.DLF"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    TCalendarMain& w = start({m_dir.filePath("family")});
    EXPECT_TRUE(w.StartupSteps().contains(QStringLiteral("open ") + m_dir.filePath("family.DLF")));
    m_window.reset();
    // Already holding the extension in any letter case: used unchanged.
    TCalendarMain& w2 = start({m_dir.filePath("family.dlf")});
    EXPECT_FALSE(w2.StartupSteps().join(u'|').contains(QStringLiteral(".dlf.DLF")));
}

TEST_F(MainWindowTest, ToolModesSetTheScreenCursorAndTheToolPanelRestoresOthers)
{
    TCalendarMain& w = start();
    file("&New ")->trigger();
    QWidget* panel = child<QWidget>("ToolPanel");
    w.SetToolMode(psLabel);
    EXPECT_TRUE(child<QToolButton>("LabelButton")->isChecked());
    EXPECT_EQ(ScreenCursor(), Qt::DragMoveCursor);
    QTest::mouseMove(panel, QPoint(300, 10));
    EXPECT_EQ(ScreenCursor(), Qt::DragMoveCursor);  // the drag cursor stays
    w.SetToolMode(psPointing);
    EXPECT_EQ(ScreenCursor(), Qt::ArrowCursor);
    // A leftover hourglass goes as soon as the mouse crosses the tool panel.
    ShowWaitCursor();
    QMouseEvent move(QEvent::MouseMove, QPointF(310, 12), panel->mapToGlobal(QPointF(310, 12)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(panel, &move);
    EXPECT_EQ(ScreenCursor(), Qt::ArrowCursor);
}

TEST_F(MainWindowTest, ClickOnTheShownPageReachesTheCellEvent)
{
    TCalendarMain& w = start();
    file("&New ")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.PageWidget()->PaintCount() > 0; }));
    TCalendarPanel32* page = w.CalendarPanel();
    int clicked = 0;
    QObject::connect(page, &TCalendarPanel32::ClickedInCellEvent, page,
                     [&](TRect, TRect, int cell, int, TWPRtfStorage*) { clicked = cell; });
    // The centre of the first cell that holds a day.
    int cell = page->DayCell(10);
    ASSERT_GT(cell, 0);
    const TRect r = w.PageWidget()->CellRecord(cell).rTotal;
    QTest::mouseClick(w.PageWidget(), Qt::LeftButton, Qt::NoModifier,
                      QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    EXPECT_EQ(clicked, cell);
}

TEST_F(MainWindowTest, HelpOpensPagesByContextNumber)
{
    TCalendarMain& w = start();
    help("Frequently Asked Questions")->trigger();
    HelpWindow* h = HelpWindow::Instance();
    EXPECT_TRUE(h->isVisible());
    EXPECT_EQ(h->LastContext(), 911);
    EXPECT_TRUE(h->ShownText().contains(QStringLiteral("Frequently Asked Questions")));
    help("Technical Support")->trigger();
    EXPECT_EQ(h->LastContext(), 1015);
    EXPECT_TRUE(h->ShownText().contains(QStringLiteral("Technical Support")));
    ShowHelpTopic(12345);  // no page of its own: the contents, naming the number
    EXPECT_TRUE(h->ShownText().contains(QStringLiteral("Help topic 12345")));
    EXPECT_TRUE(h->ShownText().contains(QStringLiteral("Your first calendar")));  // the contents
    help("&Contents")->trigger();
    EXPECT_EQ(h->LastContext(), 0);
    EXPECT_TRUE(h->ShownText().startsWith(QStringLiteral("Dayloom Help")));
    h->close();
    Q_UNUSED(w);
}

TEST_F(MainWindowTest, EditRecurringDatesHidesThePaletteWhileItsDialogIsOpen)
{
    TCalendarMain& w = start();
    file("&New ")->trigger();
    w.FloatingPalette()->show();
    bool paletteDuring = true;
    QString caption;
    const RecurringDialogRunner old = SetRecurringDialogRunner([&](QDialog& d) {
        paletteDuring = w.FloatingPalette()->isShowing();
        caption = d.windowTitle();
        return int(QDialog::Rejected);
    });
    file("Edit Recurring Dates")->trigger();
    SetRecurringDialogRunner(old);
    EXPECT_FALSE(paletteDuring);
    EXPECT_EQ(caption, QStringLiteral("Recurring Dates"));
    EXPECT_TRUE(w.FloatingPalette()->isShowing());
    EXPECT_EQ(child<QPushButton>("IconToolButton")->text(), QStringLiteral("Hide Icon Tool"));
}
