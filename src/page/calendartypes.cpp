#include "page/calendartypes.h"

namespace dayloom {

namespace {

QString nameAt(const QStringList& names, int i)
{
    return i >= 0 && i < names.size() ? names.at(i) : QString();
}

}  // namespace

QStringList LayoutNames()
{
    static const QStringList names = {
        QStringLiteral("loFullCalendar"),      QStringLiteral("LOFullCalendarLS"),
        QStringLiteral("loFCMinisInTitle"),    QStringLiteral("loFCMinisInTitleLS"),
        QStringLiteral("loFC6Before6After"),   QStringLiteral("loFC6Before6AfterLS"),
        QStringLiteral("loFC12After"),         QStringLiteral("loFC12AfterLS"),
        QStringLiteral("lopMC6Month"),         QStringLiteral("lopMC6MonthLS"),
        QStringLiteral("loMC12Month"),         QStringLiteral("loMC12MonthLS"),
        QStringLiteral("loMC24Month"),         QStringLiteral("loMC24MonthLS"),
        QStringLiteral("loMC48Month"),         QStringLiteral("loMC48MonthLS"),
        QStringLiteral("loMC60Month"),         QStringLiteral("loMC60MonthLS"),
        QStringLiteral("loWeek"),              QStringLiteral("lo2Week"),
        QStringLiteral("loDay10"),             QStringLiteral("loDay15"),
    };
    return names;
}

QStringList OrientationNames() { return {QStringLiteral("coPortrait"), QStringLiteral("coLandscape")}; }

QStringList LineLayoutNames()
{
    return {QStringLiteral("llFull"), QStringLiteral("llHeadersAndCells"), QStringLiteral("llCellsOnly")};
}

QStringList MiniLineLayoutNames()
{
    return {QStringLiteral("mllFull"), QStringLiteral("mllBoxed"), QStringLiteral("mllMinimal")};
}

QStringList BorderStyleNames()
{
    return {QStringLiteral("cbNone"), QStringLiteral("cbAll"), QStringLiteral("cbTop"),
            QStringLiteral("cbBottom"), QStringLiteral("cbTopBottom")};
}

QStringList HeadersStyleNames()
{
    return {QStringLiteral("dsFirstChar"), QStringLiteral("dsThreeChars"), QStringLiteral("dsWhole")};
}

QStringList NumberPositionNames() { return {QStringLiteral("cnpCenter"), QStringLiteral("cnpUpperRight")}; }

QString LayoutName(TCalendarLayout v) { return nameAt(LayoutNames(), int(v)); }
QString OrientationName(TCalendarOrientation v) { return nameAt(OrientationNames(), int(v)); }
QString LineLayoutName(TCalendarLineLayout v) { return nameAt(LineLayoutNames(), int(v)); }
QString MiniLineLayoutName(TMiniCalendarLineLayout v) { return nameAt(MiniLineLayoutNames(), int(v)); }
QString BorderStyleName(TCalBorderStyle v) { return nameAt(BorderStyleNames(), int(v)); }
QString HeadersStyleName(TCalHeadersStyle v) { return nameAt(HeadersStyleNames(), int(v)); }
QString NumberPositionName(TCalendarNumberPosition v) { return nameAt(NumberPositionNames(), int(v)); }

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
