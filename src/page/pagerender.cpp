#include "page/pagerender.h"

#include <QPainter>

#include "page/cellstores.h"
#include "page/celltextcache.h"
#include "paint/paintutil.h"
#include "richtext/twprtfstorage.h"

namespace dayloom {

PageRender::PageRender(const PageSettings& settings, const PageLayout& layout) : m_s(settings), m_layout(layout) {}

MonthPainter::Params PageRender::MainParams(const PageMapping& mapping) const
{
    MonthPainter::Params mp;
    mp.PageColor = clWhite;
    mp.TitleColor = m_s.TitleBGColor;
    mp.MinTitleHeight = mapping.Inches(1.5);
    mp.Month = m_s.MainCalMonth;
    mp.Year = m_s.MainCalYear;
    mp.Rect = mapping.Map(m_layout.MainRect);
    mp.NumberPosition = m_s.NumberPosition;
    mp.StartOfWeek = m_s.StartOfWeek;
    mp.OuterBorder = m_s.CalendarBorder;
    mp.TitleFont = &m_s.TitleFont;
    mp.ShowYear = m_s.TitleShowYear;
    mp.HeadersFont = &m_s.HeadersFont;
    mp.HeadersBorder = m_s.HeadersBorder;
    mp.HeadersStyle = m_s.HeadersStyle;
    mp.HeadersColor = m_s.HeadersBGColor;
    mp.CellFont = &m_s.CellFont;
    mp.CellBorder = m_s.CellBorder;
    mp.MonthNames = m_s.MonthNames;
    mp.DayNames = m_s.DayNames;
    mp.TitleOverride = m_s.UserTitle;
    return mp;
}

MonthPainter::Params PageRender::MiniParams(const TMiniCalendar& mini, const PageMapping& mapping) const
{
    MonthPainter::Params mp;
    mp.PageColor = m_s.MiniCalBGColor;
    mp.TitleColor = m_s.MiniCalBGColor;
    mp.MinTitleHeight = 0;
    mp.Month = mini.Month;
    mp.Year = mini.Year;
    mp.Rect = mapping.Map(mini.Rect);
    mp.NumberPosition = cnpCenter;
    mp.StartOfWeek = m_s.StartOfWeek;
    mp.OuterBorder = m_s.MiniCalBorder;
    mp.TitleFont = &m_s.MiniTitleFont;
    mp.ShowYear = m_s.MiniShowYear;
    mp.HeadersFont = &m_s.MiniHeadersFont;
    mp.HeadersBorder = m_s.MiniHeadersBorder;
    mp.HeadersStyle = m_s.MiniHeadersStyle;
    mp.HeadersColor = m_s.MiniHeadersBGColor;
    mp.CellFont = &m_s.MiniCellFont;
    mp.CellBorder = m_s.MiniCellBorder;
    mp.MonthNames = m_s.MonthNames;
    mp.DayNames = m_s.DayNames;
    return mp;
}

PlannerPainter::Params PageRender::PlannerParams(const PageMapping& mapping) const
{
    const TCalendarLayout l = m_s.CalendarLayout;
    PlannerPainter::Params pp;
    pp.PageColor = clWhite;
    pp.Rect = mapping.Map(m_layout.MainRect);
    pp.Year = m_s.MainCalYear;
    pp.Month = m_s.MainCalMonth;
    pp.Day = m_s.MainCalDay;
    pp.DayPlanner = l == loDay10 || l == loDay15;
    pp.Rows = l == loWeek ? 7 : l == lo2Week ? 14 : l == loDay10 ? 10 : 15;
    pp.StartTime = m_s.PlannerStartTime;
    pp.TitleFont = &m_s.TitleFont;
    pp.HeadersFont = &m_s.HeadersFont;
    pp.HeadersStyle = m_s.HeadersStyle;
    pp.HeadersColor = m_s.HeadersBGColor;
    pp.MonthNames = m_s.MonthNames;
    pp.DayNames = m_s.DayNames;
    pp.TitleOverride = m_s.UserTitle;
    return pp;
}

PageGeometry PageRender::Geometry(const PageMapping& mapping) const
{
    PageGeometry g;
    if (m_layout.PlannerShown) {
        const PlannerPainter::Params pp = PlannerParams(mapping);
        const PlannerPainter::Geometry r = PlannerPainter::Layout(pp, mapping);
        g.PageKind = pp.DayPlanner ? PageGeometry::DayPlanner : PageGeometry::WeekPlanner;
        g.TitleRect = r.TitleRect;
        g.Cells = r.Cells;
    } else if (m_layout.MainShown) {
        const MonthPainter::Geometry r = MonthPainter::Layout(MainParams(mapping), mapping);
        g.PageKind = PageGeometry::Month;
        g.TitleRect = r.TitleRect;
        g.HeaderRect = r.HeaderRect;
        g.Cells = r.Cells;
    }
    return g;
}

void PageRender::Paint(QPainter& painter, const PageMapping& mapping, const CellStores& cells,
                       CellTextCache& cellText, const BorderPainter& border) const
{
    ResetPagePen(painter);
    if (!m_s.WMFBorderFile.isEmpty() && border) {
        const TRect m = mapping.Map(m_layout.MarginRect);
        painter.save();
        border(painter, QRectF(m.Left, m.Top, m.Width(), m.Height()));
        painter.restore();
        ResetPagePen(painter);
    }

    PageGeometry g;
    if (m_layout.PlannerShown) {
        const PlannerPainter::Params pp = PlannerParams(mapping);
        const PlannerPainter::Result r = PlannerPainter::Paint(painter, pp, mapping);
        g.PageKind = pp.DayPlanner ? PageGeometry::DayPlanner : PageGeometry::WeekPlanner;
        g.Cells = r.Cells;
    } else if (m_layout.MainShown) {
        const MonthPainter::Result r = MonthPainter::Paint(painter, MainParams(mapping), mapping);
        g.PageKind = PageGeometry::Month;
        g.Cells = r.Cells;
    }

    // Cell text. A zero or inverted text rectangle (centred numbers, planner
    // rows that do not exist) has nothing to show, whatever the store holds.
    if (g.PageKind != PageGeometry::None && mapping.OnPaper) {
        // Paper: every cell's text is recorded at the size of cell 1's text
        // rectangle at zoom 1, five pixels wider and taller, and stretched
        // into the cell's rectangle on the paper. Empty stores print nothing.
        const PageMapping recording = mapping.Recording();
        const TRect first = Geometry(recording).Cells[0].rFree;
        const QSize recordSize(first.Right - first.Left + 6, first.Bottom - first.Top + 6);
        for (int k = 1; k <= CellStores::Count; ++k) {
            const TRect& r = g.Cells[k - 1].rFree;
            const TWPRtfStorage& store = *cells.Store(k);
            if (store.IsEmpty() || first.IsZero() || r.IsZero() || r.Right <= r.Left || r.Bottom <= r.Top)
                continue;
            cellText.PaintRecorded(painter, store, recordSize,
                                   QRectF(r.Left, r.Top, r.Right - r.Left + 1, r.Bottom - r.Top + 1),
                                   mapping.PagePPI);
        }
    } else if (g.PageKind != PageGeometry::None) {
        for (int k = 1; k <= CellStores::Count; ++k) {
            const TRect& r = g.Cells[k - 1].rFree;
            if (r.IsZero() || r.Right <= r.Left || r.Bottom <= r.Top)
                continue;
            const TWPRtfStorage& store = *cells.Store(k);
            if (g.PageKind == PageGeometry::WeekPlanner && store.IsEmpty())
                continue;
            cellText.Paint(painter, k, store, r, mapping);
        }
    }
    ResetPagePen(painter);

    if (m_layout.MinisShown)
        for (const TMiniCalendar& mini : m_layout.Minis)
            MonthPainter::Paint(painter, MiniParams(mini, mapping), mapping);
}

}  // namespace dayloom
