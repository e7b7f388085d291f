#include "core/SharedLookups.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "platform/text/VbText.h"

bool FindRecord(Recordset& rs, const QString& condition, const QVariantList& params)
{
    bool found = false;
    guarded(2908, [&] {
        if (rs.recordCount() == 0)
            return;
        rs.moveLast();
        rs.moveFirst();
        found = rs.findFirst(condition, params);
    });
    return found;
}

int16_t GetEmployeeNumberByCode(const QString& code)
{
    int16_t number = -1;
    guarded(2912, [&] {
        const QString trimmed = VbText::trim(code);
        if (trimmed.isEmpty())
            return;
        Recordset rs = Db().openTable(QStringLiteral("tblEmployees"));
        if (FindRecord(rs, QStringLiteral("trim(Employee_Code, ' ') = ?"), {trimmed}))
            number = rs.field(QStringLiteral("Employee_Number")).toInt16();
        rs.close();
    });
    return number;
}

QString GetEmployeeName(int16_t num)
{
    QString name;
    guarded(2913, [&] {
        name = Translate(QStringLiteral("Unknown Employee"));
        Recordset rs = Db().openSql(QStringLiteral("SELECT Employee_Number, First_Name, Last_Name "
                                                   "FROM tblEmployees WHERE tblEmployees.Employee_Number = ?"),
                                    {num}, RecordsetType::Snapshot);
        if (rs.recordCount() > 0)
            name = rs.field(QStringLiteral("Last_Name")).textOrEmpty() + QStringLiteral("  ") +
                   rs.field(QStringLiteral("First_Name")).textOrEmpty();
        rs.close();
    });
    return name;
}
