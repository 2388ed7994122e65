#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "common/testutil.h"
#include "core/screen.h"
#include "core/tfont.h"
#include "dates/calendardates.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "stream/inifile.h"
#include "ui/calendarpagewidget.h"
#include "stream/preferences.h"
#include "ui/fontcolordialog.h"
#include "ui/objects/colorpicker.h"
#include "ui/properties/colorbutton.h"
#include "ui/properties/datepicker.h"
#include "ui/properties/tcalendarproperties.h"
#include "ui/properties/tsettimedialog.h"
#include "ui/uiutil.h"


using namespace dayloom;
using dayloom::test::SaveShot;

namespace {

// Each test: its own program folder, message boxes answered by m_answer
// and recorded.
class PropertiesDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SetProgramDir(m_dir.path());
        m_oldHook = SetMessageHook([this](const MessageRequest& r) {
            m_messages << r.caption + QStringLiteral("|") + r.text;
            if (r.buttons & QMessageBox::Yes)
                return m_answer;
            return QMessageBox::Ok;
        });
    }
    void TearDown() override
    {
        m_dialog.reset();
        SetMessageHook(m_oldHook);
    }

    // A dialog whose preview holds page's settings, shown (first activation run).
    TCalendarProperties& open(const TCalendarPanel32* page = nullptr, float zoom = 0.301f)
    {
        m_dialog = std::make_unique<TCalendarProperties>();
        m_dialog->SetPreviewZoom(Zoom(zoom));
        if (page)
            m_dialog->ExampleCalendar()->CopySettingsFrom(*page);
        m_dialog->show();
        EXPECT_FALSE(m_dialog->Initializing());
        return *m_dialog;
    }
    TCalendarPanel32& preview() { return *m_dialog->ExampleCalendar(); }
    void clickId(QButtonGroup* group, int id) { group->button(id)->click(); }

    QTemporaryDir m_dir;
    MessageHook m_oldHook;
    QStringList m_messages;
    QMessageBox::StandardButton m_answer = QMessageBox::Yes;
    std::unique_ptr<TCalendarProperties> m_dialog;
};

