#pragma once

#include <memory>
#include <stdexcept>

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QString>
#include <QTime>
#include <QTimeZone>

namespace dayloom {

// iCalendar files (RFC 5545) as other calendar programs write them: read
// with libical, their events expanded over one month of the user's time zone
// and mapped onto recurring-date formulas.

// Raised when a file cannot be imported. reason() says why, in libical's
// words where libical gives any.
class ICalendarError : public std::runtime_error {
public:
    explicit ICalendarError(const QString& reason)
        : std::runtime_error(reason.toStdString()) {}
    QString reason() const { return QString::fromUtf8(what()); }
};

// "Unable to import " + path + ": " + reason, the one message of a failed
// import in the window and on the command line.
QString ICalendarImportFailure(const QString& path, const QString& reason);

// Files larger than this, or with more components, are refused before
// libical sees them; components nested deeper are refused as well.
constexpr qint64 kMaxICalendarBytes = 50LL * 1024 * 1024;
constexpr int kMaxICalendarComponents = 100000;
constexpr int kMaxICalendarNesting = 64;

// One occurrence of an event on one day of a month.
struct ICalendarDayEntry {
    int Day = 0;  // 1..days in the month
    // An all-day event. A timed event carries its local start time on its
    // first day only; on the further days it covers Start is null.
    bool AllDay = false;
    QTime Start;
    QString Summary;  // one line, never empty

    // The paragraph that goes into the day's cell: the summary, or for a
    // timed event's first day the start time in the locale's short format
    // (without seconds), one blank and the summary.
    QString Paragraph(const QLocale& locale = QLocale()) const;
    bool operator==(const ICalendarDayEntry&) const = default;
};

// An event that repeats, as the recurring-date list could hold it.
struct ICalendarRecurringCandidate {
    QString Summary;
    // The list entry (event text and formula) when the rule maps onto one of
    // the list's formula kinds; empty otherwise.
    QString Entry;
    // Why the event cannot become an entry; empty when Entry is set.
    QString Reason;
};

class ICalendarFile {
public:
    ICalendarFile();
    ICalendarFile(ICalendarFile&&) noexcept;
    ICalendarFile& operator=(ICalendarFile&&) noexcept;
    ~ICalendarFile();

    // Raise ICalendarError for a file over the limits, one libical cannot
    // read as iCalendar (not iCalendar at all, or truncated), or one that
    // cannot be read from disk. A leading UTF-8 byte-order mark is ignored.
    static ICalendarFile FromBytes(const QByteArray& bytes);
    static ICalendarFile FromFile(const QString& path);

    // Events that take part in imports: VEVENTs with a start, not cancelled,
    // counting each moved or changed instance on its own. VTODO and VJOURNAL
    // never count.
    int EventCount() const;

    // Every occurrence that touches month (1..12) of year in the time zone
    // zone, day by day: on each day the all-day events first, then the later
    // days of timed events, then the timed events by start time; otherwise
    // in the order of the file. All-day dates are taken as they stand in the
    // file, whatever the zones. A rule that would repeat without end within
    // the month stops after a fixed number of occurrences; one event gives
    // at most 100 entries a day, all events together at most 20,000.
    QList<ICalendarDayEntry> MonthEntries(int year, int month,
                                          const QTimeZone& zone = QTimeZone::systemTimeZone()) const;

    // Each repeating event (one with a rule) with its list entry or the
    // reason it has none, in the order of the file; and the number of events
    // that happen only once (they are never candidates).
    QList<ICalendarRecurringCandidate> RecurringCandidates(int* oneTimeEvents = nullptr) const;

    struct Data;

private:
    std::unique_ptr<Data> d;
};

}  // namespace dayloom
