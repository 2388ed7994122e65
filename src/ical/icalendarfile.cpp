#include "ical/icalendarfile.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

#include "core/cp1252.h"
#include "core/fileaccess.h"
#include "ical/icalinternal.h"

namespace dayloom {

namespace ical {

namespace {

// libical reports trouble through icalerrno and X-LIC-ERROR properties; it
// must never abort the program.
void prepareLibical()
{
    static const bool prepared = [] {
        icalerror_set_errors_are_fatal(0);
        return true;
    }();
    (void)prepared;
}

bool plausibleZoneName(const QByteArray& name)
{
    // Only names that can be zoneinfo entries reach the zone database, so a
    // TZID never names an arbitrary file.
    if (name.isEmpty() || name.size() > 64 || name.contains("..") || name.startsWith('/'))
        return false;
    for (char c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                        c == '/' || c == '_' || c == '-' || c == '+';
        if (!ok)
            return false;
    }
    return true;
}

icaltimezone* systemZone(const QByteArray& name)
{
    if (!plausibleZoneName(name))
        return nullptr;
    return icaltimezone_get_builtin_timezone(name.constData());
}

}  // namespace

icaltimezone* ResolveZone(icalcomponent* calendar, const QByteArray& tzid)
{
    QByteArray id = tzid.trimmed();
    if (id.size() >= 2 && id.startsWith('"') && id.endsWith('"'))
        id = id.mid(1, id.size() - 2);
    if (id.isEmpty())
        return nullptr;
    if (calendar) {
        if (icaltimezone* z = icalcomponent_get_timezone(calendar, id.constData()))
            return z;
    }
    if (icaltimezone* z = systemZone(id))
        return z;
    // Windows names ("W. Europe Standard Time") as Outlook writes them when
    // it leaves out its VTIMEZONE.
    const QByteArray iana = QTimeZone::windowsIdToDefaultIanaId(id);
    if (!iana.isEmpty()) {
        if (icaltimezone* z = systemZone(iana))
            return z;
    }
    // Prefixed names: "/freeassociation.sourceforge.net/Europe/Berlin",
    // "/mozilla.org/20050126_1/Europe/Berlin"; the longest tail that is a
    // zone wins.
    for (qsizetype at = id.indexOf('/'); at >= 0; at = id.indexOf('/', at + 1)) {
        if (icaltimezone* z = systemZone(id.mid(at + 1)))
            return z;
    }
    return nullptr;
}

bool IsFloating(const icaltimetype& t) { return !t.is_date && t.zone == nullptr; }

QDate DateOf(const icaltimetype& t) { return QDate(t.year, t.month, t.day); }

QDateTime WallTime(const icaltimetype& t)
{
    const QTime time = t.is_date ? QTime(0, 0)
                                 : QTime(qBound(0, t.hour, 23), qBound(0, t.minute, 59),
                                         qBound(0, t.second, 59));
    return QDateTime(DateOf(t), time, Qt::UTC);
}

icaltimetype FromWallTime(const QDateTime& wall, const icaltimetype& like)
{
    icaltimetype t = like;
    const QDate d = wall.date();
    const QTime time = wall.time();
    t.year = d.year();
    t.month = d.month();
    t.day = d.day();
    if (!t.is_date) {
        t.hour = time.hour();
        t.minute = time.minute();
        t.second = time.second();
    }
    return t;
}

qint64 EpochOf(const icaltimetype& t, const QTimeZone& floatingZone)
{
    if (t.is_date || t.zone == nullptr) {
        const QDateTime wall = WallTime(t);
        return QDateTime(wall.date(), wall.time(), floatingZone).toSecsSinceEpoch();
    }
    return qint64(icaltime_as_timet_with_zone(t, t.zone));
}

QString CleanText(const char* text)
{
    if (!text)
        return {};
    const QByteArray bytes(text);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8.decode(bytes);
    if (utf8.hasError())
        s = fromCp1252(bytes);
    for (QChar& c : s) {
        if (c.unicode() < 0x20 || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return s.trimmed();
}

}  // namespace ical

using namespace ical;

namespace {

// Counts components and their depth before libical parses anything: a line
// beginning "BEGIN:" opens one, "END:" closes one (folded lines continue with
// a blank or tab and never start with either).
void checkShape(const QByteArray& bytes)
{
    int components = 0;
    int depth = 0;
    qsizetype at = 0;
    while (at < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', at);
        if (end < 0)
            end = bytes.size();
        const char* line = bytes.constData() + at;
        const qsizetype length = end - at;
        if (length >= 6 && qstrnicmp(line, "BEGIN:", 6) == 0) {
            if (++components > kMaxICalendarComponents)
                throw ICalendarError(QStringLiteral("more than %L1 components").arg(kMaxICalendarComponents));
            if (++depth > kMaxICalendarNesting)
                throw ICalendarError(QStringLiteral("components nested more than %1 deep")
                                         .arg(kMaxICalendarNesting));
        } else if (length >= 4 && qstrnicmp(line, "END:", 4) == 0) {
            depth = qMax(0, depth - 1);
        }
        at = end + 1;
    }
}

QByteArray tzidOf(icalproperty* p)
{
    icalparameter* param = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER);
    if (!param)
        return {};
    const char* tzid = icalparameter_get_tzid(param);
    return tzid ? QByteArray(tzid) : QByteArray();
}

bool usable(const icaltimetype& t)
{
    return !icaltime_is_null_time(t) && icaltime_is_valid_time(t) && t.year >= 1 &&
           t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= icaltime_days_in_month(t.month, t.year) && DateOf(t).isValid();
}

class Collector {
public:
    explicit Collector(ICalendarFile::Data& data) : m_data(data) {}

    void walk(icalcomponent* comp)
    {
        switch (icalcomponent_isa(comp)) {
        case ICAL_XROOT_COMPONENT:
            for (icalcomponent* c = icalcomponent_get_first_component(comp, ICAL_VCALENDAR_COMPONENT);
                 c; c = icalcomponent_get_next_component(comp, ICAL_VCALENDAR_COMPONENT))
                walk(c);
            break;
        case ICAL_VCALENDAR_COMPONENT:
            for (icalcomponent* c = icalcomponent_get_first_component(comp, ICAL_VEVENT_COMPONENT);
                 c; c = icalcomponent_get_next_component(comp, ICAL_VEVENT_COMPONENT))
                addEvent(c, comp);
            break;
        case ICAL_VEVENT_COMPONENT:
            addEvent(comp, nullptr);
            break;
        default:
            break;
        }
    }

    void link()
    {
        QHash<QString, QList<int>> series;
        for (int i = 0; i < m_data.Events.size(); ++i) {
            const Event& e = m_data.Events[i];
            if (!e.IsOverride && !e.Uid.isEmpty())
                series[e.Uid].append(i);
        }
        for (int i = 0; i < m_data.Events.size(); ++i) {
            Event& o = m_data.Events[i];
            if (!o.IsOverride)
                continue;
            const QList<int> masters = series.value(o.Uid);
            if (masters.isEmpty()) {
                // An instance whose series is not in the file stands alone.
                o.IsOverride = false;
                continue;
            }
            for (int m : masters) {
                Event& master = m_data.Events[m];
                master.Overrides.append(i);
                if (m_durationMissing.contains(i)) {
                    o.DurationDays = master.DurationDays;
                    o.DurationSecs = master.DurationSecs;
                }
                if (o.Summary.isEmpty())
                    o.Summary = master.Summary;
            }
        }
    }

private:
    icaltimetype timeOf(icalproperty* p, icaltimetype t, icalcomponent* calendar)
    {
        if (t.is_date) {
            t.zone = nullptr;
            t.hour = t.minute = t.second = 0;
        } else if (!icaltime_is_utc(t)) {
            const QByteArray tzid = tzidOf(p);
            t.zone = tzid.isEmpty() ? nullptr : zone(calendar, tzid);
        }
        return t;
    }

    icaltimezone* zone(icalcomponent* calendar, const QByteArray& tzid)
    {
        const auto key = std::make_pair(calendar, tzid);
        auto it = m_zones.constFind(key);
        if (it != m_zones.constEnd())
            return *it;
        icaltimezone* z = ResolveZone(calendar, tzid);
        m_zones.insert(key, z);
        return z;
    }

    void addEvent(icalcomponent* comp, icalcomponent* calendar)
    {
        Event e;
        icalproperty* recurrenceId = icalcomponent_get_first_property(comp, ICAL_RECURRENCEID_PROPERTY);
        if (recurrenceId) {
            e.RecurrenceId = timeOf(recurrenceId, icalproperty_get_recurrenceid(recurrenceId), calendar);
            e.IsOverride = usable(e.RecurrenceId);
        }
        icalproperty* start = icalcomponent_get_first_property(comp, ICAL_DTSTART_PROPERTY);
        if (start)
            e.Start = timeOf(start, icalproperty_get_dtstart(start), calendar);
        else if (e.IsOverride)
            e.Start = e.RecurrenceId;
        if (!usable(e.Start))
            return;
        e.AllDay = e.Start.is_date;

        if (const char* uid = icalcomponent_get_uid(comp))
            e.Uid = QString::fromUtf8(uid);
        e.Summary = CleanText(icalcomponent_get_summary(comp));
        e.Cancelled = icalcomponent_get_status(comp) == ICAL_STATUS_CANCELLED;

        bool durationGiven = true;
        if (icalproperty* end = icalcomponent_get_first_property(comp, ICAL_DTEND_PROPERTY)) {
            const icaltimetype t = timeOf(end, icalproperty_get_dtend(end), calendar);
            if (usable(t)) {
                if (e.AllDay)
                    e.DurationDays = int(qBound<qint64>(1, DateOf(e.Start).daysTo(DateOf(t)), qint64(1) << 20));
                else if (t.is_date || IsFloating(t) || IsFloating(e.Start))
                    e.DurationSecs = qMax<qint64>(0, WallTime(e.Start).secsTo(WallTime(t)));
                else
                    e.DurationSecs = qMax<qint64>(0, EpochOf(t, {}) - EpochOf(e.Start, {}));
            }
        } else if (icalproperty* duration = icalcomponent_get_first_property(comp, ICAL_DURATION_PROPERTY)) {
            const icaldurationtype dur = icalproperty_get_duration(duration);
            if (!dur.is_neg && !icaldurationtype_is_bad_duration(dur)) {
                const qint64 secs = qint64(dur.weeks) * 7 * 86400 + qint64(dur.days) * 86400 +
                                    qint64(dur.hours) * 3600 + qint64(dur.minutes) * 60 + dur.seconds;
                if (e.AllDay)
                    e.DurationDays = int(qBound<qint64>(1, (secs + 86399) / 86400, qint64(1) << 20));
                else
                    e.DurationSecs = secs;
            }
        } else {
            durationGiven = false;
        }

        if (!e.IsOverride) {
            for (icalproperty* p = icalcomponent_get_first_property(comp, ICAL_RRULE_PROPERTY); p;
                 p = icalcomponent_get_next_property(comp, ICAL_RRULE_PROPERTY)) {
                const icalrecurrencetype rule = icalproperty_get_rrule(p);
                if (rule.freq != ICAL_NO_RECURRENCE)
                    e.Rules.append(rule);
            }
            for (icalproperty* p = icalcomponent_get_first_property(comp, ICAL_RDATE_PROPERTY); p;
                 p = icalcomponent_get_next_property(comp, ICAL_RDATE_PROPERTY)) {
                const icaldatetimeperiodtype v = icalproperty_get_rdate(p);
                ExtraDate extra;
                if (!icaltime_is_null_time(v.period.start)) {
                    extra.Start = timeOf(p, v.period.start, calendar);
                    if (!icaltime_is_null_time(v.period.end))
                        extra.End = timeOf(p, v.period.end, calendar);
                    else if (!icaldurationtype_is_bad_duration(v.period.duration))
                        extra.End = icaltime_add(extra.Start, v.period.duration);
                } else {
                    extra.Start = timeOf(p, v.time, calendar);
                }
                if (!usable(extra.Start))
                    continue;
                // A date-only extra date of a timed event keeps the event's time.
                if (extra.Start.is_date && !e.AllDay) {
                    icaltimetype t = e.Start;
                    t.year = extra.Start.year;
                    t.month = extra.Start.month;
                    t.day = extra.Start.day;
                    extra.Start = t;
                }
                if (!usable(extra.End) || extra.End.is_date != extra.Start.is_date)
                    extra.End = icaltime_null_time();
                e.ExtraDates.append(extra);
            }
            for (icalproperty* p = icalcomponent_get_first_property(comp, ICAL_EXDATE_PROPERTY); p;
                 p = icalcomponent_get_next_property(comp, ICAL_EXDATE_PROPERTY)) {
                const icaltimetype t = timeOf(p, icalproperty_get_exdate(p), calendar);
                if (usable(t))
                    e.ExcludedDates.append(t);
            }
        }
        if (e.IsOverride && !durationGiven)
            m_durationMissing.insert(m_data.Events.size());
        m_data.Events.append(e);
    }

    ICalendarFile::Data& m_data;
    QHash<std::pair<icalcomponent*, QByteArray>, icaltimezone*> m_zones;
    QSet<int> m_durationMissing;
};

QString reasonForNothing(const QByteArray& bytes)
{
    if (icalerrno != ICAL_NO_ERROR)
        return QString::fromUtf8(icalerror_strerror(icalerrno));
    if (bytes.trimmed().isEmpty())
        return QStringLiteral("the file is empty");
    if (!bytes.contains("BEGIN:") && !bytes.contains("begin:"))
        return QStringLiteral("not an iCalendar file");
    return QStringLiteral("the file ends inside a component (truncated?)");
}

}  // namespace

ICalendarFile::Data::~Data()
{
    if (Root)
        icalcomponent_free(Root);
}

QString ICalendarImportFailure(const QString& path, const QString& reason)
{
    return QStringLiteral("Unable to import ") + path + QStringLiteral(": ") + reason;
}

QString ICalendarDayEntry::Paragraph(const QLocale& locale) const
{
    if (AllDay || !Start.isValid())
        return Summary;
    // Seconds are noise in a day cell; a few locales (C among them) put
    // them into their short format.
    QString format = locale.timeFormat(QLocale::ShortFormat);
    format.remove(QRegularExpression(QStringLiteral("[:.]ss?")));
    return locale.toString(Start, format) + QLatin1Char(' ') + Summary;
}

ICalendarFile::ICalendarFile() : d(std::make_unique<Data>()) {}
ICalendarFile::ICalendarFile(ICalendarFile&&) noexcept = default;
ICalendarFile& ICalendarFile::operator=(ICalendarFile&&) noexcept = default;
ICalendarFile::~ICalendarFile() = default;

ICalendarFile ICalendarFile::FromBytes(const QByteArray& input)
{
    prepareLibical();
    if (input.size() > kMaxICalendarBytes)
        throw ICalendarError(QStringLiteral("the file is larger than 50 MB"));
    QByteArray bytes = input;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    checkShape(bytes);
    // libical reads up to the first NUL only.
    if (bytes.contains('\0'))
        throw ICalendarError(QStringLiteral("not an iCalendar file (it holds binary data)"));

    icalerror_clear_errno();
    icalcomponent* root = icalparser_parse_string(bytes.constData());
    if (!root)
        throw ICalendarError(reasonForNothing(bytes));
    ICalendarFile file;
    file.d->Root = root;
    const icalcomponent_kind kind = icalcomponent_isa(root);
    if (kind != ICAL_VCALENDAR_COMPONENT && kind != ICAL_XROOT_COMPONENT &&
        kind != ICAL_VEVENT_COMPONENT)
        throw ICalendarError(QStringLiteral("not an iCalendar file (no VCALENDAR)"));
    if (kind == ICAL_XROOT_COMPONENT &&
        !icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT))
        throw ICalendarError(QStringLiteral("not an iCalendar file (no VCALENDAR)"));

    Collector collector(*file.d);
    collector.walk(root);
    collector.link();
    return file;
}

ICalendarFile ICalendarFile::FromFile(const QString& path)
{
    QByteArray bytes;
    switch (ReadInputFile(path, InputKind::Calendar, &bytes)) {
    case InputFault::None:
        return FromBytes(bytes);
    case InputFault::Missing:
        throw ICalendarError(QStringLiteral("the file does not exist"));
    case InputFault::NotRegularFile:
        throw ICalendarError(QStringLiteral("not a file"));
    case InputFault::TooLarge:
        throw ICalendarError(QStringLiteral("the file is larger than 50 MB"));
    case InputFault::Unreadable:
        break;
    }
    throw ICalendarError(InputFaultText(InputFault::Unreadable));
}

int ICalendarFile::EventCount() const
{
    int n = 0;
    for (const Event& e : d->Events)
        n += e.Cancelled ? 0 : 1;
    return n;
}

}  // namespace dayloom