TEST_F(PropertiesDialogTest, TabsCaptionsAndListsAsTheUserSeesThem)
{
    TCalendarProperties& d = open();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Calendar Properties"));
    QStringList tabs;
    for (int i = 0; i < d.Tabs()->count(); ++i)
        tabs << d.Tabs()->tabText(i);
    EXPECT_EQ(tabs, (QStringList{"Layout", "Date", "Fonts, Colors", "Mini Fonts, Colors",
                                 "Headers", "Lines", "Planners", "Language", "Margins",
                                 "Borders"}));
    EXPECT_EQ(d.Tabs()->currentIndex(), 0);
    ASSERT_EQ(d.LayoutList()->count(), 13);
    EXPECT_EQ(d.LayoutList()->item(0)->text(), QStringLiteral("1 Month Calendar "));
    EXPECT_EQ(d.LayoutList()->item(12)->text(), QStringLiteral("Day Planner (15 hours) "));
    EXPECT_EQ(d.LineStyleList()->item(1)->text(), QStringLiteral("Headers & Cells"));
    EXPECT_EQ(d.MiniLineStyleList()->item(2)->text(), QStringLiteral("Minimal"));
    EXPECT_EQ(d.HeaderStyleList()->item(1)->text(), QStringLiteral("First Three Characters"));
    EXPECT_EQ(d.PreviewWidget()->toolTip(), QStringLiteral("This is an example calendar"));

    // The user's border folder and the installed one make one list: the
    // no-border row first, then the landscape picture names sorted, each
    // once (the user's spelling of a name both folders have).
    QDir(m_dir.path()).mkdir(QStringLiteral("Borders"));
    for (const char* f : {"zeta.wls", "Alpha.WLS", "alpha.wpo", "beta.wls", "beta.wpo", "x.txt",
                          "holly.wls"}) {
        QFile file(m_dir.path() + QStringLiteral("/Borders/") + QLatin1String(f));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    TCalendarProperties second;
    QListWidget* borders = second.BorderList();
    ASSERT_TRUE(borders->isEnabled());
    QStringList rows;
    for (int i = 0; i < borders->count(); ++i)
        rows << borders->item(i)->text();
    EXPECT_EQ(rows, (QStringList{" [No Special Border]", "Alpha", "beta", "Checker", "Classic",
                                 "holly", "Ribbon", "Waves", "zeta"}));
}

TEST_F(PropertiesDialogTest, EveryLayoutRowAndOrientationGivesThePreviewLayout)
{
    TCalendarProperties& d = open();
    for (int row = 0; row < 13; ++row) {
        for (int o = 0; o < 2; ++o) {
            // Set the orientation first (while a one-month row is chosen, so
            // that the group is enabled), then the row.
            d.LayoutList()->setCurrentRow(0);
            clickId(d.OrientationGroup(), o);
            d.LayoutList()->setCurrentRow(row);
            const int expected = row < 9 ? 2 * row + o : 18 + row - 9;
            EXPECT_EQ(int(preview().CalendarLayout()), expected) << row << " " << o;
        }
    }
    // "Landscape" with row 1 is layout 3; row 9 is 18 whatever the orientation.
    d.LayoutList()->setCurrentRow(1);
    clickId(d.OrientationGroup(), 1);
    EXPECT_EQ(preview().CalendarLayout(), loFCMinisInTitleLS);
    clickId(d.PaperGroup(), 1);
    EXPECT_EQ(preview().PaperSize(), PaperA4);

    // Reading back: each layout value selects its row and orientation.
    for (int v = 0; v < CalendarLayoutCount; ++v) {
        TCalendarPanel32 page;
        page.SetCalendarLayout(TCalendarLayout(v));
        TCalendarProperties& e = open(&page);
        EXPECT_EQ(e.LayoutList()->currentRow(), v < 18 ? v / 2 : v - 9) << v;
        EXPECT_EQ(e.OrientationGroup()->checkedId(), v < 18 ? v % 2 : 0) << v;
        EXPECT_EQ(int(preview().CalendarLayout()), v);
    }
}

TEST_F(PropertiesDialogTest, PlannerLayoutsSwitchDateModeAndEnabling)
{
    TCalendarPanel32 page;
    page.SetCalendarLayout(loFCMinisInTitle);
    page.SetMainCalYear(2024);
    page.SetMainCalMonth(3);
    page.SetMainCalDay(15);
    TCalendarProperties& d = open(&page);
    EXPECT_EQ(d.DateHeading()->text(), QStringLiteral("Select Month & Year"));
    EXPECT_EQ(d.DateCaption()->text(), QStringLiteral("March 2024"));
    EXPECT_EQ(d.Picker()->Date(), QDate(2024, 3, 15));
    auto minis = [&] {
        return QList<QWidget*>{d.MiniShowYearBox(), d.MiniHeaderStyleList(),
                               d.MiniLineStyleList(),
                               d.findChild<QWidget*>("MiniTitleFontButton"),
                               d.findChild<QWidget*>("MiniHeadersColorButton"),
                               d.findChild<QWidget*>("MiniHeadersFontButton"),
                               d.findChild<QWidget*>("MiniCellFontButton"),
                               d.findChild<QWidget*>("MiniCalColorButton")};
    };
    for (QWidget* w : minis())
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_FALSE(d.ClockButton()->isEnabled());

    d.LayoutList()->setCurrentRow(10);  // "Two Week Planner"
    EXPECT_EQ(preview().CalendarLayout(), lo2Week);
    EXPECT_TRUE(d.PlannerDateMode());
    EXPECT_FALSE(d.OrientationBox()->isEnabled());
    EXPECT_FALSE(d.WeekStartBox()->isEnabled());
    for (QWidget* w : minis())
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(d.findChild<QWidget*>("HeadersFontButton")->isEnabled());
    EXPECT_TRUE(d.findChild<QWidget*>("HeadersColorButton")->isEnabled());
    EXPECT_TRUE(d.findChild<QWidget*>("TitleFontButton")->isEnabled());
    EXPECT_FALSE(d.findChild<QWidget*>("TitleColorButton")->isEnabled());
    EXPECT_FALSE(d.findChild<QWidget*>("CellFontButton")->isEnabled());
    EXPECT_EQ(d.DateHeading()->text(), QStringLiteral("Select Starting Date"));
    EXPECT_EQ(d.DateCaption()->text(), QLocale().toString(QDate(2024, 3, 15), QLocale::LongFormat));
    EXPECT_FALSE(d.ClockButton()->isEnabled());

    for (int row : {11, 12}) {
        d.LayoutList()->setCurrentRow(row);
        EXPECT_TRUE(d.ClockButton()->isEnabled()) << row;
    }
    d.LayoutList()->setCurrentRow(9);
    EXPECT_FALSE(d.ClockButton()->isEnabled());
    d.LayoutList()->setCurrentRow(5);  // 12 months of minis: no main grid
    EXPECT_TRUE(d.OrientationBox()->isEnabled());
    EXPECT_FALSE(d.findChild<QWidget*>("HeadersFontButton")->isEnabled());
    EXPECT_TRUE(d.MiniShowYearBox()->isEnabled());
    EXPECT_EQ(d.DateHeading()->text(), QStringLiteral("Select Month & Year"));

    // The picker's buttons write month, year and day at once.
    d.findChild<QToolButton*>("NextYearButton")->click();
    d.findChild<QToolButton*>("PrevMonthButton")->click();
    EXPECT_EQ(preview().MainCalYear(), 2025);
    EXPECT_EQ(preview().MainCalMonth(), 2);
    EXPECT_EQ(preview().MainCalDay(), 15);
    EXPECT_EQ(d.DateCaption()->text(), QStringLiteral("February 2025"));
}

TEST_F(PropertiesDialogTest, ControlsWriteThePreviewButNotWhileInitializing)
{
    TCalendarPanel32 page;
    page.SetCalendarLayout(loFCMinisInTitle);
    m_dialog = std::make_unique<TCalendarProperties>();
    m_dialog->ExampleCalendar()->CopySettingsFrom(page);
    TCalendarProperties& d = *m_dialog;
    ASSERT_TRUE(d.Initializing());
    d.LayoutList()->setCurrentRow(12);
    d.HeaderStyleList()->setCurrentRow(0);
    d.MarginList(0)->setCurrentIndex(5);
    EXPECT_EQ(preview().CalendarLayout(), loFCMinisInTitle);
    EXPECT_EQ(preview().HeadersStyle(), page.HeadersStyle());
    EXPECT_EQ(preview().LeftMarginInch(), page.LeftMarginInch());

    d.show();  // the first activation sets the controls back from the preview
    EXPECT_EQ(d.LayoutList()->currentRow(), 1);
    // ... and gives the preview a valid day (the constructor's 0 is none).
    EXPECT_EQ(preview().MainCalDay(), 1);
    page.SetMainCalDay(1);
    EXPECT_TRUE(preview().SameSettings(page));

    d.HeaderStyleList()->setCurrentRow(2);
    EXPECT_EQ(preview().HeadersStyle(), dsWhole);
    d.MiniHeaderStyleList()->setCurrentRow(1);
    EXPECT_EQ(preview().MiniHeadersStyle(), dsThreeChars);
    d.LineStyleList()->setCurrentRow(2);
    EXPECT_EQ(preview().CalendarLineLayout(), llCellsOnly);
    d.MiniLineStyleList()->setCurrentRow(2);
    EXPECT_EQ(preview().MiniCalendarLineLayout(), mllMinimal);
    clickId(d.WeekStartGroup(), 1);
    EXPECT_EQ(preview().StartOfWeek(), 2);
    d.TitleShowYearBox()->click();
    EXPECT_FALSE(preview().TitleShowYear());
    d.MiniShowYearBox()->click();
    EXPECT_FALSE(preview().MiniShowYear());

    // Colour buttons offer the palette; the chosen colour goes to the preview.
    EXPECT_EQ(ColorButton::PaletteColors().size(), 20);
    EXPECT_EQ(ColorButton::PaletteColors()[4], 12572607);
    auto old = ColorButton::SetColorChooser([](TColor& c, QWidget*) {
        c = ColorButton::PaletteColors()[11];
        return true;
    });
    for (const char* name : {"TitleColorButton", "HeadersColorButton", "MiniHeadersColorButton",
                             "MiniCalColorButton"})
        d.findChild<QPushButton*>(name)->click();
    ColorButton::SetColorChooser(old);
    EXPECT_EQ(preview().TitleBGColor(), clYellow);
    EXPECT_EQ(preview().HeadersBGColor(), clYellow);
    EXPECT_EQ(preview().MiniHeadersBGColor(), clYellow);
    EXPECT_EQ(preview().MiniCalBGColor(), clYellow);

    // Font buttons: preset with the preview's font; a cancelled dialog keeps it.
    QString presetName;
    d.SetFontChooser([&](TFontData& f, QWidget*) {
        presetName = f.Name;
        f = f.WithName(QStringLiteral("Arial")).WithStyle(fsItalic);
        return true;
    });
    d.findChild<QPushButton*>("CellFontButton")->click();
    EXPECT_EQ(presetName, page.CellFont().Name);
    EXPECT_EQ(preview().CellFont().Name, QStringLiteral("Arial"));
    EXPECT_EQ(preview().CellFont().Style, TFontStyles(fsItalic));
    d.SetFontChooser([](TFontData& f, QWidget*) {
        f = f.WithName(QStringLiteral("Courier"));
        return false;
    });
    d.findChild<QPushButton*>("TitleFontButton")->click();
    EXPECT_EQ(preview().TitleFont().Name, page.TitleFont().Name);
}

TEST_F(PropertiesDialogTest, FontButtonsOpenTheFontAndColourDialogOnTheFontInUse)
{
    TCalendarPanel32 page;
    TCalendarPanel32::ApplyMainWindowDescription(page);
    page.ResetPage();  // a layout with title, headers, cells and minis
    page.SetTitleFont(page.TitleFont().WithColor(clMaroon));
    page.SetMiniCellFont(
        page.MiniCellFont().WithName(QStringLiteral("Arial")).WithStyle(fsItalic | fsUnderline).WithColor(clTeal));
    TCalendarProperties& d = open(&page);

    struct Case {
        const char* button;
        const TFontData& (TCalendarPanel32::*font)() const;
    };
    const Case cases[] = {
        {"TitleFontButton", &TCalendarPanel32::TitleFont},
        {"HeadersFontButton", &TCalendarPanel32::HeadersFont},
        {"CellFontButton", &TCalendarPanel32::CellFont},
        {"MiniTitleFontButton", &TCalendarPanel32::MiniTitleFont},
        {"MiniHeadersFontButton", &TCalendarPanel32::MiniHeadersFont},
        {"MiniCellFontButton", &TCalendarPanel32::MiniCellFont},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        const TFontData& inUse = (page.*c.font)();
        auto* button = d.findChild<QPushButton*>(QString::fromLatin1(c.button));
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isEnabled());
        bool seen = false;
        // Each dialog opens on the font in use and is left with a new colour.
        QTimer::singleShot(0, [&] {
            auto* f = qobject_cast<FontColorDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(f, nullptr);
            QTimer::singleShot(3000, f, &QDialog::reject);  // never left open
            seen = true;
            const QFont shown = f->FontDialog()->currentFont();
            EXPECT_EQ(shown.family(), QFontInfo(QFont(inUse.Name)).family());
            EXPECT_EQ(shown.pointSize(), inUse.Size());
            EXPECT_EQ(shown.bold(), inUse.Bold());
            EXPECT_EQ(shown.italic(), inUse.Italic());
            EXPECT_EQ(shown.underline(), inUse.Underline());
            EXPECT_EQ(f->ColorList()->Color(), TColor(ColorToRGB(inUse.Color)));
            if (QByteArray(c.button) == "TitleFontButton")
                SaveShot(f->grab().toImage(), QStringLiteral("ui_font_colour_dialog"));
            f->ColorList()->SetColor(clNavy);
            f->ColorList()->activated(f->ColorList()->currentIndex());
            QTest::keyClick(f->focusWidget() ? f->focusWidget() : f, Qt::Key_Return);
        });
        button->click();
        EXPECT_TRUE(seen);
        const TFontData& chosen = (preview().*c.font)();
        EXPECT_EQ(chosen.Color, clNavy);
        EXPECT_EQ(chosen.Name, inUse.Name);
        EXPECT_EQ(chosen.Height, inUse.Height);
        EXPECT_EQ(chosen.Style, inUse.Style);
    }

    // Escape cancels the whole dialog and keeps the font.
    QTimer::singleShot(0, [] {
        auto* f = qobject_cast<FontColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(f, nullptr);
        f->ColorList()->SetColor(clRed);
        f->ColorList()->activated(f->ColorList()->currentIndex());
        QTest::keyClick(f->FontDialog(), Qt::Key_Escape);
    });
    d.findChild<QPushButton*>("TitleFontButton")->click();
    EXPECT_EQ(preview().TitleFont().Color, clNavy);
}

