#include "page/calendartypes.h"

namespace dayloom {

QStringList LayoutDisplayTexts()
{
    return {
        QStringLiteral("1 Month Calendar "),
        QStringLiteral("1 Month Calendar, 2 Mini Calendars"),
        QStringLiteral("1 Month Calendar, 6 Mini Calendars Before & After "),
        QStringLiteral("1 Month Calendar, 12 Mini Calendars After "),
        QStringLiteral("6 Month Calendar (Mini Calendars)"),
        QStringLiteral("12 Month Calendar (Mini Calendars)"),
        QStringLiteral("24 Month Calendar (Mini Calendars)"),
        QStringLiteral("48 Month Calendar (Mini Calendars)"),
        QStringLiteral("60 Month Calendar (Mini Calendars)"),
        QStringLiteral("One Week Planner"),
        QStringLiteral("Two Week Planner"),
        QStringLiteral("Day Planner (10 hours) "),
        QStringLiteral("Day Planner (15 hours) "),
    };
}

int LayoutDisplayRow(TCalendarLayout v)
{
    const int i = int(v);
    if (i < 0 || i >= CalendarLayoutCount)
        return 0;
    if (i < int(loWeek))
        return i / 2;
    return 9 + (i - int(loWeek));
}

TCalendarLayout LayoutFromDisplayRow(int row, TCalendarOrientation orientation)
{
    if (row < 0)
        row = 0;
    if (row >= 9)
        return TCalendarLayout(qMin(int(loWeek) + row - 9, int(loDay15)));
    return TCalendarLayout(row * 2 + (orientation == coLandscape ? 1 : 0));
}

TCalendarOrientation OrientationOfLayout(TCalendarLayout v)
{
    const int i = int(v);
    return (i >= 1 && i <= 17 && (i % 2) == 1) ? coLandscape : coPortrait;
}

}  // namespace dayloom
