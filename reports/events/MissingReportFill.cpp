#include "reports/events/MissingReportFill.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "platform/db/ForwardQuery.h"
#include "platform/db/RepeatedStatement.h"
#include "platform/text/DateTimeText.h"
#include "reports/framework/FillCalendar.h"
#include "reports/framework/FillShow.h"
#include "reports/framework/RegisteredEmployees.h"
#include "reports/framework/WorkTableFill.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <vector>

namespace {

constexpr int16_t FillProcId = 952;
constexpr int16_t CalendarProcId = 2901;

// "7   Last First": a name part that is not there adds nothing.
const QString NameText =
    QStringLiteral("e.Employee_Number || '   ' || ifnull(e.Last_Name, '') || ' ' || ifnull(e.First_Name, '')");

// An event of the employee on any of the days.
const QString EventInRange = QStringLiteral(
    "EXISTS (SELECT 1 FROM tblOnline o WHERE o.Employee_Number = e.Employee_Number AND o.Date_CR BETWEEN ? AND ?)");

bool anyEmployeeInRange(const ReportFilters& filters)
{
    ForwardQuery probe(Db(), QStringLiteral("SELECT 1 FROM tblEmployees WHERE Employee_Number BETWEEN ? AND ? LIMIT 1"),
                       {filters.fromEmployee, filters.toEmployee});
    return probe.next();
}

// The working days of the range, as a JSON list of ISO dates.
QString workingDays(const ReportFilters& filters)
{
    // A range without its dates has no days (and no end to walk to).
    if (!filters.fromDate.isValid() || !filters.toDate.isValid())
        return QStringLiteral("[]");
    const WorkingCalendar calendar = calendarForFill(CalendarProcId);
    QJsonArray days;
    for (QDate day = filters.fromDate; day <= filters.toDate; day = day.addDays(1))
        if (calendar.isWorkingDay(day))
            days.append(DateTimeText::isoDate(day));
    return QString::fromUtf8(QJsonDocument(days).toJson(QJsonDocument::Compact));
}

void fillRows(const ReportFilters& filters, const QString& days, FillSteps& steps)
{
    const QString fromDate = DateTimeText::isoDate(filters.fromDate);
    const QString toDate = DateTimeText::isoDate(filters.toDate);
    // Without any event on the days: one row, whatever the days are.
    Db().execute(QStringLiteral("INSERT INTO tblMissingReport (Employee_Number, Employee_Name, Date) "
                                "SELECT e.Employee_Number, %1, ? FROM tblEmployees e "
                                "WHERE e.Employee_Number BETWEEN ? AND ? AND NOT %2 "
                                "ORDER BY e.Employee_Number")
                     .arg(NameText, EventInRange),
                 {QStringLiteral("--") + Translate(QStringLiteral("Absence All Days")) + QStringLiteral("--"),
                  filters.fromEmployee, filters.toEmployee, fromDate, toDate});
    // Otherwise each working day without an event of his, employee by employee.
    const std::vector<qint64> numbers = registeredEmployees(filters);
    RepeatedStatement absentDays(Db(),
                                 QStringLiteral("INSERT INTO tblMissingReport (Employee_Number, Employee_Name, Date) "
                                                "SELECT e.Employee_Number, %1, d.value "
                                                "FROM tblEmployees e CROSS JOIN json_each(?) d "
                                                "WHERE e.Employee_Number = ? AND %2 "
                                                "AND NOT EXISTS (SELECT 1 FROM tblOnline o "
                                                "WHERE o.Employee_Number = e.Employee_Number AND o.Date_CR = d.value) "
                                                "ORDER BY d.value")
                                     .arg(NameText, EventInRange));
    for (qint64 number : numbers) {
        absentDays.run({days, number, fromDate, toDate});
        steps.between();
    }
}

}

bool FillIn_MissingReport_Tbl(const ReportFilters& filters, FillShow& show)
{
    // The door settings as they stand when the fill starts, read once.
    const QString days = workingDays(filters);
    return refillWorkTable(FillProcId, QStringLiteral("tblMissingReport"), show, [&](FillSteps& steps) {
        if (!anyEmployeeInRange(filters))
            return false;
        show.start();
        fillRows(filters, days, steps);
        return true;
    });
}
