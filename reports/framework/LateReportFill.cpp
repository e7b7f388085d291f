#include "reports/framework/LateReportFill.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "platform/db/ForwardQuery.h"
#include "platform/db/RepeatedStatement.h"
#include "reports/framework/FillShow.h"
#include "reports/framework/HoursReportFill.h"
#include "reports/framework/HoursText.h"
#include "reports/framework/Report.h"
#include "reports/framework/WorkTableFill.h"
#include "reports/framework/WorkingCalendar.h"

namespace {

constexpr int16_t FillProcId = 902;
constexpr int16_t CalendarProcId = 2903;

// The door settings as they stand when the fill starts. A settings row that
// cannot be read is reported once; the days then have no group start time.
WorkingCalendar calendarForFill()
{
    try {
        return WorkingCalendar::load(Db());
    } catch (const AppError& error) {
        ReportError(CalendarProcId, error);
    }
    try {
        return WorkingCalendar::holidaysOnly(Db());
    } catch (const AppError&) {
        return {};
    }
}

// An employee's own start time counts when it is a time: "__:__", "" and Null are none.
QString ownStartTime(const QVariant& value)
{
    const QString text = value.isNull() ? QString() : value.toString();
    return text == QLatin1String("__:__") ? QString() : text;
}

int minuteOf(const QString& time)
{
    const std::optional<int> minute = HoursText::minuteOfDay(time);
    if (!minute)
        raiseError(Err::TypeMismatch, QStringLiteral("Type mismatch (time '%1')").arg(time));
    return *minute;
}

class LateRows {
public:
    LateRows()
        : m_insert(Db(), QStringLiteral("INSERT INTO tblLateReport (Employee_Number, Employee_Name, Date, "
                                        "StartTimeNeed, StartTimeDid, LateMinute, PresentHours, GlobalWorked, "
                                        "TotalDays, TotalHours, TotalMinutes, IsTotal) "
                                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))
    {
    }

    void day(const ForwardQuery& row, const QString& scheduled)
    {
        const int late = minuteOf(row.value(4).toString()) - minuteOf(scheduled);
        if (late <= 0)
            return;
        ++m_days;
        m_minutes += late;
        m_insert.run({row.value(0), row.value(1), row.value(2), scheduled, row.value(4),
                      HoursText::hoursMinutes(late), row.value(5), row.value(10), m_days, QVariant(), QVariant(), 0});
    }

    void total(const QVariant& number, const QVariant& label)
    {
        m_insert.run({number, label, totalWord(), QVariant(), QVariant(), HoursText::hoursMinutes(m_minutes),
                      QVariant(), QVariant(), m_days, HoursText::str(m_minutes / 60), HoursText::str(m_minutes % 60),
                      1});
        m_days = 0;
        m_minutes = 0;
    }

private:
    RepeatedStatement m_insert;
    qint64 m_days = 0;
    qint64 m_minutes = 0;
};

bool fillLateRows()
{
    ForwardQuery hours(Db(), QStringLiteral("SELECT 1 FROM tblHoursReport LIMIT 1"));
    if (!hours.next())
        return false;
    ForwardQuery days(Db(), QStringLiteral("SELECT * FROM qryForLateReport ORDER BY Employee_Number, AutoNumber"));
    if (!days.next())
        return false;
    const WorkingCalendar calendar = calendarForFill();
    const QString defaultStart = appState().DefaultStartTime;
    LateRows rows;
    QVariant number = days.value(0);
    QVariant label = days.value(1);
    do {
        if (days.value(0).toInt() != number.toInt()) {
            rows.total(number, label);
            number = days.value(0);
            label = days.value(1);
        }
        const QString date = days.value(2).toString();
        const QDate day = QDate::fromString(date, Qt::ISODate);
        if (!day.isValid())
            raiseError(Err::TypeMismatch, QStringLiteral("Type mismatch (date '%1')").arg(date));
        QString scheduled = calendar.scheduledStartTime(day);
        if (scheduled.isEmpty())
            scheduled = ownStartTime(days.value(3));
        if (scheduled.isEmpty())
            scheduled = defaultStart;
        rows.day(days, scheduled);
    } while (days.next());
    rows.total(number, label);
    return true;
}

}

bool FillIn_LateReport_Tbl(const ReportFilters& filters, FillShow& show)
{
    if (!FillIn_HoursReport_Tbl(filters, show)) {
        // Rows of an earlier run would pass for this one's.
        try {
            Db().execute(QStringLiteral("DELETE FROM tblLateReport"));
        } catch (const AppError&) {
        }
        return false;
    }
    return refillWorkTable(FillProcId, QStringLiteral("tblLateReport"), show, [] { return fillLateRows(); });
}
