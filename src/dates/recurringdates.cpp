#include "dates/recurringdates.h"

#include <algorithm>

#include "dates/calendardates.h"

namespace dayloom {

namespace {

std::optional<int> numberField(const QString& formula, int from, int width)
{
    const QString field = formula.mid(from, width).trimmed();
    bool ok = false;
    const int value = field.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

QString monthOrEach(int month)
{
    if (month == 0)
        return QStringLiteral("Each Month");
    return LocaleLongMonthNames().at(month - 1);
}

}  // namespace

QString Pad(const QString& text, int n)
{
    if (n <= 0)
        return {};
    return text.left(n).leftJustified(n, u' ');
}

QString MakeEntry(const QString& eventText, const QString& formula)
{
    QString text = eventText;
    QString code = formula;
    for (QString* s : {&text, &code}) {
        for (QChar& c : *s) {
            if (c == u'\r' || c == u'\n')
                c = u' ';
        }
    }
    return Pad(text, kEventTextWidth) + Pad(code, kFormulaWidth);
}

QChar EntryKind(const QString& entry)
{
    return entry.size() > kEventTextWidth ? entry.at(kEventTextWidth) : QChar();
}

QString EntryEventText(const QString& entry)
{
    return entry.left(kEventTextWidth).trimmed();
}

QString EntryFormula(const QString& entry)
{
    return entry.mid(kEventTextWidth, kFormulaWidth);
}

QString EntryFeastWord(const QString& entry)
{
    return entry.mid(kEventTextWidth, 11).trimmed().toUpper();
}

QString BuildDayOfMonth(int day, int month)
{
    return QStringLiteral("@%1%2")
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'));
}

QString BuildNthWeekday(int occurrence, int weekdayIndex, int month)
{
    return u'$' + Pad(QString::number(occurrence), 2) + Pad(QString::number(weekdayIndex), 2)
           + Pad(QString::number(month), 2);
}

QString BuildWeekdayList(const QList<int>& weekdays)
{
    QString formula(1, kWeekdayListKind);
    for (int w = 1; w <= 7; ++w) {
        if (weekdays.contains(w))
            formula += QChar(u'0' + w);
    }
    return formula;
}

std::optional<DayOfMonthFormula> ParseDayOfMonth(const QString& formula)
{
    const auto day = numberField(formula, 3, 2);
    const auto month = numberField(formula, 1, 2);
    if (!day || !month)
        return std::nullopt;
    return DayOfMonthFormula{*day, *month};
}

std::optional<NthWeekdayFormula> ParseNthWeekday(const QString& formula)
{
    const auto occurrence = numberField(formula, 1, 2);
    const auto weekday = numberField(formula, 3, 2);
    const auto month = numberField(formula, 5, 2);
    if (!occurrence || !weekday || !month)
        return std::nullopt;
    return NthWeekdayFormula{*occurrence, *weekday, *month};
}

QList<int> ParseWeekdayList(const QString& formula)
{
    QList<int> days;
    for (int w = 1; w <= 7; ++w) {
        if (formula.contains(QChar(u'0' + w)))
            days << w;
    }
    return days;
}

QString DescribeFormula(const QString& formula)
{
    if (formula.isEmpty())
        return {};
    switch (formula.at(0).unicode()) {
    case kDayOfMonthKind: {
        const auto f = ParseDayOfMonth(formula);
        if (!f || f->Month < 0 || f->Month > 12)
            return {};
        return Ordinal(f->Day) + QStringLiteral(" of ") + monthOrEach(f->Month);
    }
    case kNthWeekdayKind: {
        const auto f = ParseNthWeekday(formula);
        if (!f || f->Weekday < 0 || f->Weekday > 7 || f->Month < 0 || f->Month > 12)
            return {};
        QString text = f->Occurrence == 5 ? QStringLiteral("Last ")
                                          : Ordinal(f->Occurrence + 1) + u' ';
        if (f->Weekday == 7)
            text += QStringLiteral("Day ");
        else
            text += LocaleShortDayNames().at(f->Weekday) + QStringLiteral(" of ");
        return text + monthOrEach(f->Month);
    }
    case kWeekdayListKind: {
        const QStringList names = LocaleShortDayNames();
        QStringList parts;
        for (int w : ParseWeekdayList(formula.mid(1, 9).trimmed()))
            parts << names.at(w - 1);
        return parts.join(u',');
    }
    default:
        return {};
    }
}

QString EntryListText(const QString& entry)
{
    const QChar kind = EntryKind(entry);
    if (kind == kDayOfMonthKind || kind == kNthWeekdayKind || kind == kWeekdayListKind)
        return EntryEventText(entry) + QStringLiteral(" (") + DescribeFormula(EntryFormula(entry))
               + u')';
    return entry.left(kEventTextWidth);
}

bool EntryLessThan(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

}  // namespace dayloom
