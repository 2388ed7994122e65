#include "dates/calendardates.h"

#include <QDate>
#include <QLocale>
#include <QTime>

namespace dayloom {

namespace {

constexpr int kMonthLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr char kSuffixes[] = "thstndrdthththththth";

qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0 && ((a < 0) != (b < 0))) ? 1 : 0);
}

qint64 floorMod(qint64 a, qint64 b)
{
    return a - floorDiv(a, b) * b;
}

// Days since 1 January 1970 of a proleptic Gregorian date (no range limits
// for any int year).
qint64 daysFromCivil(qint64 y, int m, int d)
{
    y -= m <= 2 ? 1 : 0;
    const qint64 era = floorDiv(y, 400);
    const qint64 yoe = y - era * 400;
    const qint64 mp = (m + 9) % 12;
    const qint64 doy = (153 * mp + 2) / 5 + d - 1;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CalendarDate civilFromDays(qint64 z)
{
    z += 719468;
    const qint64 era = floorDiv(z, 146097);
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    qint64 y = yoe + era * 400;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    const int d = int(doy - (153 * mp + 2) / 5 + 1);
    const int m = int(mp < 10 ? mp + 3 : mp - 9);
    if (m <= 2)
        ++y;
    return {int(y), m, d};
}

void checkDate(int year, int month, int day)
{
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        throw DateError("Invalid argument to date encode");
}

int feastDayInMonth(const CalendarDate& feast, int month)
{
    return feast.Month == month ? feast.Day : 0;
}

const char* const kDayNames[5][7] = {
    {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
    {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag ", "Samstag"},
    {"Dimanche", "Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi"},
    {"Domenica", "Luned\u00EC", "Marted\u00EC", "Mercoled\u00EC", "Gioved\u00EC", "Venerd\u00EC",
     "Sabato"},
    {"Domingo", "Lunes", "Martes", "Mi\u00E9rcoles", "Jueves", "Viernes", "S\u00E1bado"},
};

const char* const kMonthNames[5][12] = {
    {"January", "February", "March", "April", "May", "June", "July", "August", "September",
     "October", "November", "December"},
    {"Januar", "Februar", "M\u00E4rz", "April", "Mai", "Juni", "Juli", "August", "September",
     "Oktober", "November", "Dezember"},
    {"Janvier", "F\u00E9vrier", "Mars", "Avril", "Mai", "Juin", "Juillet", "Ao\u00FBt",
     "Septembre", "Octobre", "Novembre", "D\u00E9cembre"},
    {"Gennaio", "Febbraio", "Marzo", "Aprile", "Maggio", "Giugno", "Luglio", "Agosto",
     "Settembre", "Ottobre", "Novembre", "Dicembre"},
    {"Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio", "Agosto", "Septiembre",
     "Octubre", "Noviembre", "Diciembre"},
};

// Qt numbers Monday = 1 .. Sunday = 7; ours is Sunday = 1 .. Saturday = 7.
int qtDayOfWeek(int weekday)
{
    return weekday == 1 ? 7 : weekday - 1;
}

}  // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    if (month < 1 || month > 12)
        throw DateError("Invalid month");
    return kMonthLength[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

int WeekdayOf(int year, int month, int day)
{
    checkDate(year, month, day);
    // 1 January 1970 was a Thursday (weekday 5).
    return int(floorMod(daysFromCivil(year, month, day) + 4, 7)) + 1;
}

int FirstColumn(int year, int month, int startOfWeek)
{
    const int w = WeekdayOf(year, month, 1);
    if (startOfWeek == 1)
        return w;
    return w == 1 ? 7 : w - 1;
}

int GridDay(int row, int column, int p, int days)
{
    const int n = column + 7 * row - p + 2;
    return n >= 1 && n <= days ? n : 0;
}

int HeaderWeekday(int column, int startOfWeek)
{
    if (startOfWeek == 1)
        return column + 1;
    return column < 6 ? column + 2 : 1;
}

QString Ordinal(int n)
{
    const unsigned v = quint16(n);
    const unsigned i = (v >= 11 && v <= 19) ? 0 : v % 10;
    return QString::number(v) + QLatin1String(kSuffixes + 2 * i, 2);
}

CalendarDate EasterDate(int year)
{
    const qint64 y = year;
    qint64 d = 21 + floorMod(204 - 11 * floorMod(y, 19), 30);
    if (d > 48)
        --d;
    const qint64 e = floorMod(y + floorDiv(y, 4) + d + 1, 7);
    const int q = int(d + 7 - e);
    if (q < 32)
        return {year, 3, q};
    return {year, 4, q - 31};
}

int EasterDayInMonth(int year, int month)
{
    return feastDayInMonth(EasterDate(year), month);
}

int PalmSundayDayInMonth(int year, int month)
{
    // Easter is a Sunday, so the walk back to the previous Sunday is 7 days.
    return feastDayInMonth(AddDays(EasterDate(year), -7), month);
}

int GoodFridayDayInMonth(int year, int month)
{
    return feastDayInMonth(AddDays(EasterDate(year), -2), month);
}

CalendarDate Today()
{
    const QDate today = QDate::currentDate();
    return {today.year(), today.month(), today.day()};
}

CalendarDate AddDays(const CalendarDate& d, int days)
{
    checkDate(d.Year, d.Month, d.Day);
    return civilFromDays(daysFromCivil(d.Year, d.Month, d.Day) + days);
}

void StepMonth(int& month, int& year, int delta)
{
    const qint64 index = qint64(year) * 12 + (month - 1) + delta;
    year = int(floorDiv(index, 12));
    month = int(floorMod(index, 12)) + 1;
}

QString LanguageDayName(TFlatCalLanguage lang, int weekday)
{
    if (lang < fclEnglish || lang > fclSpanish || weekday < 1 || weekday > 7)
        return {};
    return QString::fromUtf8(kDayNames[lang][weekday - 1]);
}

QString LanguageMonthName(TFlatCalLanguage lang, int month)
{
    if (lang < fclEnglish || lang > fclSpanish || month < 1 || month > 12)
        return {};
    return QString::fromUtf8(kMonthNames[lang][month - 1]);
}

QStringList LocaleLongMonthNames()
{
    const QLocale locale;
    QStringList names;
    for (int m = 1; m <= 12; ++m)
        names << locale.monthName(m, QLocale::LongFormat);
    return names;
}

QStringList LocaleLongDayNames()
{
    const QLocale locale;
    QStringList names;
    for (int w = 1; w <= 7; ++w)
        names << locale.dayName(qtDayOfWeek(w), QLocale::LongFormat);
    return names;
}

QStringList LocaleShortDayNames()
{
    const QLocale locale;
    QStringList names;
    for (int w = 1; w <= 7; ++w)
        names << locale.dayName(qtDayOfWeek(w), QLocale::ShortFormat);
    return names;
}

QString TimeFormatWithoutSeconds(const QString& format)
{
    QString out;
    qsizetype separatorAt = -1;  // where the separator run before the next field began
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            // A quoted literal ('' inside it is a quote) is copied whole.
            qsizetype j = i + 1;
            while (j < format.size()) {
                if (format.at(j) == u'\'') {
                    if (j + 1 < format.size() && format.at(j + 1) == u'\'') {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += format.mid(i, j + 1 - i);
            i = j + 1;
            separatorAt = -1;
            continue;
        }
        if (c == u's' || c == u'z') {
            while (i < format.size() && (format.at(i) == u's' || format.at(i) == u'z'))
                ++i;
            if (separatorAt >= 0)
                out.truncate(separatorAt);
            separatorAt = -1;
            continue;
        }
        if (c.isLetter()) {
            separatorAt = -1;
        } else if (separatorAt < 0) {
            separatorAt = out.size();
        }
        out += c;
        ++i;
    }
    return out.trimmed();
}

QString ShortTimeFormat(const QLocale& locale)
{
    return TimeFormatWithoutSeconds(locale.timeFormat(QLocale::ShortFormat));
}

QString ShortTimeText(const QTime& time)
{
    const QLocale locale;
    return locale.toString(time, ShortTimeFormat(locale));
}

QTime ShortTimeFromText(const QString& text)
{
    const QLocale locale;
    return locale.toTime(text.trimmed(), ShortTimeFormat(locale));
}

QStringList FixedEnglishMonthList()
{
    QStringList list{QStringLiteral("Each Month")};
    for (int m = 1; m <= 12; ++m)
        list << LanguageMonthName(fclEnglish, m);
    return list;
}

QStringList FixedEnglishDayList()
{
    QStringList list;
    for (int w = 1; w <= 7; ++w)
        list << LanguageDayName(fclEnglish, w);
    list << QStringLiteral("Day (any day)");
    return list;
}

}  // namespace dayloom
