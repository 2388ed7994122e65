// Undo and redo of every edit, on the real window: each command is done,
// undone and redone, and the saved document must come back byte for byte.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>

#include "core/screen.h"
#include "core/tfont.h"
#include "core/zoom.h"
#include "dates/recurringdates.h"
#include "dates/recurringlistfile.h"
#include "imaging/imageloader.h"
#include "objects/masterrichtextrenderer.h"
#include "objects/objectdialogs.h"
#include "objects/tgbaselabel.h"
#include "objects/tgflatcalendar.h"
#include "objects/tghandle.h"
#include "objects/tgplabel.h"
#include "objects/tgprichbaselabel.h"
#include "objects/tgsupertext.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"
#include "ui/calendarpagewidget.h"
#include "ui/celltexteditor.h"
#include "ui/icalendarcommands.h"
#include "ui/recurring/recurringdialogs.h"
#include "ui/tcalendarmain.h"
#include "ui/uiutil.h"
#include "ui/usertitledialog.h"

using namespace dayloom;

namespace {

TWPRtfStorage Rtf(const char* text)
{
    TWPRtfStorage s;
    s.SetRtfText(QByteArray(text));
    return s;
}

// Page pixels of the test document's objects (the page is shown at 100 %).
const QRect kA(100, 100, 120, 30);
const QRect kB(300, 100, 120, 30);
const QRect kC(100, 300, 120, 30);
const QRect kRich(300, 300, 150, 60);
const QRect kFlat(500, 500, 150, 120);
// A point on the page's margin: no object, no cell.
const QPoint kMargin(3, 3);

class UndoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SetProgramDir(m_dir.path());
        SetScreenPPI(96);
        m_oldMessages = SetMessageHook([this](const MessageRequest& r) {
            messages << r.text;
            return (r.buttons & QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
        });
        m_oldHooks = ObjectDialogs();
    }
    void TearDown() override
    {
        m_window.reset();
        ObjectDialogs() = m_oldHooks;
        SetMessageHook(m_oldMessages);
        SetICalendarFileChooser({});
        SetRecurringDialogRunner({});
    }

    // The test document: three labels, a rich-text label, a floating
    // calendar and a day cell with text, March 2024.
    QString writeDocument()
    {
        QObject owner;
        new MasterRichTextRenderer(&owner);
        auto* p = new TCalendarPanel32(&owner);
        p->ResetPage();
        p->SetMainCalYear(2024);
        p->SetMainCalMonth(3);
        int n = 0;
        for (const QRect& r : {kA, kB, kC}) {
            auto* l = new TGPLabel(p);
            l->setObjectName(QStringLiteral("Component%1").arg(n++));
            p->AddObject(l);
            l->SetBounds(r);
            l->SetCaption(QStringLiteral("Label %1").arg(n));
        }
        auto* rich = new TGPRichBaseLabel(p);
        rich->setObjectName(QStringLiteral("Component3"));
        rich->Setup();
        p->AddObject(rich);
        rich->SetBounds(kRich);
        rich->SetRTFText(Rtf("{\\rtf1\\ansi Rich {\\b text}\\par}"));
        auto* flat = new TGFlatCalendar(p);
        flat->setObjectName(QStringLiteral("Component4"));
        p->AddObject(flat);
        flat->SetBounds(kFlat);
        p->SetCellText(10, Rtf("{\\rtf1\\ansi Ten\\par}"));
        const QString path = m_dir.filePath(QStringLiteral("Undo.DLF"));
        CalendarDocument::SaveToFile(*p, path);
        return path;
    }

