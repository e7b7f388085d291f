#include "employees/EmployeesSchema.h"

namespace {

// The fields of an employee, in the order of EmpField.
QString employeeColumns()
{
    return QStringLiteral("("
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
                          " PinProx INTEGER DEFAULT 0)");
}

}

Schema employeesSchema()
{
    return {
        // Copied field by field by position: the column order is binding.
        SchemaItem::statement(QStringLiteral("CREATE TABLE IF NOT EXISTS tblEmployees ") + employeeColumns()),
        SchemaItem::statement(QStringLiteral(
            "CREATE UNIQUE INDEX IF NOT EXISTS tblEmployees_Employee_Number ON tblEmployees (Employee_Number)")),
        // The four periods are read by position 2 to 9.
        SchemaItem::statement(QStringLiteral("CREATE TABLE IF NOT EXISTS DoorsNames_Tbl ("
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
    };
}

Schema employeesCodeIndex()
{
    // Every code read looks its holder up by the code without surrounding blanks.
    return {SchemaItem::statement(
        QStringLiteral("CREATE INDEX IF NOT EXISTS tblEmployees_Code ON tblEmployees (trim(Employee_Code, ' '))"))};
}

Schema employeesRegisterTables()
{
    return {
        // The work table mirrors tblEmployees column for column: the copies go by position.
        SchemaItem::statement(QStringLiteral("CREATE TABLE IF NOT EXISTS tblTempEmp ") + employeeColumns()),
        // Dates are ISO text of the picker's year 2000; only month and day count.
        SchemaItem::statement(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS tblHolidays (Date TEXT NOT NULL UNIQUE, Description TEXT DEFAULT '',"
            " ID INTEGER PRIMARY KEY AUTOINCREMENT)")),
        // Read by position: number, last name, first name, code, slot; and by name: SlotNumber, PinProx.
        SchemaItem::savedQuery(QStringLiteral("qryEmployees"),
                               QStringLiteral("SELECT Employee_Number, Last_Name, First_Name,"
                                              " ifnull(Employee_Code, '') AS Employee_Code,"
                                              " ifnull(SlotNumber, 0) AS SlotNumber,"
                                              " ifnull(PinProx, 0) AS PinProx"
                                              " FROM tblEmployees ORDER BY Employee_Number")),
    };
}

Schema employeesFreshRows()
{
    return {SchemaItem::firstRows(
        QStringLiteral("DoorsNames_Tbl"),
        QStringLiteral(
            "INSERT INTO DoorsNames_Tbl (Door_ID, DOOR_DESCRIPTION, MonThu_Start, MonThu_Hours, Fri_Start, Fri_Hours,"
            " Sat_Start, Sat_Hours, Sun_Start, Sun_Hours, CompanyName)"
            " VALUES (1, 'Door 1', '08:00', 8, '08:00', '8', '', '', '', '', '')"))};
}
