#include "core/ProgramSchema.h"

#include "core/CoreSchema.h"
#include "employees/EmployeesSchema.h"
#include "link/LinkSchema.h"
#include "platform/db/Database.h"

Schema programSchema()
{
    return coreSchema() + employeesSchema() + linkSchema();
}

Schema programFirstRows()
{
    return coreFreshRows() + employeesFreshRows();
}

void CreateProgramDatabase(const QString& path)
{
    Database::create(path, programSchema(), programFirstRows())->close();
}