    TCalendarMain& start()
    {
        m_window = std::make_unique<TCalendarMain>();
        TCalendarMain& w = *m_window;
        w.SetPropertiesRunner([this](TCalendarPanel32& preview, bool isNew) {
            if (isNew)
                preview.ResetPage();
            return properties ? properties(preview) : isNew;
        });
        w.SetSaveFileChooser([this](const FileDialogSpec&) { return saveAs; });
        w.resize(1000, 800);
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !w.Loading(); }));
        w.OpenCalendarFile(writeDocument());
        w.PageWidget()->SetZoom(Zoom());
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        page = w.CalendarPanel();
        widget = w.PageWidget();
        widget->SetMenuChooser([this](const MenuEntryList& menu, QPoint) {
            const MenuEntry* item = FindMenuItem(menu, menuChoice);
            ASSERT_TRUE(item && item->action) << menuChoice.toStdString();
            item->action();
        });
        return w;
    }

    QByteArray bytes() const { return CalendarDocument::Save(*page); }
    void settle()
    {
        if (settling)
            QCoreApplication::processEvents();
    }
    TGGraphicControl* at(int place) const { return page->Objects().value(place); }
    QList<TGGraphicControl*> selected() const { return page->Handle()->Selection(); }
    bool saveButtonShown() const
    {
        return m_window->findChild<QPushButton*>(QStringLiteral("SaveButton"))->isVisibleTo(m_window.get());
    }
    QToolButton* button(const char* name) const
    {
        return m_window->findChild<QToolButton*>(QString::fromLatin1(name));
    }

    // A drag that counts as one (the release comes well after 150 ms).
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseMove(widget, from);
        QTest::mousePress(widget, Qt::LeftButton, mods, from);
        QTest::mouseMove(widget, from + QPoint(1, 0), 20);
        QTest::mouseMove(widget, to, 20);
        QTest::mouseRelease(widget, Qt::LeftButton, mods, to, 200);
        settle();
    }
    void click(QPoint at) { QTest::mouseClick(widget, Qt::LeftButton, {}, at); }
    // The item of the popup menu that a right click at the point opens.
    void menu(QPoint at, const QString& caption)
    {
        menuChoice = caption;
        QTest::mouseClick(widget, Qt::RightButton, {}, at);
        settle();
    }
    void key(int k, Qt::KeyboardModifiers mods = {})
    {
        QTest::keyClick(widget, Qt::Key(k), mods);
        settle();
    }

    // Does the edit and checks it as a step named `name`: undone, the
    // document is as before, modified as before; redone, it is as after.
    // Leaves the document undone.
    void step(const QString& name, const std::function<void()>& edit)
    {
        SCOPED_TRACE(name.toStdString());
        TCalendarMain& w = *m_window;
        const QByteArray before = bytes();
        const bool wasModified = w.Modified();
        const int index = w.UndoStack()->index();
        edit();
        settle();
        const QByteArray after = bytes();
        ASSERT_NE(after, before);
        EXPECT_EQ(w.UndoStack()->index(), index + 1);
        EXPECT_TRUE(w.Modified());
        EXPECT_TRUE(saveButtonShown());
        EXPECT_EQ(w.UndoAction()->text(), QStringLiteral("&Undo ") + name);
        EXPECT_EQ(button("UndoButton")->toolTip(), QStringLiteral("Undo ") + name);
        ASSERT_TRUE(w.UndoAction()->isEnabled());
        const QList<TGGraphicControl*> selectedAfter = selected();

        w.UndoAction()->trigger();
        EXPECT_EQ(bytes(), before);
        EXPECT_EQ(w.Modified(), wasModified);
        EXPECT_EQ(saveButtonShown(), wasModified);
        EXPECT_EQ(w.RedoAction()->text(), QStringLiteral("&Redo ") + name);
        EXPECT_EQ(button("RedoButton")->toolTip(), QStringLiteral("Redo ") + name);

        w.RedoAction()->trigger();
        EXPECT_EQ(bytes(), after);
        EXPECT_TRUE(w.Modified());
        EXPECT_EQ(selected().size(), selectedAfter.size());
        w.UndoAction()->trigger();
        EXPECT_EQ(bytes(), before);
    }

    QTemporaryDir m_dir;
    MessageHook m_oldMessages;
    ObjectDialogHooks m_oldHooks;
    std::unique_ptr<TCalendarMain> m_window;
    TCalendarPanel32* page = nullptr;
    CalendarPageWidget* widget = nullptr;
    QString menuChoice;
    QStringList messages;
    QString saveAs;
    std::function<bool(TCalendarPanel32&)> properties;
    // Off: events (repaints) are left waiting between edits.
    bool settling = true;
};

