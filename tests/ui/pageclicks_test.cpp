// Clicks and hit tests on the page widget: the cell under the point where
// the widget shows it (at any zoom), the click rules and their events.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "core/screen.h"
#include "objects/tggraphiccontrol.h"
#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"
#include "ui/calendarpagewidget.h"

using namespace dayloom;

namespace {

struct CellEvents : QObject {
    QList<int> cells, days;
    QList<TWPRtfStorage*> stores;
    void connectTo(TCalendarPanel32& page)
    {
        connect(&page, &TCalendarPanel32::ClickedInCellEvent, this,
                [this](TRect, TRect, int cell, int day, TWPRtfStorage* s) {
                    cells << cell;
                    days << day;
                    stores << s;
                });
    }
};

QPoint centre(const TRect& r) { return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

// November 1997 starts on Saturday and has 30 days.
struct NovemberPage {
    TCalendarPanel32 page;
    CalendarPageWidget widget{&page};
    explicit NovemberPage(float zoom = 1.0f)
    {
        page.SetMainCalYear(1997);
        page.SetMainCalMonth(11);
        widget.SetZoom(Zoom(zoom));
    }
    QPoint inCell(int k) const { return centre(widget.CellRecord(k).rTotal); }
};

}  // namespace

TEST(PageClicks, ClickRaisesTheCellEventWithItsStore)
{
    for (float zoom : {1.0f, 0.601f}) {
        SCOPED_TRACE(zoom);
        NovemberPage p(zoom);
        CellEvents ev;
        ev.connectTo(p.page);
        QSignalSpy clicks(&p.widget, &CalendarPageWidget::OnClick);

        p.widget.Click(p.inCell(10));
        ASSERT_EQ(ev.cells, QList<int>{10});
        EXPECT_EQ(ev.days.last(), 4);
        EXPECT_EQ(ev.stores.last(), p.page.CellStore(10));
        // a position before day 1 still is a cell, with day 0
        p.widget.Click(p.inCell(2));
        EXPECT_EQ(ev.cells.last(), 2);
        EXPECT_EQ(ev.days.last(), 0);
        EXPECT_EQ(clicks.count(), 0);

        // a page object over the cell takes the click
        auto* object = new TGGraphicControl;
        object->SetBounds(p.page.CellRecord(12).rTotal.toQRect());
        p.page.AddObject(object);
        p.widget.Click(p.inCell(12));
        EXPECT_EQ(ev.cells.size(), 2);
        EXPECT_EQ(clicks.count(), 0);

        // only pointing mode clicks
        p.page.SetPanelState(psImage);
        p.widget.Click(p.inCell(10));
        EXPECT_EQ(ev.cells.size(), 2);
    }
}

TEST(PageClicks, ClicksOutsideCellsAndOnMultiMonthPages)
{
    NovemberPage p;
    QSignalSpy header(&p.widget, &CalendarPageWidget::OnClickedHeader);
    QSignalSpy daysArea(&p.widget, &CalendarPageWidget::OnClickedDaysArea);
    QSignalSpy clicks(&p.widget, &CalendarPageWidget::OnClick);

    p.widget.Click(centre(p.widget.Geometry().TitleRect));
    EXPECT_EQ(header.count(), 1);
    EXPECT_EQ(clicks.count(), 1);  // the title band also gives OnClick
    p.widget.Click(centre(p.widget.Geometry().HeaderRect));
    EXPECT_EQ(daysArea.count(), 1);
    EXPECT_EQ(clicks.count(), 2);

    // nobody listens to the cell event: a cell click ends there
    p.widget.Click(p.inCell(20));
    EXPECT_EQ(clicks.count(), 2);

    CellEvents ev;
    ev.connectTo(p.page);
    p.page.SetCalendarLayout(loMC12Month);
    EXPECT_FALSE(p.widget.IsPointInCell(QPoint(200, 200)));
    p.widget.Click(QPoint(200, 200));
    p.widget.CellClickAtPoint(QPoint(200, 200));
    EXPECT_TRUE(ev.cells.isEmpty());
    EXPECT_EQ(clicks.count(), 3);
}

TEST(PageClicks, HitTestsFollowTheZoomWithRightAndBottomEdgesOutside)
{
    for (float zoom : {1.0f, 0.601f, 0.501f}) {
        SCOPED_TRACE(zoom);
        NovemberPage p(zoom);
        const TRect r = p.widget.CellRecord(7).rTotal;
        // the widget's records are the render step's at its mapping
        EXPECT_EQ(r, p.page.Geometry(p.widget.Mapping()).Cells[6].rTotal);
        EXPECT_EQ(p.widget.CellAtPoint(QPoint(r.Left, r.Top)), 7);
        EXPECT_EQ(p.widget.CellAtPoint(QPoint(r.Right, r.Top)), 0);
        EXPECT_EQ(p.widget.CellAtPoint(QPoint(r.Left, r.Bottom)), 0);
        CellEvents ev;
        ev.connectTo(p.page);
        p.widget.CellClickAtPoint(QPoint(r.Left + 1, r.Top + 1));
        EXPECT_EQ(ev.cells, QList<int>{7});
    }
}
