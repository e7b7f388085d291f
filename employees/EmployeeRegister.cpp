#include "employees/EmployeeRegister.h"

#include "core/Messages.h"
#include "platform/db/Database.h"

QList<EmployeeListRow> EmployeeRegister::readList(Database& db)
{
    QList<EmployeeListRow> rows;
    Recordset rs = db.openQuery(QStringLiteral("qryEmployees"));
    const QString allowed = Translate(QStringLiteral("Allowed"));
    const QString unallowed = Translate(QStringLiteral("Unallowed"));
    rows.reserve(rs.recordCount());
    for (; rs.recordCount() > 0 && !rs.eof(); rs.moveNext()) {
        EmployeeListRow row;
        if (rs.field(QStringLiteral("SlotNumber")).variant().toLongLong() != 0) {
            row.access = allowed;
            row.image = rs.field(QStringLiteral("PinProx")).variant().toInt() == 1 ? ImagePin : ImageCard;
        } else {
            row.access = unallowed;
            row.image = ImageNone;
        }
        row.lastName = rs.field(1).textOrEmpty();
        row.firstName = rs.field(2).textOrEmpty();
        row.number = rs.field(0).textOrEmpty();
        row.slot = rs.field(4).toText();
        rows << row;
    }
    rs.close();
    return rows;
}

bool EmployeeRegister::numberTaken(Database& db, int16_t number)
{
    Recordset rs = db.openSql(QStringLiteral("SELECT 1 FROM tblEmployees WHERE Employee_Number = ?"), {number});
    return rs.recordCount() > 0;
}

bool EmployeeRegister::remove(Database& db, int16_t number)
{
    return db.execute(QStringLiteral("DELETE FROM tblEmployees WHERE Employee_Number = ?"), {number}) > 0;
}
