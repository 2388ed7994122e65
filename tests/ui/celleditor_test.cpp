#include <gtest/gtest.h>

#include <cmath>

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolButton>

#include "common/testutil.h"
#include "core/screen.h"
#include "dates/holidays.h"
#include "dates/recurringdates.h"
#include "dates/recurringlistfile.h"
#include "page/tcalendarpanel32.h"
#include "richtext/richtextformat.h"
#include "richtext/twprtfstorage.h"
#include "stream/inifile.h"
#include "ui/calendarpagewidget.h"
#include "ui/celltexteditor.h"
#include "ui/tfloatingpalette.h"
#include "stream/preferences.h"
#include "ui/recurring/recurringdialogs.h"
#include "ui/richtexttoolbar.h"
#include "ui/tcalendarmain.h"
#include "ui/uiutil.h"

using namespace dayloom;

namespace {

const char* kFormatted =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
    "{\\colortbl;\\red200\\green0\\blue0;\\red0\\green0\\blue160;}"
    "\\f1\\b\\fs28\\cf1 Team lunch\\b0\\par"
    "\\f0\\i\\fs20\\cf2 at the corner bistro with everyone from the planning group\\i0\\par"
    "\\f0\\fs20\\cf0 Bring the slides}";

TWPRtfStorage rtf(const char* text)
{
    TWPRtfStorage s;
    s.SetRtfText(QByteArray(text));
    return s;
}

QList<int> lineStarts(const QTextDocument& doc)
{
    QList<int> starts;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (int i = 0; i < b.layout()->lineCount(); ++i)
            starts << b.position() + b.layout()->lineAt(i).textStart();
    return starts;
}

QStringList cellLines(TCalendarPanel32* page, int cell)
{
    const TWPRtfStorage* s = page->CellStore(cell);
    return s->IsEmpty() ? QStringList() : s->Document().toPlainText().split(QChar(u'\n'));
}

class CellEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SetProgramDir(m_dir.path());
        SetScreenPPI(96);
        m_oldHook = SetMessageHook([this](const MessageRequest& r) {
            m_messages << r.text;
            return QMessageBox::Ok;
        });
    }
    void TearDown() override
    {
        m_window.reset();
        SetMessageHook(m_oldHook);
        SetRecurringDialogRunner({});
    }

    // A window with a new November 2024 page, active, painted.
    TCalendarMain& start()
    {
        m_window = std::make_unique<TCalendarMain>();
        TCalendarMain& w = *m_window;
        w.SetPropertiesRunner([](TCalendarPanel32& p, bool) {
            p.SetMainCalYear(2024);
            p.SetMainCalMonth(11);
            return true;
        });
        w.resize(900, 700);
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !w.Loading(); }));
        w.FileNewClick();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.PageWidget()->PaintCount() > 0; }));
        page = w.CalendarPanel();
        editor = w.CellEditor();
        return w;
    }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(m_window->windowHandle(), Qt::Key(k), mods);
    }
    QRect cellEditorRect(int cell)
    {
        const TRect r = m_window->PageWidget()->CellRecord(cell).rFree;
        const QPoint at = m_window->PageWidget()->pos();
        return QRect(at.x() + r.Left + 1, at.y() + r.Top + 1, r.Right - r.Left + 1,
                     r.Bottom - r.Top + 1);
    }

    QTemporaryDir m_dir;
    MessageHook m_oldHook;
    QStringList m_messages;
    std::unique_ptr<TCalendarMain> m_window;
    TCalendarPanel32* page = nullptr;
    CellTextEditor* editor = nullptr;
};

}  // namespace

