#include "reports/framework/ReportsSchema.h"

Schema reportsSchema()
{
    return {
        // ---- Working-hours, late-arrival and total reports -------------------
        // The work tables are emptied and refilled by each report; their rows
        // keep the order they were written in (AutoNumber), and IsTotal marks
        // an employee's total row, whatever the language of its "Total".
        // Fields a row leaves unwritten stay Null.
        SchemaItem::statement(QStringLiteral("CREATE TABLE IF NOT EXISTS tblHoursReport ("
                                             " AutoNumber INTEGER PRIMARY KEY,"
                                             " Employee_Number INTEGER,"
                                             " Employee_Name TEXT,"
                                             " Date TEXT,"
                                             " StartTime TEXT,"
                                             " EndTime TEXT,"
                                             " SumDay TEXT,"
                                             " DayTotal TEXT,"
                                             " DayHours INTEGER,"
                                             " DayMinutes INTEGER,"
                                             " Incomplete INTEGER,"
                                             " FirstIn TEXT,"
                                             " GlobalTotal TEXT,"
                                             " GlobalH INTEGER,"
                                             " GlobalM INTEGER,"
                                             " IsTotal INTEGER NOT NULL DEFAULT 0)")),
        SchemaItem::statement(QStringLiteral("CREATE TABLE IF NOT EXISTS tblLateReport ("
                                             " AutoNumber INTEGER PRIMARY KEY,"
                                             " Employee_Number INTEGER,"
                                             " Employee_Name TEXT,"
                                             " Date TEXT,"
                                             " StartTimeNeed TEXT,"
                                             " StartTimeDid TEXT,"
                                             " LateMinute TEXT,"
                                             " PresentHours TEXT,"
                                             " GlobalWorked TEXT,"
                                             " TotalDays INTEGER,"
                                             " TotalHours TEXT,"
                                             " TotalMinutes TEXT,"
                                             " IsTotal INTEGER NOT NULL DEFAULT 0)")),
        // One employee's events of one day, in the order they happened.
        SchemaItem::savedQuery(QStringLiteral("qryParamHoursReport"),
                               QStringLiteral("SELECT Employee_Number, Employee_Full_Name, Date_CR, Time_CR, sIn, iIn "
                                              "FROM tblOnline WHERE Employee_Number = :prmNum AND Date_CR = :prmDate "
                                              "ORDER BY Time_CR, rowid")),
        // Every row of the working-hours table; readers order by the last three columns.
        SchemaItem::statement(QStringLiteral(
            "CREATE VIEW IF NOT EXISTS qryForWHdetails AS"
            " SELECT Employee_Name, Date, ifnull(StartTime, '') AS StartTime, ifnull(EndTime, '') AS EndTime,"
            " ifnull(SumDay, '') AS SumDay, Employee_Number, IsTotal, AutoNumber"
            " FROM tblHoursReport")),
        // A day's last row carries the day's totals, and the total row the employee's.
        SchemaItem::statement(
            QStringLiteral("CREATE VIEW IF NOT EXISTS qryForTotalReport AS"
                           " SELECT Employee_Name, Date, DayTotal, GlobalTotal, Employee_Number, IsTotal, AutoNumber"
                           " FROM tblHoursReport WHERE DayTotal IS NOT NULL")),
        // Each day with a first In, with the employee's own start time.
        SchemaItem::statement(
            QStringLiteral("CREATE VIEW IF NOT EXISTS qryForLateReport AS"
                           " SELECT h.Employee_Number, h.Employee_Name, h.Date, e.StartTime AS OwnStartTime, h.FirstIn,"
                           " h.DayTotal, h.DayHours, h.DayMinutes, h.GlobalH, h.GlobalM, h.GlobalTotal, h.AutoNumber"
                           " FROM tblHoursReport h LEFT JOIN tblEmployees e ON e.Employee_Number = h.Employee_Number"
                           " WHERE h.IsTotal = 0 AND h.FirstIn <> ''")),
        // ----------------------------------------------------------------------
    };
}

Schema reportsAttendanceIndex()
{
    // The working-hours fill reads the events of a range of employees and days
    // in their order from this index.
    return {SchemaItem::statement(QStringLiteral(
        "CREATE INDEX IF NOT EXISTS tblOnline_Attendance ON tblOnline (Employee_Number, Date_CR, Time_CR, iIn)"))};
}

Schema reportsCoveringAttendanceIndex()
{
    // The working-hours and on-line events fills read the events of a range of
    // employees and days in their order from this index alone, never from the
    // table. It begins with the columns of the employee index, which every
    // code read would otherwise keep up to date as well. Files of step 6 have
    // the index of step 5 or already this one; either is made again.
    return {
        SchemaItem::statement(QStringLiteral("DROP INDEX IF EXISTS tblOnline_Attendance")),
        SchemaItem::statement(QStringLiteral(
            "CREATE INDEX tblOnline_Attendance ON tblOnline (Employee_Number, Date_CR, Time_CR, iIn, iCard, iDoor)")),
        SchemaItem::statement(QStringLiteral("DROP INDEX IF EXISTS tblOnline_Employee"))};
}