QPoint inside(const QRect& r) { return r.topLeft() + QPoint(10, 10); }

}  // namespace

TEST_F(UndoTest, EditMenuSitsBetweenFileAndHelpAndIsOffWithoutSteps)
{
    TCalendarMain& w = start();
    QStringList bar;
    for (QAction* a : w.menuBar()->actions())
        bar << a->text();
    EXPECT_EQ(bar, (QStringList{"&File", "&Edit", "&Help"}));
    EXPECT_EQ(w.EditMenu()->actions(), (QList<QAction*>{w.UndoAction(), w.RedoAction()}));
    EXPECT_EQ(w.UndoAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(w.RedoAction()->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                   QKeySequence(Qt::CTRL | Qt::Key_Y)}));
    EXPECT_EQ(w.UndoAction()->text(), QStringLiteral("&Undo"));
    EXPECT_FALSE(w.UndoAction()->isEnabled());
    EXPECT_FALSE(w.RedoAction()->isEnabled());
    EXPECT_FALSE(button("UndoButton")->isEnabled());
    EXPECT_EQ(button("RedoButton")->toolTip(), QStringLiteral("Redo"));
    EXPECT_FALSE(w.Modified());

    // The keys reach the actions; redo has both of its keys.
    const QByteArray before = bytes();
    click(inside(kA));
    key(Qt::Key_Delete);
    const QByteArray deleted = bytes();
    ASSERT_NE(deleted, before);
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(selected(), QList<TGGraphicControl*>{at(0)});  // the selection came back
    QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(bytes(), deleted);
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(bytes(), deleted);
}

TEST_F(UndoTest, MovingResizingAndArrangingObjects)
{
    TCalendarMain& w = start();
    step("Move", [&] {
        click(inside(kA));
        drag(inside(kA), inside(kA) + QPoint(40, 25));
    });
    EXPECT_EQ(selected(), QList<TGGraphicControl*>{at(0)});
    step("Resize", [&] {
        click(inside(kB));
        // the bottom-right grab square of the handle
        const QPoint corner = page->Handle()->Bounds().bottomRight() - QPoint(1, 1);
        drag(corner, corner + QPoint(30, 20));
    });

    // Arrow keys: every release moves; moves of the same selection are one
    // step, and a run that comes back where it began is no step at all.
    click(inside(kC));
    const int index = w.UndoStack()->index();
    step("Move", [&] {
        for (int i = 0; i < 3; ++i)
            key(Qt::Key_Right);
        key(Qt::Key_Down);
    });
    EXPECT_EQ(at(2)->Bounds(), kC);
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Right);
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Left);
    EXPECT_EQ(w.UndoStack()->index(), index);
    EXPECT_FALSE(w.UndoStack()->canRedo());

    step("Align Left", [&] {
        drag(kMargin, QPoint(440, 150));  // A and B
        ASSERT_EQ(selected().size(), 2);
        menu(kMargin, QStringLiteral("Align Left"));
    });
    step("Center Horizontally", [&] {
        drag(kMargin, QPoint(440, 150));
        menu(kMargin, QStringLiteral("Center Horizontally"));
    });
    step("Bring To Front", [&] { menu(inside(kA), QStringLiteral("Bring To Front")); });
    step("Send To Back", [&] { menu(inside(kFlat), QStringLiteral("Send To Back")); });
    EXPECT_EQ(selected(), QList<TGGraphicControl*>{at(4)});  // emptied by the command, back
    step("Locked", [&] { menu(inside(kB), QStringLiteral("Locked")); });
    step("Lock All", [&] { menu(kMargin, QStringLiteral("Lock All")); });
    step("Unselectable", [&] { menu(inside(kC), QStringLiteral("Unselectable")); });
    EXPECT_TRUE(selected().contains(at(2)));  // selectable and selected again
}