TEST_F(CellEditorTest, EditorLiesOverTheCellAndShowsItAsThePageDoes)
{
    TCalendarMain& w = start();
    const int cell = page->DayCell(12);
    page->SetCellText(cell, rtf(kFormatted));

    for (float zoom : {0.601f, 1.001f, 0.501f}) {
        w.PageWidget()->SetZoom(Zoom(zoom));
        QImage painted;
        page->PaintToBitmap(painted, page->View());
        page->CellClick(cell);
        ASSERT_TRUE(editor->isVisible());
        EXPECT_EQ(editor->geometry(), cellEditorRect(cell));
        const TRect r = w.PageWidget()->CellRecord(cell).rFree;
        const int width = r.Right - r.Left + 1;
        EXPECT_EQ(editor->PageWidthTwips(), width * 15);
        EXPECT_EQ(editor->ZoomPercent(), int(std::trunc(zoom * 100.0)));

        // The page lays cell text out on the unzoomed width; so does the editor.
        std::unique_ptr<QTextDocument> reference(page->CellStore(cell)->Document().clone());
        reference->setDocumentMargin(0);
        reference->setTextWidth(TwipsToPixels(std::trunc(width / double(zoom) / 96.0 * 1440.0)));
        reference->documentLayout()->documentSize();
        EXPECT_EQ(lineStarts(*editor->document()), lineStarts(*reference)) << zoom;
        EXPECT_GT(lineStarts(*reference).size(), 3);

        // Pixel for pixel what the page shows, one border pixel further in
        // (the cursor aside).
        editor->clearFocus();
        const QImage shown = editor->viewport()->grab().toImage();
        int differ = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if ((shown.pixel(x, y) & 0xFFFFFF) != (painted.pixel(r.Left + x, r.Top + y) & 0xFFFFFF))
                    ++differ;
        EXPECT_EQ(differ, 0) << zoom;

        w.DoSaveRichtext();
    }

    // The event names the cell; the editor goes where the page widget shows
    // that cell, whatever zoom the event's page pixels were taken at.
    Q_EMIT page->ClickedInCellEvent(TRect(20, 30, 99 + 20, 49 + 30), TRect(20, 30, 99 + 20, 49 + 30), 3,
                                    0, page->CellStore(3));
    EXPECT_EQ(editor->geometry(), cellEditorRect(3));
    EXPECT_EQ(w.CurrentCell(), 3);
    // A text rectangle of 100 x 50 pixels at 96 PPI is a page of 1500 x 750 twips.
    editor->Load(*page->CellStore(3), 100, 50, 1.0f);
    EXPECT_EQ(editor->PageWidthTwips(), 1500);
    EXPECT_EQ(editor->PageHeightTwips(), 750);
}

TEST_F(CellEditorTest, ModifiedFollowsTypingNotOpeningAndEmptyCellsTakeTheDefaultFont)
{
    IniFile ini(IniFileName());
    ini.WriteString(QStringLiteral("Default Font"), QStringLiteral("Name"), QStringLiteral("Times New Roman"));
    ini.WriteString(QStringLiteral("Default Font"), QStringLiteral("Size"), QStringLiteral("14"));
    ini.WriteString(QStringLiteral("Default Font"), QStringLiteral("Bold"), QStringLiteral("1"));
    ini.WriteString(QStringLiteral("Default Font"), QStringLiteral("Color"), QStringLiteral("255"));
    TCalendarMain& w = start();
    const int withText = page->DayCell(4), empty = page->DayCell(5);
    page->SetCellText(withText, rtf(kFormatted));
    const quint64 revision = page->CellStore(withText)->Revision();
    w.SetModified(false);

    // Open and leave both cells without a key: nothing changes.
    page->CellClick(withText);
    const QTextCharFormat kept = editor->document()->begin().begin().fragment().charFormat();
    EXPECT_EQ(FormatFamily(kept), QStringLiteral("Times New Roman"));
    EXPECT_EQ(kept.fontPointSize(), 14.0);
    page->CellClick(empty);
    EXPECT_TRUE(editor->hasFocus());
    const QTextCharFormat typing = editor->currentCharFormat();
    EXPECT_EQ(FormatFamily(typing), QStringLiteral("Times New Roman"));
    EXPECT_EQ(typing.fontPointSize(), 14.0);
    EXPECT_EQ(typing.fontWeight(), QFont::Bold);
    EXPECT_EQ(typing.foreground().color(), QColor(255, 0, 0));
    w.DoSaveRichtext();
    EXPECT_FALSE(w.Modified());
    EXPECT_EQ(page->CellStore(withText)->Revision(), revision);
    EXPECT_TRUE(page->CellStore(empty)->IsEmpty());
    EXPECT_FALSE(w.RichToolBar()->isEnabled());

    // The first key counts, and the typed text has the default font.
    page->CellClick(empty);
    QTest::keyClicks(editor, QStringLiteral("Hi"));
    EXPECT_TRUE(w.Modified());
    w.DoSaveRichtext();
    EXPECT_EQ(cellLines(page, empty), QStringList{"Hi"});
    const QTextCharFormat f =
        page->CellStore(empty)->Document().begin().begin().fragment().charFormat();
    EXPECT_EQ(FormatFamily(f), QStringLiteral("Times New Roman"));
    EXPECT_EQ(f.fontWeight(), QFont::Bold);
}

