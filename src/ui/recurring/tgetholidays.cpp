#include "ui/recurring/tgetholidays.h"

#include "dates/holidays.h"

namespace dayloom {

TGetHolidays::TGetHolidays(QWidget* parent)
    : CheckListDialog(QStringLiteral("Holidays"), BuiltInHolidayEntries(), parent)
{
}

}  // namespace dayloom