TEST_F(PropertiesDialogTest, MarginListsUseThresholdsStoreExactValuesAndSwitchUnits)
{
    TCalendarPanel32 page;
    page.SetLeftMarginInch(0.3f);
    page.SetTopMarginInch(0.6f);
    page.SetRightMarginInch(2.0f);
    page.SetBottomMarginInch(1.0f);
    TCalendarProperties& d = open(&page);
    EXPECT_EQ(d.MarginList(0)->currentText(), QStringLiteral("\u00bc Inch"));
    EXPECT_EQ(d.MarginList(1)->currentText(), QStringLiteral("\u00bd Inch"));
    EXPECT_EQ(d.MarginList(2)->currentText(), QStringLiteral("1\u00bd Inch"));
    EXPECT_EQ(d.MarginList(3)->currentText(), QStringLiteral("1 Inch"));
    // Showing them stored nothing.
    EXPECT_EQ(preview().LeftMarginInch(), 0.3f);
    EXPECT_EQ(preview().RightMarginInch(), 2.0f);
    for (float m : {0.0f, 0.49f, 0.5f, 0.74f, 0.75f, 1.24f, 1.25f, 1.5f, 9.0f})
        EXPECT_EQ(TCalendarProperties::MarginIndex(m),
                  m < 0.5f ? 0 : m < 0.75f ? 1 : m < 1.0f ? 2 : m < 1.25f ? 3 : m < 1.5f ? 4 : 5)
            << m;

    const float values[6] = {0.25f, 0.5f, 0.75f, 1.0f, 1.25f, 1.5f};
    for (int i = 0; i < 6; ++i) {
        // Choosing the entry already shown stores its exact value as well.
        d.MarginList(i % 4)->setCurrentIndex(i);
        Q_EMIT d.MarginList(i % 4)->activated(i);
        const float got[4] = {preview().LeftMarginInch(), preview().TopMarginInch(),
                              preview().RightMarginInch(), preview().BottomMarginInch()};
        EXPECT_EQ(got[i % 4], values[i]) << i;
    }
    const float before[4] = {preview().LeftMarginInch(), preview().TopMarginInch(),
                             preview().RightMarginInch(), preview().BottomMarginInch()};
    const int index = d.MarginList(1)->currentIndex();
    d.findChild<QAbstractButton*>("UseMillimeters")->click();
    EXPECT_EQ(d.MarginList(1)->currentIndex(), index);
    EXPECT_EQ(d.MarginList(1)->itemText(2), QStringLiteral("19 mm"));
    EXPECT_EQ(d.MarginList(0)->itemText(5), QStringLiteral("38 mm"));
    const float after[4] = {preview().LeftMarginInch(), preview().TopMarginInch(),
                            preview().RightMarginInch(), preview().BottomMarginInch()};
    EXPECT_TRUE(std::equal(before, before + 4, after));
    d.findChild<QAbstractButton*>("UseInches")->click();
    EXPECT_EQ(d.MarginList(3)->itemText(0), QStringLiteral("\u00bc Inch"));
}

