#include "reports/events/ExceptReportFill.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "platform/db/ForwardQuery.h"
#include "platform/db/RepeatedStatement.h"
#include "reports/framework/FillCalendar.h"
#include "reports/framework/FillShow.h"
#include "reports/framework/HoursReportFill.h"
#include "reports/framework/HoursText.h"
#include "reports/framework/Report.h"
#include "reports/framework/SlicedRows.h"
#include "reports/framework/WorkTableFill.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int16_t FillProcId = 852;
constexpr int16_t CalendarProcId = 2902;

// The hours each weekday group schedules, read once for the fill. Hours that
// are no number are reported, once a group, and count as none.
class GroupHours {
public:
    GroupHours()
    {
        const WorkingCalendar calendar = calendarForFill(CalendarProcId);
        // A Monday, a Friday, a Saturday and a Sunday.
        const QDate days[4] = {QDate(2024, 1, 1), QDate(2024, 1, 5), QDate(2024, 1, 6), QDate(2024, 1, 7)};
        for (int g = 0; g < 4; ++g)
            guarded(CalendarProcId, [&] { m_hours[g] = calendar.scheduledHours(days[g]); });
    }

    qint64 most() const { return *std::max_element(std::begin(m_hours), std::end(m_hours)); }

    qint64 of(const QDate& day) const
    {
        const int weekday = day.dayOfWeek();
        return m_hours[weekday <= 4 ? 0 : weekday - 4];
    }

private:
    qint64 m_hours[4] = {0, 0, 0, 0};
};

// The rows that carry a day's totals, and every employee's total row, in the
// order of the working-hours table. A day of as many whole hours as any
// schedule asks (the most of the groups, the default and anyone's own) is
// never short: most days need not be read.
const QString Days =
    QStringLiteral("SELECT Employee_Number, Employee_Name, Date, IsTotal, DayTotal, ifnull(DayHours, 0), "
                   "ifnull(DayMinutes, 0), GlobalTotal, WorkingHours FROM qryForExceptReport "
                   "WHERE (IsTotal = 1 OR (ifnull(DayHours, 0) * 60 + ifnull(DayMinutes, 0) > 0 "
                   "AND ifnull(DayHours, 0) < max(?, (SELECT ifnull(max(WorkingHours), 0) FROM tblEmployees)))) "
                   "AND AutoNumber > ? AND AutoNumber <= ? ORDER BY AutoNumber");

enum Column { Number, Label, Date, IsTotal, DayTotal, Hours, Minutes, GlobalTotal, OwnHours };

// The missing time: "     1:05", "   12:30".
QString missingText(qint64 minutes)
{
    return HoursText::padded(minutes, QString());
}

class ExceptRows {
public:
    ExceptRows()
        : m_insert(Db(), QStringLiteral("INSERT INTO tblExceptReport (Employee_Number, Employee_Name, Date, "
                                        "NumHourNeed, NumHourDid, ExceptHours, Total, GlobalHours, IsTotal) "
                                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"))
    {
    }

    // A day worked short of `need` whole hours by `missing` minutes.
    void day(const ForwardQuery& row, qint64 need, qint64 missing)
    {
        ++m_days;
        m_minutes += missing;
        // Texts are bound without a copy: they stay until run() returns.
        const QString needText = QString::number(need);
        const QString missingHours = missingText(missing);
        m_insert.bindInteger(0, row.integer(Number));
        m_insert.bindText(1, row.bytes(Label));
        m_insert.bindText(2, row.bytes(Date));
        m_insert.bindText(3, needText);
        m_insert.bindText(4, row.bytes(DayTotal));
        m_insert.bindText(5, missingHours);
        m_insert.bindInteger(6, m_days);
        m_insert.bindText(7, row.bytes(GlobalTotal));
        m_insert.bindInteger(8, 0);
        m_insert.run();
    }

    // The employee's closing row: his short days and their missing time.
    void total(const ForwardQuery& row)
    {
        const QString missingHours = missingText(m_minutes);
        m_insert.bindInteger(0, row.integer(Number));
        m_insert.bindText(1, row.bytes(Label));
        m_insert.bindText(2, m_total);
        m_insert.bindText(3, QByteArrayView());
        m_insert.bindText(4, QByteArrayView());
        m_insert.bindText(5, missingHours);
        m_insert.bindInteger(6, m_days);
        m_insert.bindText(7, QByteArrayView());
        m_insert.bindInteger(8, 1);
        m_insert.run();
        m_days = 0;
        m_minutes = 0;
    }

private:
    RepeatedStatement m_insert;
    const QString m_total = totalWord();
    qint64 m_days = 0;
    qint64 m_minutes = 0;
};

bool anyDayRow()
{
    ForwardQuery any(Db(), QStringLiteral("SELECT 1 FROM qryForExceptReport LIMIT 1"));
    return any.next();
}

void fillRows(const GroupHours& groups, qint64 defaultHours, FillSteps& steps)
{
    ExceptRows rows;
    SlicedRows sliced(QStringLiteral("tblHoursReport"), Days, {std::max(groups.most(), defaultHours)}, steps);
    while (sliced.next()) {
        const ForwardQuery& days = sliced.row();
        if (days.integer(IsTotal) == 1) {
            rows.total(days);
            continue;
        }
        const qint64 hours = days.integer(Hours);
        const qint64 worked = hours * 60 + days.integer(Minutes);
        if (worked <= 0)
            continue;
        const QString date = days.text(Date);
        const QDate day = QDate::fromString(date, Qt::ISODate);
        if (!day.isValid())
            refuseUnreadableDay(date, days.text(Label));
        // The weekday group's hours, else the employee's own, else the default.
        qint64 need = groups.of(day);
        if (need == 0)
            need = days.isNull(OwnHours) || days.integer(OwnHours) == 0 ? defaultHours : days.integer(OwnHours);
        // Only whole hours are compared.
        if (need > hours)
            rows.day(days, need, need * 60 - worked);
    }
}

}

bool FillIn_ExceptReport_Tbl(const ReportFilters& filters, FillShow& show)
{
    if (!FillIn_HoursReport_Tbl(filters, show)) {
        // Rows of an earlier run would pass for this one's.
        try {
            Db().execute(QStringLiteral("DELETE FROM tblExceptReport"));
        } catch (const AppError&) {
        }
        return false;
    }
    // The door settings as they stand when the fill starts, read once.
    const GroupHours groups;
    return refillWorkTable(FillProcId, QStringLiteral("tblExceptReport"), show, [&](FillSteps& steps) {
        if (!anyDayRow())
            return false;
        show.start();
        fillRows(groups, filters.defaultWorkHours.value_or(appState().DefaultWorkHours), steps);
        return true;
    });
}
