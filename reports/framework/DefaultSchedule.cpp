#include "reports/framework/DefaultSchedule.h"

#include "core/AppState.h"

void ReloadDefaultSchedule()
{
    AppState& s = appState();
    Recordset doors = Db().openSql(QStringLiteral("SELECT * FROM DoorsNames_Tbl ORDER BY rowid LIMIT 1"), {},
                                   RecordsetType::Snapshot);
    if (doors.recordCount() == 0)
        return;
    doors.moveFirst();
    const FieldValue start = doors.field(2);
    if (!start.isNull() && !start.textOrEmpty().isEmpty())
        s.DefaultStartTime = start.textOrEmpty();
    const FieldValue hours = doors.field(3);
    if (!hours.isNull() && !hours.textOrEmpty().isEmpty())
        s.DefaultWorkHours = hours.toInt16();
    doors.close();
}
