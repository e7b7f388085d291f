#include "core/ProgramSchema.h"

#include "core/CoreSchema.h"
#include "employees/EmployeesSchema.h"
#include "link/LinkSchema.h"
#include "platform/db/Database.h"
#include "reports/framework/ReportsSchema.h"

Schema programSchema()
{
    return coreSchema() + employeesSchema() + linkSchema() + reportsSchema();
}

void CreateProgramDatabase(const QString& path)
{
    auto db = Database::create(path, programSchema());
    Transaction t(*db);
    for (const SchemaItem& row : coreFreshRows() + employeesFreshRows())
        db->execute(row.sql);
    t.commit();
    db->close();
}
