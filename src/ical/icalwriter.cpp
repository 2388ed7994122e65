#include "ical/icalwriter.h"

#include <libical/ical.h>

#include "core/version.h"


namespace dayloom {

namespace {


icaltimetype dateValue(const QDate& d)
{
    icaltimetype t = icaltime_null_date();
    t.year = d.year();
    t.month = d.month();
    t.day = d.day();
    return t;
}

}  // namespace

QString ICalendarCellUid(const QDate& date, int position)
{
    return QStringLiteral("dayloom-") + date.toString(QStringLiteral("yyyyMMdd")) + u'-' +
           QString::number(position);
}

QByteArray WriteICalendar(const QList<ICalendarCellText>& cells, const QDateTime& stamp)
{
    icalerror_set_errors_are_fatal(0);
    const QByteArray product = "-//Dayloom//Dayloom " + VersionText().toUtf8() + "//EN";
    icalcomponent* calendar = icalcomponent_vanew(
        ICAL_VCALENDAR_COMPONENT, icalproperty_new_version("2.0"),
        icalproperty_new_prodid(product.constData()), icalproperty_new_calscale("GREGORIAN"),
        static_cast<void*>(nullptr));
    const QDateTime utc = stamp.toUTC();
    icaltimetype dtstamp = icaltime_from_timet_with_zone(utc.toSecsSinceEpoch(), 0,
                                                         icaltimezone_get_utc_timezone());
    for (const ICalendarCellText& cell : cells) {
        if (!cell.Date.isValid())
            continue;
        for (const auto& [position, text] : cell.Paragraphs) {
            icalcomponent* event = icalcomponent_new_vevent();
            icalcomponent_add_property(
                event, icalproperty_new_uid(ICalendarCellUid(cell.Date, position).toUtf8().constData()));
            icalcomponent_add_property(event, icalproperty_new_dtstamp(dtstamp));
            icalcomponent_add_property(event, icalproperty_new_dtstart(dateValue(cell.Date)));
            icalcomponent_add_property(event, icalproperty_new_dtend(dateValue(cell.Date.addDays(1))));
            icalcomponent_add_property(event, icalproperty_new_summary(text.toUtf8().constData()));
            icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
            icalcomponent_add_component(calendar, event);
        }
    }
    char* text = icalcomponent_as_ical_string_r(calendar);
    QByteArray out(text ? text : "");
    icalmemory_free_buffer(text);
    icalcomponent_free(calendar);
    return out;
}

}  // namespace dayloom