TEST_F(UndoTest, PlacingDeletingCuttingPastingAndCloning)
{
    TCalendarMain& w = start();
    ObjectDialogs().editLabelText = [](QString& text) {
        text = QStringLiteral("Placed");
        return true;
    };
    ObjectDialogs().browseImage = [](LoadedPicture&, bool&, bool&) { return false; };
    step("Place Label", [&] {
        w.SetToolMode(psLabel);
        drag(QPoint(600, 150), QPoint(700, 190));
    });
    EXPECT_TRUE(selected().isEmpty());
    // Placing a clip-art box and choosing no picture leaves no step.
    const int index = w.UndoStack()->index();
    w.SetToolMode(psImage);
    drag(QPoint(600, 150), QPoint(700, 190));
    EXPECT_EQ(w.UndoStack()->index(), index);
    EXPECT_FALSE(w.Modified());

    // Clip art: the picture travels in the object's record.
    QImage picture(24, 16, QImage::Format_RGB32);
    picture.fill(QColor(200, 40, 40));
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    int shade = 0;
    ObjectDialogs().browseImage = [&](LoadedPicture& chosen, bool&, bool&) {
        picture.fill(QColor(200, 40, shade += 60));
        QByteArray other;
        QBuffer out(&other);
        out.open(QIODevice::WriteOnly);
        picture.save(&out, "BMP");
        chosen = ImageLoader::Load(other, ImageLoader::Kind::Bmp);
        return true;
    };
    step("Place Clip Art", [&] {
        w.SetToolMode(psImage);
        drag(QPoint(600, 150), QPoint(700, 190));
    });
    w.RedoClick();
    const QPoint clipArt = page->Objects().last()->Bounds().topLeft() + QPoint(3, 3);
    step("Flip", [&] { menu(clipArt, QStringLiteral("Flip")); });
    step("Load Image From Disk", [&] { menu(clipArt, QStringLiteral("Load Image From Disk")); });
    w.UndoClick();

    step("Delete", [&] {
        drag(kMargin, QPoint(440, 340));
        key(Qt::Key_Delete);
    });
    EXPECT_EQ(selected().size(), 4);  // the four deleted objects are selected again
    step("Delete", [&] { menu(inside(kRich), QStringLiteral("Delete")); });
    step("Cut", [&] {
        click(inside(kB));
        key(Qt::Key_X, Qt::ControlModifier);
    });
    step("Paste", [&] { key(Qt::Key_V, Qt::ControlModifier); });
    step("Clone", [&] { menu(inside(kFlat), QStringLiteral("Clone")); });
    EXPECT_EQ(selected(), QList<TGGraphicControl*>{at(4)});  // the source, selected again
}

TEST_F(UndoTest, ObjectDialogsAndTogglesAreStepsOfTheirObjects)
{
    TCalendarMain& w = start();
    ObjectDialogs().chooseFont = [](TFont& f) {
        f.SetSize(31);
        f.SetName(QStringLiteral("Courier New"));
        return true;
    };
    ObjectDialogs().chooseColor = [](TColor& c) {
        c = 0x00FF00;
        return true;
    };
    ObjectDialogs().edit3DEffects = [](TGBaseLabel& l) {
        l.SetDepthShadow(4);
        return true;
    };
    ObjectDialogs().editRichText = [](TGPRichBaseLabel& l) {
        l.SetRTFText(Rtf("{\\rtf1\\ansi Edited\\par}"));
        return true;
    };
    ObjectDialogs().editFlatCalendar = [](TGFlatCalendar& c) {
        c.SetMonth(7);
        return true;
    };
    step("Font", [&] { menu(inside(kA), QStringLiteral("Font")); });
    step("3D Effects", [&] { menu(inside(kA), QStringLiteral("3D Effects")); });
    step("Alignment Center", [&] { menu(inside(kA), QStringLiteral("Center")); });
    step("Transparent", [&] { menu(inside(kB), QStringLiteral("Transparent")); });
    step("Background Color", [&] { menu(inside(kB), QStringLiteral("Background Color")); });
    step("Border", [&] { menu(inside(kRich), QStringLiteral("Border")); });
    step("Edit", [&] { menu(inside(kRich), QStringLiteral("Edit")); });
    step("Edit Rich Text", [&] {
        click(inside(kRich));
        QTest::mouseDClick(widget, Qt::LeftButton, {}, inside(kRich));
    });
    step("Properties", [&] { menu(inside(kFlat), QStringLiteral("Properties")); });
    // The container's font goes to every selected label.
    step("Font", [&] {
        drag(kMargin, QPoint(440, 340));
        menu(kMargin, QStringLiteral("Font"));
    });
    // A dialog cancelled is no step.
    ObjectDialogs().chooseFont = [](TFont&) { return false; };
    const int index = w.UndoStack()->index();
    menu(inside(kA), QStringLiteral("Font"));
    EXPECT_EQ(w.UndoStack()->index(), index);
}

