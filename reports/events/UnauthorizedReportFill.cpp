#include "reports/events/UnauthorizedReportFill.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "platform/db/ForwardQuery.h"
#include "platform/text/DateTimeText.h"
#include "reports/framework/FillShow.h"
#include "reports/framework/WorkTableFill.h"

namespace {

constexpr int16_t FillProcId = 1052;

// The rows of one of the two queries over the days: code 1 is In, card,
// opened, any other the other word; a reason of no known code is empty.
void insertFrom(const QString& query, const QString& name, const QString& code, const QVariantList& nameWords,
                const QVariantList& days)
{
    const QVariantList words{Translate(QStringLiteral("In")),          Translate(QStringLiteral("Out")),
                             Translate(QStringLiteral("Card")),        Translate(QStringLiteral("PIN")),
                             Translate(QStringLiteral("Opened")),      Translate(QStringLiteral("Not Opened")),
                             Translate(QStringLiteral("Secure Mode")), Translate(QStringLiteral("Time Zones")),
                             Translate(QStringLiteral("Unknown Code"))};
    Db().execute(QStringLiteral("INSERT INTO tblUnauthorized (Employee_Number, date, time, InOut, Employee_Name, "
                                "SlotNumber, Code, CardPin, Door_Action, Reason) "
                                "SELECT Employee_Number, Date_CR, Time_CR, CASE WHEN iIn = 1 THEN ? ELSE ? END, %2, "
                                "SlotNumber, %3, CASE WHEN iCard = 1 THEN ? ELSE ? END, "
                                "CASE WHEN iDoor = 1 THEN ? ELSE ? END, "
                                "CASE iReason WHEN 1 THEN ? WHEN 2 THEN ? WHEN 3 THEN ? ELSE '' END "
                                "FROM %1 WHERE Date_CR BETWEEN ? AND ? ORDER BY Date_CR, Time_CR, EventNum")
                     .arg(query, name, code),
                 words.mid(0, 2) + nameWords + words.mid(2) + days);
}

bool anyOnTheDays(const QVariantList& days)
{
    ForwardQuery probe(Db(),
                       QStringLiteral("SELECT EXISTS (SELECT 1 FROM qryForUnauthorized WHERE Date_CR BETWEEN ? AND ?) "
                                      "OR EXISTS (SELECT 1 FROM qryUnauthorized2 WHERE Date_CR BETWEEN ? AND ?)"),
                       days + days);
    return probe.next() && probe.value(0).toInt() != 0;
}

}

bool FillIn_Unauthorized_Tbl(const ReportFilters& filters, FillShow& show)
{
    const QVariantList days{DateTimeText::isoDate(filters.fromDate), DateTimeText::isoDate(filters.toDate)};
    return refillWorkTable(FillProcId, QStringLiteral("tblUnauthorized"), show, [&](FillSteps& steps) {
        if (!anyOnTheDays(days))
            return false;
        show.start();
        insertFrom(QStringLiteral("qryForUnauthorized"),
                   QStringLiteral("Employee_Number || ' ' || ifnull(Last_Name, '') || '  ' || ifnull(First_Name, '')"),
                   QStringLiteral("Employee_Code"), {}, days);
        steps.between();
        insertFrom(QStringLiteral("qryUnauthorized2"), QStringLiteral("?"), QStringLiteral("CardNum"),
                   {Translate(QStringLiteral("Unknown Employee"))}, days);
        return true;
    });
}
