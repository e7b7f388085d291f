#pragma once

#include "platform/db/SchemaItem.h"

// The employee register and the door settings row. Layout step 1
// (app/ProgramSchema.cpp), which stands as it shipped: a change of these
// tables is a new step.
Schema employeesSchema();
// Layout step 2: the index of the lookup by code.
Schema employeesCodeIndex();
// Layout step 3: the employee editor's work table, the holidays and the
// employee list's query.
Schema employeesRegisterTables();
Schema employeesFreshRows();
