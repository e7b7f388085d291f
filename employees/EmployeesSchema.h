#pragma once

#include "platform/db/SchemaItem.h"

// The employee register and the door settings row. Layout step 1
// (app/ProgramSchema.cpp), which stands as it shipped: a change of these
// tables is a new step.
Schema employeesSchema();
Schema employeesFreshRows();