TEST_F(PropertiesDialogTest, NameBoxesChangeOnlyTheLinesTheyHold)
{
    TCalendarProperties& d = open();
    const QStringList oldMonths = preview().MonthNames();
    QStringList ten;
    for (int m = 1; m <= 10; ++m)
        ten << QStringLiteral("M%1").arg(m);
    d.MonthNamesBox()->setPlainText(ten.join(u'\n') + u'\n');
    d.ApplyMonthNames();
    for (int m = 1; m <= 10; ++m)
        EXPECT_EQ(preview().GetMonthName(m), QStringLiteral("M%1").arg(m));
    EXPECT_EQ(preview().GetMonthName(11), oldMonths[10]);
    EXPECT_EQ(preview().GetMonthName(12), oldMonths[11]);
    EXPECT_EQ(d.MonthNamesBox()->textCursor().position(), 0);

    // Leaving the box applies it as well.
    d.Tabs()->setCurrentIndex(7);
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    d.DayNamesBox()->setFocus();
    d.DayNamesBox()->setPlainText(QStringLiteral("Dim\nLun"));
    d.MonthNamesBox()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return preview().GetDayName(2) == QStringLiteral("Lun"); })) << qPrintable(preview().GetDayName(2));
    EXPECT_EQ(preview().GetDayName(1), QStringLiteral("Dim"));
    EXPECT_EQ(preview().GetDayName(3), LocaleLongDayNames()[2]);

    d.findChild<QPushButton*>(QStringLiteral("Language%1").arg(int(fclGerman)))->click();
    EXPECT_EQ(preview().GetMonthName(3), LanguageMonthName(fclGerman, 3));
    EXPECT_EQ(preview().GetMonthName(12), LanguageMonthName(fclGerman, 12));
    EXPECT_EQ(preview().GetDayName(7), LanguageDayName(fclGerman, 7));
    EXPECT_EQ(d.MonthNamesBox()->toPlainText().split(u'\n').size(), 12);
}

