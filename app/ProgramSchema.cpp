#include "app/ProgramSchema.h"

#include "core/CoreSchema.h"
#include "employees/EmployeesSchema.h"
#include "link/LinkSchema.h"
#include "platform/db/Database.h"
#include "reports/events/EventReportsSchema.h"
#include "reports/framework/ReportsSchema.h"

SchemaSteps programSchemaSteps()
{
    // A file carries the number of its last step; opening it runs the steps
    // after that one. A step that has shipped never changes: a new table,
    // column, index or saved query is a new step at the end, and a test in
    // tests/app/tst_programschema.cpp opens a file of the version before it,
    // as that version shipped (tests/support/layouts).
    // For example:
    //     {2, {SchemaItem::statement(QStringLiteral("CREATE TABLE tblHolidays (...)")),
    //          SchemaItem::savedQuery(QStringLiteral("qryEmployees"), QStringLiteral("SELECT ..."))}},
    return {
        // The first layout. Files of the builds before the layout had a number
        // carry 0: this step adds what such a file lacks (every statement is
        // IF NOT EXISTS) and keeps every table that stands, rows and all.
        {1, coreSchema() + employeesSchema() + linkSchema()},
        {2, employeesCodeIndex()},
        {3, employeesRegisterTables()},
        {4, reportsSchema()},
        {5, reportsAttendanceIndex()},
        {6, eventReportsSchema()},
        {7, reportsCoveringAttendanceIndex()},
        {8, linkJournalMark()},
    };
}

Schema programFirstRows()
{
    return coreFreshRows() + employeesFreshRows();
}

void CreateProgramDatabase(const QString& path)
{
    auto db = Database::create(path, {});
    upgradeSchema(*db, programSchemaSteps(), programFirstRows());
    db->close();
}
