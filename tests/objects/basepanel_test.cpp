// The object container's zoom, tool mode and object list.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "objects/tgbasepanel.h"
#include "objects/tggraphiccontrol.h"
#include "objecttestutil.h"

using namespace dayloom;

// The view shows objects at its zoom (halves to even) and never changes them.
TEST(BasePanel, ViewMapsObjectsWithoutChangingThem)
{
    TGBasePanel panel;
    auto* o = new TGGraphicControl;
    o->SetBounds(QRect(13, 7, 101, 51));
    panel.AddObject(o);
    QSignalSpy repaint(&panel, &TGBasePanel::RepaintRequested);
    QSignalSpy changed(&panel, &TGBasePanel::LabelChangedEvent);

    panel.SetView(test::At(0.5f));
    EXPECT_EQ(o->ViewRect(), QRect(6, 4, 50, 26));  // 6.5 -> 6, 3.5 -> 4, 50.5 -> 50, 25.5 -> 26
    EXPECT_EQ(o->Bounds(), QRect(13, 7, 101, 51));
    for (float z : {0.601f, 0.701f, 1.001f, 0.501f, 1.0f})
        panel.SetView(test::At(z));
    EXPECT_EQ(o->Bounds(), QRect(13, 7, 101, 51));  // no drift, however often
    EXPECT_EQ(o->ViewRect(), o->Bounds());
    EXPECT_EQ(changed.count(), 0);
    const int repaints = repaint.count();
    panel.SetView(test::At(1.0f));
    EXPECT_EQ(repaint.count(), repaints);
}

// An edit on the view stores round-half-even(view value / zoom) for what it
// changed and keeps the rest, so the object shows where it was put.
TEST(BasePanel, EditsOnTheViewGoBackIntoPagePixels)
{
    TGBasePanel panel;
    auto* o = new TGGraphicControl;
    o->SetBounds(QRect(13, 7, 101, 4));
    panel.AddObject(o);
    panel.SetView(test::At(0.601f));
    const QRect shown = o->ViewRect();
    EXPECT_EQ(shown, QRect(8, 4, 61, 2));
    o->SetViewRect(shown.translated(10, 0));  // a move
    EXPECT_EQ(o->Bounds(), QRect(30, 7, 101, 4));  // 18 / 0.601 = 29.95; the size stays
    EXPECT_EQ(o->ViewRect(), shown.translated(10, 0));
    o->SetViewRect(QRect(18, 4, 70, 2));  // a wider box
    EXPECT_EQ(o->Bounds(), QRect(30, 7, 116, 4));  // 70 / 0.601 = 116.47
    EXPECT_EQ(o->ViewRect(), QRect(18, 4, 70, 2));
    // Every view value comes back where it was put, at every zoom step.
    for (float z : {0.501f, 0.601f, 0.701f, 0.801f, 0.901f, 1.001f}) {
        panel.SetView(test::At(z));
        for (int v = 0; v < 400; ++v) {
            o->SetViewRect(QRect(v, v, v + 5, v + 5));
            EXPECT_EQ(o->ViewRect(), QRect(v, v, v + 5, v + 5)) << z << " " << v;
        }
    }
}

TEST(BasePanel, ToolModeSetsPointingAndCursor)
{
    TGBasePanel panel;
    QSignalSpy cursor(&panel, &TGBasePanel::CursorRequested);
    panel.SetPanelState(psPointing);
    EXPECT_EQ(cursor.count(), 0);
    panel.SetPanelState(psRichLabel);
    EXPECT_FALSE(panel.Pointing());
    panel.SetPanelState(psPointing);
    EXPECT_TRUE(panel.Pointing());
    ASSERT_EQ(cursor.count(), 2);
    EXPECT_EQ(cursor.at(0).at(0).value<Qt::CursorShape>(), Qt::DragMoveCursor);
    EXPECT_EQ(cursor.at(1).at(0).value<Qt::CursorShape>(), Qt::ArrowCursor);
}

TEST(BasePanel, ObjectListAndHitTest)
{
    TGBasePanel panel;
    EXPECT_FALSE(panel.ObjectAtPoint(QPoint(5, 5)));
    auto* a = new TGGraphicControl;
    a->SetBounds(QRect(0, 0, 10, 10));
    auto* b = new TGGraphicControl;
    b->SetBounds(QRect(20, 20, 10, 10));
    panel.AddObject(a);
    panel.AddObject(b);
    panel.AddObject(a);  // once only
    ASSERT_EQ(panel.Objects().size(), 2);
    EXPECT_TRUE(panel.ObjectAtPoint(QPoint(9, 9)));
    EXPECT_FALSE(panel.ObjectAtPoint(QPoint(10, 10)));
    panel.DeleteObject(a);
    EXPECT_EQ(panel.Objects(), QList<TGGraphicControl*>{b});
    delete b;  // an object destroyed elsewhere leaves the list
    EXPECT_TRUE(panel.Objects().isEmpty());
}