TEST_F(PropertiesDialogTest, ZoomStepsStopAtTwentyAndHundredPercent)
{
    TCalendarProperties& d = open(nullptr, 0.3f);
    EXPECT_EQ(d.ZoomCaption()->text(), QStringLiteral("30%"));
    d.findChild<QToolButton*>("ZoomOutButton")->click();
    EXPECT_FLOAT_EQ(m_dialog->PreviewZoom().Factor(), 0.201f);  // the 20 % step
    EXPECT_EQ(d.ZoomCaption()->text(), QStringLiteral("20%"));
    d.ZoomOutClick();
    EXPECT_FLOAT_EQ(m_dialog->PreviewZoom().Factor(), 0.201f);  // the 20 % step
    for (int i = 0; i < 12; ++i)
        d.ZoomInClick();
    EXPECT_NEAR(m_dialog->PreviewZoom().Factor(), 1.0f, 0.002);
    EXPECT_EQ(d.ZoomCaption()->text(), QStringLiteral("100%"));
    EXPECT_EQ(d.PreviewWidget()->size(), d.PreviewWidget()->PageSize());

    // A factor between the steps moves onto the steps and never leaves the bounds.
    TCalendarProperties& e = open(nullptr, 0.25f);
    e.ZoomOutClick();
    EXPECT_FLOAT_EQ(m_dialog->PreviewZoom().Factor(), 0.201f);  // the 20 % step
    TCalendarProperties& f = open(nullptr, 0.95f);
    f.ZoomInClick();
    EXPECT_LE(m_dialog->PreviewZoom().Factor(), 1.0f + 0.002f);
}

