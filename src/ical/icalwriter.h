#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

namespace dayloom {

// The texts of one day cell as all-day events: each paragraph with its
// position in the cell (1 = the first paragraph).
struct ICalendarCellText {
    QDate Date;
    QList<std::pair<int, QString>> Paragraphs;
};

// An iCalendar file of one all-day VEVENT per paragraph: SUMMARY the text,
// DTSTART the day and DTEND the next, UID "dayloom-" + yyyyMMdd + "-" +
// position, so that writing the same cells again gives the same UIDs.
// stamp is the DTSTAMP of every event (UTC).
QByteArray WriteICalendar(const QList<ICalendarCellText>& cells,
                          const QDateTime& stamp = QDateTime::currentDateTimeUtc());

// The UID WriteICalendar gives a paragraph.
QString ICalendarCellUid(const QDate& date, int position);

}  // namespace dayloom