TEST_F(UndoTest, SpecialEffectsTextIsPlacedAndEditedInSteps)
{
    TCalendarMain& w = start();
    ObjectDialogs().editSuperText = [](const TGSuperText&, TGSuperText& edited, QString&) {
        edited.SetCaption(QStringLiteral("Super"));
        edited.SetShadowDepth(5);
        return true;
    };
    ObjectDialogs().chooseScalableFont = [](TFont& f) {
        f.SetSize(f.Size() + 7);
        f.SetName(QStringLiteral("Courier New"));
        return true;
    };
    ObjectDialogs().chooseColor = [](TColor& c) {
        c = 0x0000FF;
        return true;
    };
    step("Place SuperText", [&] {
        w.SetToolMode(psSuperText);
        drag(QPoint(560, 150), QPoint(760, 230));
    });
    w.RedoClick();
    const QPoint super = page->Objects().last()->Bounds().topLeft() + QPoint(5, 5);
    ObjectDialogs().editSuperText = [](const TGSuperText&, TGSuperText& edited, QString&) {
        edited.SetCaption(QStringLiteral("Changed"));
        return true;
    };
    step("Properties", [&] { menu(super, QStringLiteral("Properties")); });
    step("Font", [&] { menu(super, QStringLiteral("Font")); });
    step("Transparent", [&] { menu(super, QStringLiteral("Transparent")); });
    step("Border", [&] { menu(super, QStringLiteral("Border")); });
    step("Background Color", [&] { menu(super, QStringLiteral("Background Color")); });
    step("Clone", [&] { menu(super, QStringLiteral("Clone")); });
}

TEST_F(UndoTest, CellsTitleAndPropertiesAreStepsOfThePage)
{
    TCalendarMain& w = start();
    step("Cell Text", [&] {
        page->CellClick(12);
        QTest::keyClicks(w.CellEditor(), QStringLiteral("Dentist"));
        EXPECT_FALSE(w.UndoAction()->isEnabled());  // the editor has its own undo
        const int index = w.UndoStack()->index();
        w.UndoClick();
        EXPECT_EQ(w.UndoStack()->index(), index);
        w.DoSaveRichtext();
    });
    // Ctrl+Z in the cell editor is the editor's own undo.
    const int index = w.UndoStack()->index();
    page->CellClick(20);
    QTest::keyClicks(w.CellEditor(), QStringLiteral("abc"));
    QTest::keyClick(w.CellEditor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w.CellEditor()->toPlainText(), QString());
    w.DoSaveRichtext();
    EXPECT_EQ(w.UndoStack()->index(), index);
    EXPECT_FALSE(w.Modified());

    step("Clear All Cell Contents", [&] { w.ClearAllCellsClick(); });
    step("User Defined Title", [&] {
        QTimer::singleShot(0, [] {
            auto* d = qobject_cast<UserTitleDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(d);
            d->Edit()->setText(QStringLiteral("Our Year"));
            d->accept();
        });
        w.UserTitleClick();
    });
    // Another month empties the cells: one step with the settings.
    properties = [](TCalendarPanel32& p) {
        p.SetMainCalMonth(4);
        TFontData f = p.TitleFont();
        f.Name = QStringLiteral("Arial");
        p.SetTitleFont(f);
        return true;
    };
    step("Properties", [&] { w.PropertiesClick(); });
    EXPECT_TRUE(page->HasCellText());
    EXPECT_EQ(page->MainCalMonth(), 3);

    // A style sheet loaded in the dialog is part of its OK.
    const QString style = m_dir.filePath(QStringLiteral("Style.DLS"));
    {
        TCalendarPanel32 styled;
        styled.ResetPage();
        styled.SetCalendarLayout(loFCMinisInTitle);
        styled.SetTitleBGColor(0x00FFCC);
        SaveStyleSheet(styled, style);
    }
    properties = [style](TCalendarPanel32& p) {
        LoadStyleSheet(p, style);
        return true;
    };
    step("Properties", [&] { w.PropertiesClick(); });

        SaveRecurringList({MakeEntry(QStringLiteral("Gym"), BuildWeekdayList({2, 4}))}, ProgramDir());
    SetRecurringDialogRunner([](QDialog&) { return int(QDialog::Accepted); });
    // The current cell opens again after the fill; as long as nothing is
    // typed into it, Undo is the page's (it closes the editor first).
    step("Fill Calendar with Recurring Dates", [&] {
        page->CellClick(20);
        w.FillRecurringClick();
        ASSERT_TRUE(w.CellEditor()->isVisible());
    });

    const QString ics = m_dir.filePath(QStringLiteral("in.ics"));
    QFile f(ics);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\n"
            "UID:1@test\r\nDTSTART;VALUE=DATE:20240315\r\nSUMMARY:Concert\r\nEND:VEVENT\r\n"
            "END:VCALENDAR\r\n");
    f.close();
    SetICalendarFileChooser([ics](const FileDialogSpec&) { return ics; });
    step("Import iCalendar File", [&] {
        ImportICalendarCommand(w);
        w.DoSaveRichtext();
    });

    // Typing into the open cell gives undo back to the editor; undoing the
    // typing there gives it to the page again.
    w.RedoAction()->trigger();
    page->CellClick(21);
    ASSERT_TRUE(w.UndoAction()->isEnabled());
    QTest::keyClicks(w.CellEditor(), QStringLiteral("x"));
    EXPECT_FALSE(w.UndoAction()->isEnabled());
    QTest::keyClick(w.CellEditor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(w.UndoAction()->isEnabled());
    w.DoSaveRichtext();
}

