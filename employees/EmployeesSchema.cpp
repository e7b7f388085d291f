#include "employees/EmployeesSchema.h"

Schema employeesSchema()
{
    return {
        // Copied field by field by position: the column order is binding.
        SchemaItem::statement(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS tblEmployees ("
            " Employee_Number INTEGER NOT NULL,"
            " First_Name TEXT DEFAULT '',"
            " Last_Name TEXT DEFAULT '',"
            " Id_Number TEXT DEFAULT '',"
            " Gender INTEGER DEFAULT 0,"
            " Status INTEGER DEFAULT 0,"
            " Birth_Date TEXT,"
            " Address TEXT DEFAULT '',"
            " Phone_Number TEXT DEFAULT '',"
            " SelPhone_Number TEXT DEFAULT '',"
            " EmailAddr TEXT DEFAULT '',"
            " Position TEXT DEFAULT '',"
            " Position_Date TEXT,"
            " Employment_Date TEXT,"
            " PictureFile TEXT DEFAULT '',"
            " SlotNumber INTEGER DEFAULT 0,"
            " StartTime TEXT DEFAULT '__:__',"
            " WorkingHours INTEGER DEFAULT 0,"
            " Employee_Code TEXT DEFAULT '',"
            " PinProx INTEGER DEFAULT 0)")),
        SchemaItem::statement(QStringLiteral(
            "CREATE UNIQUE INDEX IF NOT EXISTS tblEmployees_Employee_Number ON tblEmployees (Employee_Number)")),
        // The four periods are read by position 2 to 9.
        SchemaItem::statement(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS DoorsNames_Tbl ("
            " Door_ID INTEGER DEFAULT 1,"
            " DOOR_DESCRIPTION TEXT DEFAULT 'Door 1',"
            " MonThu_Start TEXT DEFAULT '',"
            " MonThu_Hours INTEGER DEFAULT 0,"
            " Fri_Start TEXT DEFAULT '',"
            " Fri_Hours TEXT DEFAULT '',"
            " Sat_Start TEXT DEFAULT '',"
            " Sat_Hours TEXT DEFAULT '',"
            " Sun_Start TEXT DEFAULT '',"
            " Sun_Hours TEXT DEFAULT '',"
            " CompanyName TEXT DEFAULT '')")),
        SchemaItem::statement(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS tblHolidays (Date TEXT NOT NULL UNIQUE, Description TEXT DEFAULT '', ID INTEGER PRIMARY KEY AUTOINCREMENT)")),
    };
}

Schema employeesFreshRows()
{
    return {SchemaItem::statement(QStringLiteral(
        "INSERT INTO DoorsNames_Tbl (Door_ID, DOOR_DESCRIPTION, MonThu_Start, MonThu_Hours, Fri_Start, Fri_Hours,"
        " Sat_Start, Sat_Hours, Sun_Start, Sun_Hours, CompanyName)"
        " VALUES (1, 'Door 1', '08:00', 8, '08:00', '8', '', '', '', '', '')"))};
}
