#include "reports/events/ExceptReportFill.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "platform/db/ForwardQuery.h"
#include "platform/db/RepeatedStatement.h"
#include "reports/events/FillCalendar.h"
#include "reports/framework/FillShow.h"
#include "reports/framework/HoursReportFill.h"
#include "reports/framework/HoursText.h"
#include "reports/framework/Report.h"
#include "reports/framework/WorkTableFill.h"

#include <array>

namespace {

constexpr int16_t FillProcId = 852;
constexpr int16_t CalendarProcId = 2902;

// The hours of the weekday groups, in the order the selection binds them:
// Sunday, Friday, Saturday, Monday to Thursday. Hours that are no number are
// reported, once a group, and count as none.
QVariantList groupHours()
{
    const WorkingCalendar calendar = calendarForFill(CalendarProcId);
    QVariantList hours;
    for (const QDate day : {QDate(2024, 1, 7), QDate(2024, 1, 5), QDate(2024, 1, 6), QDate(2024, 1, 1)}) {
        int16_t h = 0;
        guarded(CalendarProcId, [&] { h = calendar.scheduledHours(day); });
        hours << h;
    }
    return hours;
}

// The short days (some time worked, fewer whole hours than scheduled) with
// their missing minutes, and every employee's total row, in the order of the
// working-hours table.
const QString ShortDays = QStringLiteral(
    "WITH days AS ("
    " SELECT Employee_Number, Employee_Name, Date, DayTotal, GlobalTotal, AutoNumber, WorkingHours,"
    " ifnull(DayHours, 0) AS Hours, ifnull(DayHours, 0) * 60 + ifnull(DayMinutes, 0) AS Worked,"
    " CASE strftime('%w', Date) WHEN '0' THEN ? WHEN '5' THEN ? WHEN '6' THEN ? ELSE ? END AS GroupHours"
    " FROM qryForExceptReport WHERE IsTotal = 0),"
    " scheduled AS ("
    " SELECT *, CASE WHEN GroupHours <> 0 THEN GroupHours WHEN WorkingHours <> 0 THEN WorkingHours ELSE ? END AS Need"
    " FROM days)"
    " SELECT Employee_Number, Employee_Name, Date, 0 AS IsTotal, Need, DayTotal, Need * 60 - Worked AS Missing,"
    " GlobalTotal, AutoNumber FROM scheduled WHERE Worked > 0 AND Need > Hours"
    " UNION ALL"
    " SELECT Employee_Number, Employee_Name, Date, 1, NULL, NULL, NULL, NULL, AutoNumber"
    " FROM qryForExceptReport WHERE IsTotal = 1"
    " ORDER BY AutoNumber");

enum Column { Number, Label, Date, IsTotal, Need, DayTotal, Missing, GlobalTotal };

// The missing time: "     1:05", "   12:30".
QString missingText(qint64 minutes)
{
    return HoursText::padded(minutes, QString());
}

void fillRows(const QVariantList& hours)
{
    ForwardQuery rows(Db(), ShortDays, hours + QVariantList{appState().DefaultWorkHours});
    RepeatedStatement insert(Db(), QStringLiteral("INSERT INTO tblExceptReport (Employee_Number, Employee_Name, Date, "
                                                  "NumHourNeed, NumHourDid, ExceptHours, Total, GlobalHours, IsTotal) "
                                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    // One employee's short days so far and the minutes they lack.
    qint64 days = 0;
    qint64 minutes = 0;
    const QString empty = QStringLiteral("");
    while (rows.next()) {
        if (rows.value(IsTotal).toInt() == 1) {
            insert.run({rows.value(Number), rows.value(Label), totalWord(), empty, empty, missingText(minutes), days,
                        empty, 1});
            days = 0;
            minutes = 0;
            continue;
        }
        const qint64 missing = rows.value(Missing).toLongLong();
        ++days;
        minutes += missing;
        insert.run({rows.value(Number), rows.value(Label), rows.value(Date), rows.field(Need).textOrEmpty(),
                    rows.field(DayTotal).textOrEmpty(), missingText(missing), days, rows.field(GlobalTotal).textOrEmpty(),
                    0});
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
    // Read before the fill's transaction: a box about the settings lets the
    // event loop run, and the link's rows must not join that transaction.
    const QVariantList hours = groupHours();
    return refillWorkTable(FillProcId, QStringLiteral("tblExceptReport"), show, [&] {
        ForwardQuery any(Db(), QStringLiteral("SELECT 1 FROM qryForExceptReport LIMIT 1"));
        if (!any.next())
            return false;
        show.start();
        fillRows(hours);
        return true;
    });
}
