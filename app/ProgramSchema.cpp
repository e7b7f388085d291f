#include "app/ProgramSchema.h"

#include "core/CoreSchema.h"
#include "employees/EmployeesSchema.h"
#include "link/LinkSchema.h"
#include "platform/db/Database.h"

Schema programSchema()
{
    return coreSchema() + employeesSchema() + linkSchema();
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
