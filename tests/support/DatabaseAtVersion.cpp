#include "tests/support/DatabaseAtVersion.h"

#include "app/ProgramSchema.h"
#include "platform/db/Database.h"

void createDatabaseAtVersion(const QString& path, int version)
{
    auto db = Database::create(path, {});
    upgradeSchema(*db, programSchemaSteps().mid(0, version));
}