TEST_F(UndoTest, ModifiedFollowsTheStateLastWritten)
{
    TCalendarMain& w = start();
    click(inside(kA));
    key(Qt::Key_Delete);
    click(inside(kB));
    key(Qt::Key_Delete);
    EXPECT_TRUE(w.Modified());
    w.FileSaveClick();
    EXPECT_FALSE(w.Modified());
    EXPECT_FALSE(saveButtonShown());
    const QByteArray saved = bytes();
    w.UndoClick();
    EXPECT_TRUE(w.Modified());
    EXPECT_TRUE(saveButtonShown());
    w.UndoClick();
    EXPECT_TRUE(w.Modified());  // the opened state is not the written one any more
    w.RedoClick();
    w.RedoClick();
    EXPECT_EQ(bytes(), saved);
    EXPECT_FALSE(w.Modified());

    // Clearing the flag (as printing does around its work) does not make
    // the state a saved one.
    click(inside(kC));
    key(Qt::Key_Delete);
    w.SetModified(false);
    click(inside(kRich));
    key(Qt::Key_Delete);
    w.UndoClick();
    EXPECT_TRUE(w.Modified());
    w.UndoClick();
    EXPECT_FALSE(w.Modified());

    // A failed write moves nothing.
    click(inside(kFlat));
    key(Qt::Key_Delete);
    saveAs = m_dir.filePath(QStringLiteral("missing/folder/x.DLF"));
    EXPECT_FALSE(w.SaveCalendarFile(saveAs));
    w.UndoClick();
    EXPECT_FALSE(w.Modified());

    // New cancelled in its properties dialog keeps the steps; Open, New and
    // Cancel Changes clear them.
    w.RedoClick();
    properties = [](TCalendarPanel32&) { return false; };
    w.FileNewClick();  // "Save changes?" answered Yes: a save to the current file
    EXPECT_EQ(w.UndoStack()->count(), 3);
    EXPECT_FALSE(w.Modified());
    w.UndoClick();
    w.CancelChangesClick();
    EXPECT_EQ(w.UndoStack()->count(), 0);
    EXPECT_FALSE(w.UndoAction()->isEnabled());
    EXPECT_FALSE(w.Modified());
    properties = [](TCalendarPanel32&) { return true; };
    w.FileNewClick();
    EXPECT_EQ(w.UndoStack()->count(), 0);
    EXPECT_TRUE(w.Modified());
    ObjectDialogs().editLabelText = [](QString&) { return true; };
    w.SetToolMode(psLabel);
    drag(QPoint(600, 150), QPoint(700, 190));
    w.UndoClick();
    EXPECT_TRUE(w.Modified());  // a new document has no saved state
}

