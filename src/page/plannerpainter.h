#pragma once

#include <array>

#include <QString>
#include <QStringList>
#include <QTime>

#include "core/tcolor.h"
#include "core/tfont.h"
#include "core/trect.h"
#include "page/calendartypes.h"
#include "core/pagemapping.h"

class QPainter;

namespace dayloom {

// Paints the weekly planners (7 or 14 day rows) and the day planners (10 or
// 15 hourly rows), each with a last "Notes" row, into a rectangle of device
// pixels, and gives one cell record per row.
class PlannerPainter {
public:
    struct Params {
        TColor PageColor = clWhite;
        TRect Rect;  // device pixels
        int Year = 1997;
        int Month = 1;
        int Day = 1;
        bool DayPlanner = false;  // hourly rows instead of day rows
        int Rows = 7;             // days or hours, without the notes row
        QTime StartTime = QTime(8, 0);
        const TFontData* TitleFont = nullptr;
        const TFontData* HeadersFont = nullptr;
        TCalHeadersStyle HeadersStyle = dsThreeChars;
        TColor HeadersColor = clWhite;
        QStringList MonthNames;  // 12
        QStringList DayNames;    // 7, Sunday first
        QString TitleOverride;
    };

    struct Result {
        TRect TitleRect;
        int RowCount = 0;  // including the notes row
        std::array<TCellRecord, 42> Cells{};
    };

    // Every rectangle of the planner without painting: the title, the
    // table, the label column and one cell record per row.
    struct Geometry : Result {
        TRect Q;
        TRect Table;
        TRect LabelColumn;
        int RowHeight = 0;
    };
    static Geometry Layout(const Params& params, const PageMapping& mapping);
    static Result Paint(QPainter& painter, const Params& params, const PageMapping& mapping);

    // The generated title (before the override).
    static QString TitleText(const Params& params);
    // Label and second line of row i (0-based); the last row is "Notes".
    static void RowTexts(const Params& params, int row, QString& label, QString& second);
    // "h:mm am" / "h:mm pm".
    static QString HourLabel(const QTime& time);
    // The main date with the day brought into the month (a day of 0 from
    // construction becomes 1).
    static void StartDate(const Params& params, int& year, int& month, int& day);
};

}  // namespace dayloom
