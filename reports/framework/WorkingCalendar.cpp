#include "reports/framework/WorkingCalendar.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "platform/db/ForwardQuery.h"
#include "platform/text/VbText.h"

namespace {

// Null and the empty text alike mean "not set".
bool isSet(const QVariant& v)
{
    return !v.isNull() && !v.toString().isEmpty();
}

}

WorkingCalendar WorkingCalendar::holidaysOnly(Database& db)
{
    WorkingCalendar calendar;
    ForwardQuery holidays(db, QStringLiteral("SELECT Date FROM tblHolidays"));
    while (holidays.next()) {
        const QDate date = QDate::fromString(holidays.value(0).toString().left(10), Qt::ISODate);
        if (date.isValid())
            calendar.m_holidays.insert(date.month() * 100 + date.day());
    }
    return calendar;
}

WorkingCalendar WorkingCalendar::load(Database& db)
{
    WorkingCalendar calendar = holidaysOnly(db);
    ForwardQuery doors(db, QStringLiteral("SELECT * FROM DoorsNames_Tbl ORDER BY rowid LIMIT 1"));
    if (!doors.next())
        raiseError(Err::NoCurrentRecord);
    for (int g = 0; g < 4; ++g) {
        calendar.m_start[static_cast<size_t>(g)] = doors.value(2 + 2 * g);
        calendar.m_hours[static_cast<size_t>(g)] = doors.value(3 + 2 * g);
    }
    return calendar;
}

WorkingCalendar::Group WorkingCalendar::groupOf(const QDate& day)
{
    switch (day.dayOfWeek()) {
    case 5: return Fri;
    case 6: return Sat;
    case 7: return Sun;
    default: return MonThu;
    }
}

bool WorkingCalendar::isHoliday(const QDate& day) const
{
    return m_holidays.contains(day.month() * 100 + day.day());
}

bool WorkingCalendar::isWorkingDay(const QDate& day) const
{
    if (isHoliday(day))
        return false;
    const Group group = groupOf(day);
    return group == MonThu || isSet(m_start[group]);
}

int16_t WorkingCalendar::scheduledHours(const QDate& day) const
{
    const QVariant& hours = m_hours[groupOf(day)];
    return isSet(hours) ? VbText::toInt16(hours) : int16_t(0);
}

QString WorkingCalendar::scheduledStartTime(const QDate& day) const
{
    const QVariant& start = m_start[groupOf(day)];
    return isSet(start) ? start.toString() : QString();
}

bool IsWorkingDay(const QDate& d)
{
    bool working = false;
    guarded(2901, [&] {
        // A holiday needs no door settings.
        if (WorkingCalendar::holidaysOnly(Db()).isHoliday(d))
            return;
        working = WorkingCalendar::load(Db()).isWorkingDay(d);
    });
    return working;
}

int16_t GetScheduledHours(const QDate& d)
{
    int16_t hours = 0;
    guarded(2902, [&] { hours = WorkingCalendar::load(Db()).scheduledHours(d); });
    return hours;
}

QString GetScheduledStartTime(const QDate& d)
{
    QString start;
    guarded(2903, [&] { start = WorkingCalendar::load(Db()).scheduledStartTime(d); });
    return start;
}
