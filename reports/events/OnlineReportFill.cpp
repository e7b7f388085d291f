#include "reports/events/OnlineReportFill.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "platform/db/ForwardQuery.h"
#include "reports/framework/FillShow.h"
#include "reports/framework/WorkTableFill.h"

namespace {

constexpr int16_t FillProcId = 965;

bool anyEventInRange(const ReportFilters& filters)
{
    ForwardQuery probe(Db(),
                       QStringLiteral("SELECT 1 FROM tblOnline WHERE Employee_Number BETWEEN ? AND ? "
                                      "AND Date_CR BETWEEN ? AND ? LIMIT 1"),
                       filters.rangeParams());
    return probe.next();
}

// True when the range holds more than half of the register.
bool mostOfTheRegister(const ReportFilters& filters)
{
    ForwardQuery share(Db(),
                       QStringLiteral("SELECT (SELECT count(*) FROM tblEmployees WHERE Employee_Number BETWEEN ? AND ?) "
                                      "* 2 > (SELECT count(*) FROM tblEmployees)"),
                       {filters.fromEmployee, filters.toEmployee});
    return share.next() && share.integer(0) != 0;
}

void fillRows(const ReportFilters& filters)
{
    // For most of the register the log is read in the order it was written,
    // by day, and sorted, rather than row by row from all over the file through
    // the employee index; for a few employees their index reaches their rows alone.
    const QString source =
        mostOfTheRegister(filters)
            ? QStringLiteral("tblOnline o INDEXED BY tblOnline_Date CROSS JOIN staff s ON s.Number = o.Employee_Number")
            : QStringLiteral("staff s CROSS JOIN tblOnline o INDEXED BY tblOnline_Employee ON o.Employee_Number = s.Number");
    // Code 1 is In, card, opened; any other code, none included, the other word.
    Db().execute(QStringLiteral("INSERT INTO tblOnlineReport (Employee_Name, Date_CR, Time_CR, Ext_Int_Door, "
                                "Key_ProxCard, Door_Action) "
                                "WITH staff AS MATERIALIZED (SELECT Employee_Number AS Number, Employee_Number || ' ' || "
                                "ifnull(Last_Name, '') || '  ' || ifnull(First_Name, '') AS Label FROM tblEmployees "
                                "WHERE Employee_Number BETWEEN ? AND ?) "
                                "SELECT s.Label, o.Date_CR, o.Time_CR, "
                                "CASE WHEN o.iIn = 1 THEN ? ELSE ? END, "
                                "CASE WHEN o.iCard = 1 THEN ? ELSE ? END, "
                                "CASE WHEN o.iDoor = 1 THEN ? ELSE ? END "
                                "FROM %1 WHERE o.Date_CR BETWEEN ? AND ? "
                                "ORDER BY o.Employee_Number, o.Date_CR, o.Time_CR, o.rowid")
                     .arg(source),
                 QVariantList{filters.fromEmployee, filters.toEmployee, Translate(QStringLiteral("In")),
                              Translate(QStringLiteral("Out")), Translate(QStringLiteral("Card")),
                              Translate(QStringLiteral("PIN")), Translate(QStringLiteral("Opened")),
                              Translate(QStringLiteral("Not Opened"))} +
                     filters.rangeParams().mid(2));
}

}

bool FillIn_OnlineReport_Tbl(const ReportFilters& filters, FillShow& show)
{
    return refillWorkTable(FillProcId, QStringLiteral("tblOnlineReport"), show, [&] {
        if (!anyEventInRange(filters))
            return false;
        show.start();
        fillRows(filters);
        return true;
    });
}