TEST_F(UndoTest, ChangesOutsideAnyCommandForgetTheSteps)
{
    TCalendarMain& w = start();
    click(inside(kA));
    key(Qt::Key_Delete);
    ASSERT_EQ(w.UndoStack()->count(), 1);
    at(0)->SetLeft(5);
    EXPECT_EQ(w.UndoStack()->count(), 0);
    EXPECT_TRUE(w.Modified());
    EXPECT_FALSE(w.UndoAction()->isEnabled());
}

// 500 edits of every kind the mouse and keys make, chosen at random: all
// undone give the document as opened, all redone the document as left.
TEST_F(UndoTest, RandomEditsUndoToTheStartAndRedoToTheEnd)
{
    TCalendarMain& w = start();
    ObjectDialogs().editLabelText = [](QString& text) {
        text = QStringLiteral("R");
        return true;
    };
    ObjectDialogs().chooseFont = [](TFont& f) {
        f.SetSize(f.Size() % 40 + 1);
        return true;
    };
    std::mt19937 random(20);
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    const QByteArray start = bytes();
    settling = false;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 500; ++i) {
        click(kMargin);  // nothing selected
        const int n = int(page->Objects().size());
        TGGraphicControl* o = n > 0 ? at(pick(n)) : nullptr;
        const QPoint p = o ? o->Bounds().topLeft() + QPoint(3, 3) : QPoint();
        switch (o ? pick(9) : 0) {
        case 0:
            w.SetToolMode(psLabel);
            drag(QPoint(20 + pick(500), 40 + pick(700)), QPoint(100 + pick(600), 120 + pick(700)));
            break;
        case 1:
            if (!o->Unselectable() && !o->Locked()) {
                // objects stay clear of the margin point
                const QPoint by(qMax(pick(60) - 30, 20 - o->Left()), qMax(pick(60) - 30, 20 - o->Top()));
                click(p);
                drag(p, p + by);
            }
            break;
        case 2:
            click(p);
            key(Qt::Key_Left + pick(4), pick(2) ? Qt::ShiftModifier : Qt::NoModifier);
            break;
        case 3:
            menu(p, pick(2) ? QStringLiteral("Bring To Front") : QStringLiteral("Locked"));
            break;
        case 4:
            if (n > 3 || pick(4) == 0)
                menu(p, QStringLiteral("Delete"));
            break;
        case 5:
            menu(p, QStringLiteral("Clone"));
            break;
        case 6:
            drag(kMargin, QPoint(100 + pick(700), 100 + pick(900)));
            menu(kMargin, pick(2) ? QStringLiteral("Align Tops") : QStringLiteral("Send To Back"));
            break;
        case 7:
            if (qobject_cast<TGBaseLabel*>(o))
                menu(p, QStringLiteral("Font"));
            break;
        default:
            page->CellClick(1 + pick(42));
            QTest::keyClicks(w.CellEditor(), QStringLiteral("x"));
            w.DoSaveRichtext();
            break;
        }
    }
    w.DoSaveRichtext();
    const qint64 editing = timer.restart();
    const QByteArray end = bytes();
    const int steps = w.UndoStack()->count();
    EXPECT_GT(steps, 300);
    while (w.UndoStack()->canUndo())
        w.UndoClick();
    EXPECT_EQ(bytes(), start);
    EXPECT_FALSE(w.Modified());
    while (w.UndoStack()->canRedo())
        w.RedoClick();
    EXPECT_EQ(bytes(), end);
    EXPECT_TRUE(w.Modified());
    RecordProperty("edits_ms", int(editing));
    RecordProperty("undo_redo_ms", int(timer.elapsed()));
}
