#include "reports/events/OnlineReportFill.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "platform/db/RepeatedStatement.h"
#include "platform/text/DateTimeText.h"
#include "reports/framework/FillShow.h"
#include "reports/framework/RegisteredEmployees.h"
#include "reports/framework/Report.h"
#include "reports/framework/WorkTableFill.h"

#include <vector>

namespace {

constexpr int16_t FillProcId = 965;

void fillRows(const ReportFilters& filters, FillSteps& steps)
{
    // Employee by employee, his events of the days from the events' covering
    // index, sought at his first day: the rows come in the report's order,
    // nothing is sorted and the event table itself is not read.
    // Code 1 is In, card, opened; any other code, none included, the other word.
    RepeatedStatement employeeRows(
        Db(), QStringLiteral("INSERT INTO tblOnlineReport (Employee_Name, Date_CR, Time_CR, Ext_Int_Door, "
                             "Key_ProxCard, Door_Action) "
                             "SELECT e.Employee_Number || ' ' || ifnull(e.Last_Name, '') || '  ' || "
                             "ifnull(e.First_Name, ''), o.Date_CR, o.Time_CR, "
                             "CASE WHEN o.iIn = 1 THEN ? ELSE ? END, "
                             "CASE WHEN o.iCard = 1 THEN ? ELSE ? END, "
                             "CASE WHEN o.iDoor = 1 THEN ? ELSE ? END "
                             "FROM tblEmployees e CROSS JOIN tblOnline o INDEXED BY tblOnline_Attendance "
                             "ON o.Employee_Number = e.Employee_Number "
                             "WHERE e.Employee_Number = ? AND o.Date_CR BETWEEN ? AND ? "
                             "ORDER BY o.Date_CR, o.Time_CR"));
    const QVariantList words{Translate(QStringLiteral("In")),     Translate(QStringLiteral("Out")),
                             Translate(QStringLiteral("Card")),   Translate(QStringLiteral("PIN")),
                             Translate(QStringLiteral("Opened")), Translate(QStringLiteral("Not Opened"))};
    const QVariantList days{DateTimeText::isoDate(filters.fromDate), DateTimeText::isoDate(filters.toDate)};
    for (qint64 number : registeredEmployees(filters)) {
        employeeRows.run(words + QVariantList{number} + days);
        steps.between();
    }
}

}

bool FillIn_OnlineReport_Tbl(const ReportFilters& filters, FillShow& show)
{
    return refillWorkTable(FillProcId, QStringLiteral("tblOnlineReport"), show, [&](FillSteps& steps) {
        if (!anyEventInRange(filters))
            return false;
        show.start();
        fillRows(filters, steps);
        return true;
    });
}
