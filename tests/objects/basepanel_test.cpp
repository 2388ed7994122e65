// The object container's zoom, tool mode and object list.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "objects/tgbasepanel.h"
#include "objects/tggraphiccontrol.h"

using namespace dayloom;

TEST(BasePanel, ZoomRescalesObjectsRoundingHalvesToEven)
{
    TGBasePanel panel;
    auto* o = new TGGraphicControl;
    o->SetBounds(QRect(13, 7, 101, 51));
    panel.AddObject(o);
    QSignalSpy repaint(&panel, &TGBasePanel::RepaintRequested);

    panel.SetZoom(0.5f);
    EXPECT_EQ(o->Scale(), 0.5f);
    EXPECT_EQ(o->Bounds(), QRect(6, 4, 50, 26));  // 6.5 -> 6, 3.5 -> 4, 50.5 -> 50, 25.5 -> 26
    panel.SetZoom(1.0f);
    EXPECT_EQ(o->Bounds(), QRect(12, 8, 100, 52));  // an odd width comes back one pixel off
    const int repaints = repaint.count();
    panel.SetZoom(1.0f);
    panel.SetZoom(0.0f);  // refused
    panel.SetZoom(-1.0f);
    EXPECT_EQ(repaint.count(), repaints);
    EXPECT_EQ(panel.Zoom(), 1.0f);
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
    EXPECT_EQ(PanelStateName(psFlatCalendar), QStringLiteral("psFlatCalendar"));
    EXPECT_TRUE(PanelStateName(TLPanelState(6)).isEmpty());
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
