#pragma once

#include <array>
#include <functional>

#include <QRectF>

#include "core/pagemapping.h"
#include "core/trect.h"
#include "page/calendartypes.h"
#include "paint/monthpainter.h"
#include "page/pagelayout.h"
#include "page/pagesettings.h"
#include "page/plannerpainter.h"

class QPainter;

namespace dayloom {

class CellStores;
class CellTextCache;

// The rectangles of the page's main calendar or planner on a device: the
// title band, the day-name row (month grid only) and the 42 cell records.
struct PageGeometry {
    enum Kind { None, Month, WeekPlanner, DayPlanner };
    Kind PageKind = None;
    TRect TitleRect;
    TRect HeaderRect;
    std::array<TCellRecord, 42> Cells{};
};

// The page's render step: from the settings and the layout step's
// rectangles (page pixels) to rectangles on a device through a mapping, and
// the painting of the page from them (border picture, month grid or
// planner, cell text, minis). Page objects are not part of it.
class PageRender {
public:
    using BorderPainter = std::function<void(QPainter&, const QRectF&)>;

    PageRender(const PageSettings& settings, const PageLayout& layout);

    // The parameters of the painters for this page.
    MonthPainter::Params MainParams(const PageMapping& mapping) const;
    MonthPainter::Params MiniParams(const TMiniCalendar& mini, const PageMapping& mapping) const;
    PlannerPainter::Params PlannerParams(const PageMapping& mapping) const;

    // The rectangles, without painting. A page with minis only has none.
    PageGeometry Geometry(const PageMapping& mapping) const;

    // The whole page content. The border picture is drawn into the margin
    // rectangle when the page has one and border is given.
    void Paint(QPainter& painter, const PageMapping& mapping, const CellStores& cells,
               CellTextCache& cellText, const BorderPainter& border) const;

private:
    const PageSettings& m_s;
    const PageLayout& m_layout;
};

}  // namespace dayloom