TEST_F(PropertiesDialogTest, OkAsksOnlyWhenItemsOrCellTextWouldSuffer)
{
    TCalendarPanel32 page;
    page.SetCalendarLayout(loFCMinisInTitle);
    auto withFacts = [&](bool objects, bool text, const QString& border) -> TCalendarProperties& {
        page.SetWMFBorderFile(QString());
        m_dialog = std::make_unique<TCalendarProperties>();
        m_dialog->ExampleCalendar()->CopySettingsFrom(page);
        m_dialog->ExampleCalendar()->SetWMFBorderFile(border);
        m_dialog->SetPageHasObjects(objects);
        m_dialog->SetPageHasCellText(text);
        m_dialog->SetPageLayoutKind(page.LayoutKind());
        m_dialog->show();
        m_messages.clear();
        return *m_dialog;
    };
    auto borderRow = [&](const QString& name) {
        QListWidget* list = m_dialog->BorderList();
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text() == name)
                return i;
        return -1;
    };
    const QString first = QStringLiteral("Checker");
    const QString second = QStringLiteral("Classic");
    ASSERT_FALSE(FindDataFile(QStringLiteral("Borders/Checker.wls")).isEmpty());

    // One picture for another: nothing to ask.
    TCalendarProperties& a = withFacts(true, false, first);
    EXPECT_EQ(a.BorderList()->currentItem()->text(), first);
    a.BorderList()->setCurrentRow(borderRow(second));
    EXPECT_EQ(preview().WMFBorderFile(), second);
    a.OKButtonClick();
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(u'\n').toStdString();
    EXPECT_EQ(a.result(), QDialog::Accepted);

    // A picture where there was none: asks; No keeps the dialog open.
    TCalendarProperties& b = withFacts(true, false, QString());
    EXPECT_EQ(b.BorderList()->currentRow(), 0);
    b.BorderList()->setCurrentRow(borderRow(first));
    m_answer = QMessageBox::No;
    b.OKButtonClick();
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].startsWith(
        QStringLiteral("WARNING|Warning: The Calendar has one or more items\nplaced on it")));
    EXPECT_TRUE(b.isVisible());
    m_answer = QMessageBox::Yes;
    b.OKButtonClick();
    EXPECT_FALSE(b.isVisible());
    EXPECT_EQ(b.result(), QDialog::Accepted);

    // Margins and paper count; without objects nothing is asked.
    TCalendarProperties& c = withFacts(true, false, QString());
    c.MarginList(2)->setCurrentIndex(4);
    m_answer = QMessageBox::No;
    c.OKButtonClick();
    EXPECT_EQ(m_messages.size(), 1);
    TCalendarProperties& e = withFacts(false, false, QString());
    clickId(e.PaperGroup(), 1);
    e.LayoutList()->setCurrentRow(10);
    e.OKButtonClick();
    EXPECT_TRUE(m_messages.isEmpty());

    // A planner on a page whose cells hold text: the first warning.
    TCalendarProperties& f = withFacts(false, true, QString());
    f.LayoutList()->setCurrentRow(9);
    f.OKButtonClick();
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0], QStringLiteral("WARNING|Warning: changing to this type of layout\n"
                                            "will erase all text and icons from the current\n"
                                            "calendar. Proceed?"));
    EXPECT_TRUE(f.isVisible());
    // The same kind again (another one-month layout) asks nothing.
    f.LayoutList()->setCurrentRow(3);
    m_messages.clear();
    f.OKButtonClick();
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(f.result(), QDialog::Accepted);
}

