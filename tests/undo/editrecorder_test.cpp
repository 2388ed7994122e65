// The recorder on a bare page: what one command changed becomes one step
// that takes the page back byte for byte, however the change is made up.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QUndoStack>

#include "core/screen.h"
#include "objects/tghandle.h"
#include "objects/tgplabel.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "undo/editrecorder.h"

using namespace dayloom;

namespace {

struct Page {
    TCalendarPanel32 page;
    QUndoStack stack;
    EditRecorder recorder{&page, &stack};
    int lost = 0;

    explicit Page(int labels)
    {
        for (int i = 0; i < labels; ++i) {
            auto* l = new TGPLabel;
            l->setObjectName(QStringLiteral("Component%1").arg(i));
            page.AddObject(l);
            l->SetBounds(QRect(20 + 90 * i, 40, 80, 30));
            l->SetCaption(QStringLiteral("L%1").arg(i));
        }
        // (setting the page up is no command: counted from here)
        stack.clear();
        QObject::connect(&recorder, &EditRecorder::HistoryLost, [this] { ++lost; });
    }
    QByteArray bytes() const { return CalendarDocument::Save(page); }
    TGPLabel* at(int i) const { return qobject_cast<TGPLabel*>(page.Objects().value(i)); }
    void select(std::initializer_list<int> places)
    {
        page.Handle()->Clear();
        for (int p : places)
            page.Handle()->Add(page.Objects().at(p));
    }
    void keyMove(int dx)
    {
        EditRecorder::ObjectEdit edit;
        edit.Keyboard = true;
        recorder.RecordObjects(edit, [&] {
            for (TGGraphicControl* o : page.Handle()->Selection())
                o->SetLeft(o->Left() + dx);
        });
    }
};

}  // namespace

TEST(EditRecorder, OneCommandThatDeletesLayersMovesLocksEditsAndPlacesIsOneStep)
{
    SetScreenPPI(96);
    Page p(6);
    p.select({1, 4});
    const QByteArray before = p.bytes();
    EditRecorder::ObjectEdit edit;
    edit.Text = QStringLiteral("Everything");
    edit.Targets = {p.at(2)};
    edit.Content = true;
    TGPLabel* moved = p.at(0);
    TGPLabel* edited = p.at(2);
    TGPLabel* locked = p.at(5);
    p.recorder.RecordObjects(edit, [&] {
        p.page.DeleteObject(p.at(1));
        p.page.BringObjectToFront(p.at(2));
        moved->SetBounds(QRect(5, 300, 50, 60));
        locked->SetLocked(true);
        edited->SetCaption(QStringLiteral("Changed"));
        auto* added = new TGPLabel;
        p.page.PlaceObject(added, QRect(400, 400, 60, 20));
        p.page.SendObjectToBack(p.at(3));
    });
    ASSERT_EQ(p.stack.count(), 1);
    EXPECT_EQ(p.stack.undoText(), QStringLiteral("Everything"));
    const QByteArray after = p.bytes();
    ASSERT_NE(after, before);
    for (int round = 0; round < 2; ++round) {
        p.recorder.Undo();
        EXPECT_EQ(p.bytes(), before);
        // the selection of before the step, by place
        ASSERT_EQ(p.page.Handle()->Count(), 2);
        EXPECT_EQ(p.page.Handle()->Selection()[0], p.page.Objects()[1]);
        EXPECT_EQ(p.page.Handle()->Selection()[1], p.page.Objects()[4]);
        p.recorder.Redo();
        EXPECT_EQ(p.bytes(), after);
    }
    EXPECT_EQ(p.lost, 0);
}

TEST(EditRecorder, KeyboardMovesMergeOnlyForTheSameSelectionAndNeverOverTheSavedState)
{
    SetScreenPPI(96);
    Page p(3);
    const QByteArray start = p.bytes();
    p.select({0});
    p.keyMove(1);
    p.keyMove(1);
    EXPECT_EQ(p.stack.count(), 1);
    p.select({0, 1});
    p.keyMove(1);  // another selection: a step of its own
    EXPECT_EQ(p.stack.count(), 2);
    p.stack.setClean();
    p.keyMove(-1);  // the saved state stays reachable
    EXPECT_EQ(p.stack.count(), 3);
    p.recorder.Undo();
    EXPECT_TRUE(p.stack.isClean());
    p.recorder.Undo();
    p.recorder.Undo();
    EXPECT_EQ(p.bytes(), start);

    // A run that ends where it began leaves no step behind.
    p.select({2});
    p.keyMove(3);
    p.keyMove(-3);
    EXPECT_EQ(p.stack.index(), 0);
    EXPECT_FALSE(p.stack.canRedo());
}

TEST(EditRecorder, InnerEditsCloseWhatTheOuterOneChangedSoFar)
{
    SetScreenPPI(96);
    Page p(3);
    const QByteArray start = p.bytes();
    p.recorder.BeginObjects({});
    p.at(0)->SetLeft(200);
    p.recorder.RecordObjects({QStringLiteral("Inner"), {}}, [&] { p.at(1)->SetLocked(true); });
    p.at(2)->SetTop(500);
    p.recorder.EndObjects();
    ASSERT_EQ(p.stack.count(), 3);
    EXPECT_EQ(p.stack.text(0), QStringLiteral("Move"));
    EXPECT_EQ(p.stack.text(1), QStringLiteral("Inner"));
    EXPECT_EQ(p.stack.text(2), QStringLiteral("Move"));
    while (p.stack.canUndo())
        p.recorder.Undo();
    EXPECT_EQ(p.bytes(), start);
}

TEST(EditRecorder, ChangesItCannotTakeBackForgetTheHistory)
{
    SetScreenPPI(96);
    Page p(3);
    p.select({0});
    p.keyMove(4);
    ASSERT_EQ(p.stack.count(), 1);
    // outside any command
    p.at(1)->SetTop(90);
    EXPECT_EQ(p.lost, 1);
    EXPECT_EQ(p.stack.count(), 0);
    EXPECT_FALSE(p.stack.isClean());  // no way back to a saved state

    // An object removed that the command did not name has no record.
    p.stack.clear();
    p.page.Handle()->Clear();
    EditRecorder::ObjectEdit cheap;
    cheap.Records = false;
    p.recorder.RecordObjects(cheap, [&] { p.page.DeleteObject(p.at(2)); });
    EXPECT_EQ(p.lost, 2);
    EXPECT_EQ(p.stack.count(), 0);
}
