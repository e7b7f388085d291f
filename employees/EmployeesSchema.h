#pragma once

#include "platform/db/SchemaItem.h"

// The employee register and the door settings row.
Schema employeesSchema();
Schema employeesFreshRows();
