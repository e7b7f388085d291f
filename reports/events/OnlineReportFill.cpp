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

void fillRows(const ReportFilters& filters)
{
    // The register's index and the events' covering index give the rows in the
    // report's order: nothing is sorted and the event table itself is not read.
    // Code 1 is In, card, opened; any other code, none included, the other word.
    Db().execute(QStringLiteral("INSERT INTO tblOnlineReport (Employee_Name, Date_CR, Time_CR, Ext_Int_Door, "
                                "Key_ProxCard, Door_Action) "
                                "SELECT e.Employee_Number || ' ' || ifnull(e.Last_Name, '') || '  ' || "
                                "ifnull(e.First_Name, ''), o.Date_CR, o.Time_CR, "
                                "CASE WHEN o.iIn = 1 THEN ? ELSE ? END, "
                                "CASE WHEN o.iCard = 1 THEN ? ELSE ? END, "
                                "CASE WHEN o.iDoor = 1 THEN ? ELSE ? END "
                                "FROM tblEmployees e INDEXED BY tblEmployees_Employee_Number "
                                "CROSS JOIN tblOnline o INDEXED BY tblOnline_Attendance "
                                "ON o.Employee_Number = e.Employee_Number "
                                "WHERE e.Employee_Number BETWEEN ? AND ? AND o.Date_CR BETWEEN ? AND ? "
                                "ORDER BY e.Employee_Number, o.Date_CR, o.Time_CR"),
                 QVariantList{Translate(QStringLiteral("In")), Translate(QStringLiteral("Out")),
                              Translate(QStringLiteral("Card")), Translate(QStringLiteral("PIN")),
                              Translate(QStringLiteral("Opened")), Translate(QStringLiteral("Not Opened"))} +
                     filters.rangeParams());
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
