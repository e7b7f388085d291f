#include "reports/events/EventReportsSchema.h"

Schema eventReportsSchema()
{
    return {
        // The work tables are emptied and refilled by each report and keep
        // the order their rows were written in (the key). A text a fill has
        // nothing for is stored empty, never Null, so every field reads as text.
        SchemaItem::statement(QStringLiteral("CREATE TABLE IF NOT EXISTS tblOnlineReport ("
                                             " Employee_Name TEXT,"
                                             " Date_CR TEXT,"
                                             " Time_CR TEXT,"
                                             " Ext_Int_Door TEXT,"
                                             " Key_ProxCard TEXT,"
                                             " Door_Action TEXT,"
                                             " AutoNumber INTEGER PRIMARY KEY)")),
        SchemaItem::statement(QStringLiteral("CREATE TABLE IF NOT EXISTS tblMissingReport ("
                                             " MissNum INTEGER PRIMARY KEY,"
                                             " Employee_Number INTEGER,"
                                             " Employee_Name TEXT,"
                                             " Date TEXT)")),
        // IsTotal marks an employee's closing row, whatever the language of its "Total".
        SchemaItem::statement(QStringLiteral("CREATE TABLE IF NOT EXISTS tblExceptReport ("
                                             " AutoNumber INTEGER PRIMARY KEY,"
                                             " Employee_Number INTEGER,"
                                             " Employee_Name TEXT,"
                                             " Date TEXT,"
                                             " NumHourNeed TEXT NOT NULL DEFAULT '',"
                                             " NumHourDid TEXT NOT NULL DEFAULT '',"
                                             " ExceptHours TEXT NOT NULL DEFAULT '',"
                                             " Total INTEGER,"
                                             " GlobalHours TEXT NOT NULL DEFAULT '',"
                                             " IsTotal INTEGER NOT NULL DEFAULT 0)")),
        SchemaItem::statement(QStringLiteral("CREATE TABLE IF NOT EXISTS tblUnauthorized ("
                                             " AutoNum INTEGER PRIMARY KEY,"
                                             " Employee_Number INTEGER,"
                                             " date TEXT,"
                                             " time TEXT,"
                                             " InOut TEXT,"
                                             " Employee_Name TEXT,"
                                             " SlotNumber INTEGER,"
                                             " Code TEXT,"
                                             " CardPin TEXT,"
                                             " Door_Action TEXT,"
                                             " Reason TEXT NOT NULL DEFAULT '')")),
        // One row or more exactly when the employee has an event on the day.
        SchemaItem::savedQuery(QStringLiteral("qryParamMissingReport"),
                               QStringLiteral("SELECT Employee_Number, Date_CR, Time_CR FROM tblOnline "
                                              "WHERE Employee_Number = :prmNum AND Date_CR = :prmDate")),
        // The working-hours table's rows that carry a day's totals (a day's
        // last row) and each employee's total row, with the employee's own hours.
        SchemaItem::statement(QStringLiteral(
            "CREATE VIEW IF NOT EXISTS qryForExceptReport AS"
            " SELECT h.Employee_Number, h.Employee_Name, h.Date, ifnull(e.WorkingHours, 0) AS WorkingHours,"
            " h.DayTotal, h.DayHours, h.DayMinutes, h.GlobalH, h.GlobalM, h.GlobalTotal, h.IsTotal, h.AutoNumber"
            " FROM tblHoursReport h LEFT JOIN tblEmployees e ON e.Employee_Number = h.Employee_Number"
            " WHERE h.DayTotal IS NOT NULL")),
        SchemaItem::statement(QStringLiteral(
            "CREATE VIEW IF NOT EXISTS qryIncompletedHours AS"
            " SELECT AutoNumber, Employee_Number, Employee_Name, Date, NumHourNeed, NumHourDid, ExceptHours, Total,"
            " GlobalHours, IsTotal FROM tblExceptReport")),
        // Refused passages of registered employees; with the slot and code the register gives them.
        SchemaItem::statement(QStringLiteral(
            "CREATE VIEW IF NOT EXISTS qryForUnauthorized AS"
            " SELECT o.Employee_Number, o.Date_CR, o.Time_CR, o.iIn, o.Employee_Full_Name, e.SlotNumber,"
            " e.Employee_Code, o.iCard, o.iDoor, o.iReason, o.rowid AS EventNum, e.Last_Name, e.First_Name"
            " FROM tblOnline o CROSS JOIN tblEmployees e ON e.Employee_Number = o.Employee_Number"
            " WHERE o.iDoor = 2")),
        // Entries made with a code that no employee holds.
        SchemaItem::statement(
            QStringLiteral("CREATE VIEW IF NOT EXISTS qryUnauthorized2 AS"
                           " SELECT o.Employee_Number, o.Date_CR, o.Time_CR, o.iIn, o.Employee_Full_Name, o.SlotNumber,"
                           " o.CardNum, o.iCard, o.iDoor, o.iReason, o.rowid AS EventNum"
                           " FROM tblOnline o WHERE o.Employee_Number = -1 AND o.iIn = 1 AND o.iDoor = 1")),
        // The few refused passages of a log of millions, by day: the
        // unauthorized-access report reads them alone. (The entries of unknown
        // codes it finds by the attendance index, under number -1.)
        SchemaItem::statement(QStringLiteral(
            "CREATE INDEX IF NOT EXISTS tblOnline_Refused ON tblOnline (Date_CR, Time_CR) WHERE iDoor = 2")),
    };
}