TEST_F(PropertiesDialogTest, StartingTimeComesFromTheTimeDialog)
{
    // The short time format without seconds, here the C locale's.
    const QLocale oldLocale;
    QLocale::setDefault(QLocale::c());
    struct Restore {
        QLocale locale;
        ~Restore() { QLocale::setDefault(locale); }
    } restore{oldLocale};
    TCalendarProperties& d = open();
    EXPECT_EQ(d.TimeCaption()->text(), QStringLiteral("08:00"));
    QTime offered;
    d.SetTimeChooser([&](QTime& t, QWidget*) {
        offered = t;
        t = QTime(14, 45);
        return true;
    });
    d.StartTimeClick();
    EXPECT_EQ(offered, QTime(8, 0));
    EXPECT_EQ(preview().PlannerStartTime(), QTime(14, 45));
    EXPECT_EQ(d.TimeCaption()->text(), QStringLiteral("14:45"));
    // An unreadable caption starts from the current time.
    d.TimeCaption()->setText(QStringLiteral("soon"));
    d.SetTimeChooser([&](QTime& t, QWidget*) {
        offered = t;
        return false;
    });
    d.StartTimeClick();
    EXPECT_TRUE(offered.isValid());
    EXPECT_EQ(preview().PlannerStartTime(), QTime(14, 45));

    TSetTimeDialog time;
    time.SetTime(QTime(0, 5));
    EXPECT_EQ(time.windowTitle(), QStringLiteral("Set Time As: 12:05 am"));
    EXPECT_TRUE(time.TileSelected(time.HourTile(0)));
    EXPECT_EQ(time.HourTile(12)->text(), QStringLiteral("12"));
    EXPECT_EQ(time.HourTile(23)->text(), QStringLiteral("11"));
    EXPECT_EQ(time.MinuteTile(7)->text(), QStringLiteral("07"));
    QTest::mouseClick(time.HourTile(15), Qt::LeftButton);
    QTest::mouseClick(time.MinuteTile(30), Qt::LeftButton);
    EXPECT_EQ(time.Time(), QTime(15, 30));
    EXPECT_EQ(time.windowTitle(), QStringLiteral("Set Time As: 03:30 pm"));
    int selected = 0;
    for (int h = 0; h < 24; ++h)
        selected += time.TileSelected(time.HourTile(h));
    for (int m = 0; m < 60; ++m)
        selected += time.TileSelected(time.MinuteTile(m));
    EXPECT_EQ(selected, 2);
    EXPECT_TRUE(time.TileSelected(time.HourTile(15)));
    EXPECT_FALSE(time.windowFlags() & Qt::WindowSystemMenuHint);
    time.show();
    SaveShot(time.grab().toImage(), QStringLiteral("properties_time_dialog"));
}

TEST_F(PropertiesDialogTest, HelpContextsAndDefaultStyle)
{
    TCalendarPanel32 page;
    page.SetCalendarLayout(loWeek);
    page.SetHeadersStyle(dsWhole);
    page.SetLeftMarginInch(1.5f);
    TCalendarProperties& d = open(&page);
    for (int i = 0; i < 9; ++i) {
        d.Tabs()->setCurrentIndex(i);
        EXPECT_EQ(d.HelpContext(), 2100 + i);
    }
    d.Tabs()->setCurrentIndex(9);
    EXPECT_EQ(d.HelpContext(), 3109);

    d.findChild<QPushButton*>("DefaultStyleButton")->click();
    EXPECT_EQ(preview().CalendarLayout(), loFCMinisInTitleLS);
    EXPECT_EQ(d.LayoutList()->currentRow(), 1);
    EXPECT_EQ(d.OrientationGroup()->checkedId(), 1);
    EXPECT_EQ(preview().LeftMarginInch(), 0.5f);
    EXPECT_EQ(d.MarginList(0)->currentIndex(), 1);
    EXPECT_EQ(preview().HeadersStyle(), dsWhole);  // the reset keeps it
    EXPECT_FALSE(d.Initializing());
    EXPECT_EQ(d.DateHeading()->text(), QStringLiteral("Select Month & Year"));

    // A new calendar starts from the defaults.
    m_dialog = std::make_unique<TCalendarProperties>();
    m_dialog->ExampleCalendar()->CopySettingsFrom(page);
    m_dialog->SetNewCalendar(true);
    m_dialog->show();
    EXPECT_EQ(preview().CalendarLayout(), loFCMinisInTitleLS);
    EXPECT_EQ(preview().MainCalDay(), QDate::currentDate().day());
}