TEST_F(CellEditorTest, TabAndShiftTabMoveBetweenCellsAndNeverReachTheEditor)
{
    TCalendarMain& w = start();
    page->CellClick(41);
    QTest::keyClicks(editor, QStringLiteral("x"));
    key(Qt::Key_Tab);
    EXPECT_EQ(w.CurrentCell(), 42);
    EXPECT_EQ(editor->geometry(), cellEditorRect(42));
    EXPECT_EQ(cellLines(page, 41), QStringList{"x"});  // committed on the way
    key(Qt::Key_Tab);  // no cell after 42
    EXPECT_EQ(w.CurrentCell(), 42);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->toPlainText(), QString());
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(w.CurrentCell(), 41);
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("x"));

    page->CellClick(1);
    key(Qt::Key_Backtab, Qt::ShiftModifier);  // no cell before 1
    EXPECT_EQ(w.CurrentCell(), 1);
    EXPECT_EQ(editor->toPlainText(), QString());
    key(Qt::Key_Tab);
    EXPECT_EQ(w.CurrentCell(), 2);
    EXPECT_EQ(editor->toPlainText(), QString());
}

TEST_F(CellEditorTest, CtrlASelectsAllAndTheToolBarActsOnTheEditor)
{
    TCalendarMain& w = start();
    const int cell = page->DayCell(20);
    page->SetCellText(cell, rtf("{\\rtf1\\ansi\\f0\\fs20 Hello world}"));
    w.SetModified(false);
    page->CellClick(cell);
    RichTextToolBar* bar = w.RichToolBar();
    EXPECT_TRUE(bar->isEnabled());
    EXPECT_EQ(bar->FontSizeList()->itemText(0), QStringLiteral("6"));

    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(editor->textCursor().selectedText(), QStringLiteral("Hello world"));
    EXPECT_FALSE(w.Modified());
    bar->Buttons()[0]->click();  // bold
    bar->Buttons()[5]->click();  // centre
    QTest::keyClick(editor, Qt::Key_I, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_U, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_U, Qt::ControlModifier);
    EXPECT_TRUE(bar->Button(RichTextCommand::Italic)->isChecked());
    EXPECT_TRUE(bar->Button(RichTextCommand::Center)->isChecked());
    EXPECT_EQ(bar->Button(RichTextCommand::Justify), nullptr);
    bar->FontSizeList()->textActivated(QStringLiteral("18"));
    EXPECT_TRUE(w.Modified());
    EXPECT_TRUE(editor->hasFocus());
    w.DoSaveRichtext();
    const QTextBlock b = page->CellStore(cell)->Document().begin();
    EXPECT_EQ(b.text(), QStringLiteral("Hello world"));
    EXPECT_EQ(b.begin().fragment().charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(b.begin().fragment().charFormat().fontPointSize(), 18.0);
    EXPECT_EQ(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_TRUE(b.begin().fragment().charFormat().fontItalic());
    EXPECT_FALSE(b.begin().fragment().charFormat().fontUnderline());
    EXPECT_FALSE(bar->isEnabled());
}

TEST_F(CellEditorTest, PicturesDropOnlyIntoDayCells)
{
    TCalendarMain& w = start();
    w.SetModified(false);
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(Qt::darkGreen);
    QMimeData data;
    data.setImageData(icon);
    // (Drag events outside a real drag never reach a widget: the handlers
    // are called as the page widget's event filter calls them.)
    auto dragAt = [&](QPoint p) { return w.PageDragOver(p, &data); };
    const TRect title = w.PageWidget()->Geometry().TitleRect;
    EXPECT_FALSE(dragAt(QPoint((title.Left + title.Right) / 2, (title.Top + title.Bottom) / 2)));
    const int cell = page->DayCell(15);
    const TRect r = w.PageWidget()->CellRecord(cell).rTotal;
    const QPoint inCell((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    EXPECT_TRUE(dragAt(inCell));

    EXPECT_FALSE(w.PageDragDrop(QPoint(title.Left + 2, title.Top + 2), &data));
    EXPECT_FALSE(w.EditingCell());
    EXPECT_TRUE(w.PageDragDrop(inCell, &data));
    EXPECT_EQ(w.CurrentCell(), cell);
    EXPECT_TRUE(w.EditingCell());
    EXPECT_TRUE(w.Modified());
    w.DoSaveRichtext();
    EXPECT_FALSE(page->CellStore(cell)->IsEmpty());
    const QByteArray dropped = page->CellStore(cell)->RtfText();
    EXPECT_EQ(dropped.count("\\pict"), 1);

    // The editor itself takes pictures anywhere in its text (drop or paste).
    page->CellClick(cell);
    QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
    QApplication::clipboard()->setImage(icon);
    editor->paste();
    w.DoSaveRichtext();
    EXPECT_EQ(page->CellStore(cell)->RtfText().count("\\pict"), 2);
}

TEST_F(CellEditorTest, FillCommandPutsTheChosenDatesAndCancelChangesNothing)
{
    SaveRecurringList(BuiltInHolidayEntries() << MakeEntry(QStringLiteral("Gym"), BuildWeekdayList({2, 4})),
                      ProgramDir());
    TCalendarMain& w = start();
    w.SetModified(false);
    bool paletteDuringDialog = true;
    int answer = QDialog::Rejected;
    SetRecurringDialogRunner([&](QDialog&) {
        paletteDuringDialog = w.FloatingPalette()->isShowing();
        return answer;
    });
    if (!w.FloatingPalette()->isShowing())
        w.ShowIconToolClick();
    ASSERT_TRUE(w.FloatingPalette()->isShowing());
    w.FillRecurringClick();
    EXPECT_FALSE(paletteDuringDialog);
    EXPECT_TRUE(w.FloatingPalette()->isShowing());
    EXPECT_FALSE(page->HasCellText());
    EXPECT_FALSE(w.Modified());

    // An open cell with typed text is committed first and opened again after.
    const int current = page->DayCell(11);
    page->CellClick(current);
    QTest::keyClicks(editor, QStringLiteral("Dentist"));
    answer = QDialog::Accepted;
    w.FillRecurringClick();
    EXPECT_EQ(cellLines(page, current), (QStringList{"Dentist", "Veterans Day", "Gym"}));
    EXPECT_EQ(cellLines(page, page->DayCell(28)), QStringList{"Thanksgiving Day"});
    int gym = 0;
    for (int k = 1; k <= 42; ++k)
        gym += cellLines(page, k).contains(QStringLiteral("Gym"));
    EXPECT_EQ(gym, 8);  // Mondays and Wednesdays of November 2024
    EXPECT_TRUE(w.Modified());
    EXPECT_TRUE(w.EditingCell());
    EXPECT_EQ(w.CurrentCell(), current);
    EXPECT_TRUE(editor->toPlainText().startsWith(QStringLiteral("Dentist\nVeterans Day")));
}

TEST_F(CellEditorTest, ShotOfAnOpenCell)
{
    TCalendarMain& w = start();
    w.resize(1100, 900);
    w.ZoomSpinnerUpClick();
    w.ZoomSpinnerUpClick();
    w.ZoomSpinnerUpClick();
    w.ZoomSpinnerUpClick();
    QImage painted;
    page->PaintToBitmap(painted, page->View());
    page->SetCellText(page->DayCell(7), rtf(kFormatted));
    page->SetCellText(page->DayCell(8), rtf("{\\rtf1\\ansi\\f0\\fs20\\b Dentist 9:30}"));
    page->CellClick(page->DayCell(7));
    QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, QStringLiteral("Book a table"));
    QTest::qWait(50);
    test::SaveShot(w.grab().toImage(), QStringLiteral("celleditor_open"));
    EXPECT_TRUE(editor->isVisible());
}