TEST_F(PropertiesDialogTest, StyleSheetButtonsCheckTheExtension)
{
    TCalendarProperties& d = open();
    QString path = m_dir.path() + QStringLiteral("/style.txt");
    d.SetFileChooser([&](bool, QWidget*) { return path; });
    d.SaveStyleClick();
    EXPECT_FALSE(QFile::exists(path));
    d.LoadStyleClick();
    EXPECT_EQ(m_messages, (QStringList{"Information|Must save as a Calendar Style Sheet (*.DLS)",
                                       "Information|Must be a Calendar Style Sheet (*.DLS)"}));
    // Every setting survives a save and a load into a reset preview.
    d.LayoutList()->setCurrentRow(3);
    clickId(d.OrientationGroup(), 1);
    clickId(d.PaperGroup(), 1);
    d.HeaderStyleList()->setCurrentRow(0);
    d.MiniLineStyleList()->setCurrentRow(2);
    d.MarginList(3)->setCurrentIndex(5);
    d.findChild<QPushButton*>(QStringLiteral("Language%1").arg(int(fclSpanish)))->click();
    TCalendarPanel32 saved;
    saved.CopySettingsFrom(preview());
    path = m_dir.path() + QStringLiteral("/MyStyle.dls");
    d.SaveStyleClick();
    ASSERT_TRUE(QFile::exists(path));
    d.DefaultStyleClick();
    ASSERT_FALSE(preview().SameSettings(saved));
    d.LoadStyleClick();
    EXPECT_EQ(preview().CalendarLayout(), loFC12AfterLS);
    EXPECT_EQ(d.LayoutList()->currentRow(), 3);
    EXPECT_EQ(d.MarginList(3)->currentIndex(), 5);
    EXPECT_EQ(preview().PaperSize(), PaperA4);
    EXPECT_EQ(preview().GetMonthName(1), LanguageMonthName(fclSpanish, 1));
    EXPECT_EQ(preview().MiniCalendarLineLayout(), mllMinimal);
    // The sheet holds no date (nor week start and planner time, which the
    // reset left as they were): with the date matched, nothing differs.
    saved.SetMainCalYear(preview().MainCalYear());
    saved.SetMainCalMonth(preview().MainCalMonth());
    saved.SetMainCalDay(preview().MainCalDay());
    EXPECT_TRUE(preview().SameSettings(saved));

    // A damaged file: the message, and the controls show what the preview holds.
    QFile bad(m_dir.path() + QStringLiteral("/bad.DLS"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a style sheet");
    bad.close();
    path = bad.fileName();
    m_messages.clear();
    d.LoadStyleClick();
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0], QStringLiteral("Information|Unable to open ") + path +
                                 QStringLiteral(".\nPossibly corrupted, possibly not a Calendar "
                                                "Style file"));

    // A pipe of that name is refused at once with the same message.
    path = test::MakeFifo(m_dir.path() + QStringLiteral("/pipe.DLS"));
    ASSERT_FALSE(path.isEmpty());
    m_messages.clear();
    d.LoadStyleClick();
    EXPECT_EQ(m_messages, QStringList{QStringLiteral("Information|") + UnableToOpenText(path, true)});
    EXPECT_EQ(d.LayoutList()->currentRow(), LayoutDisplayRow(preview().CalendarLayout()));
    EXPECT_FALSE(d.Initializing());
}

TEST_F(PropertiesDialogTest, ColourButtonPopupOffersThePaletteInOrder)
{
    ColorButton button(QStringLiteral("Background Color"));
    button.show();
    TColor chosen = -1;
    QObject::connect(&button, &ColorButton::ColorChanged, [&](TColor c) { chosen = c; });
    int cells = 0;
    bool other = false;
    QTimer::singleShot(20, [&] {
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        const QList<QToolButton*> swatches = popup->findChildren<QToolButton*>();
        cells = int(swatches.size());
        for (QPushButton* b : popup->findChildren<QPushButton*>())
            other = other || b->text() == QStringLiteral("&Other");
        if (swatches.size() > 2)
            swatches[2]->click();
        else
            popup->close();
    });
    button.click();
    EXPECT_EQ(cells, 20);
    EXPECT_TRUE(other);
    EXPECT_EQ(chosen, 65280);
    EXPECT_EQ(button.Color(), 65280);
}

TEST_F(PropertiesDialogTest, PlacementIsSavedOnCloseAndRestoredOnTheNextOpening)
{
    TCalendarProperties& d = open();
    d.resize(1200, 640);
    d.move(40, 30);
    const QRect placed(d.pos(), d.size());
    d.findChild<QPushButton*>("CancelButton")->click();
    EXPECT_EQ(d.result(), QDialog::Rejected);
    IniFile ini(IniFileName());
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("TCalendarProperties_Placement"),
                              QStringLiteral("Right"), 0),
              placed.right() + 1);
    // The dialog is wider than the test screen: it comes back kept on it.
    TCalendarProperties& e = open();
    EXPECT_EQ(QRect(e.pos(), e.size()), KeepOnScreen(placed, e.screen()->geometry().size()));
}

TEST_F(PropertiesDialogTest, ScreenshotsOfEveryTab)
{
    TCalendarPanel32 page;
    TCalendarPanel32::ApplyMainWindowDescription(page);
    TCalendarProperties& d = open(&page, 0.301f);
    const QStringList names = {"layout", "date",     "fonts",    "mini",    "headers",
                               "lines",  "planners", "language", "margins", "borders"};
    for (int i = 0; i < d.Tabs()->count(); ++i) {
        d.Tabs()->setCurrentIndex(i);
        QTest::qWait(10);
        const QImage shot = d.grab().toImage();
        EXPECT_FALSE(shot.isNull());
        SaveShot(shot, QStringLiteral("properties_tab_") + names[i]);
    }
}

}  // namespace
