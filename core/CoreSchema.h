#pragma once

#include "platform/db/SchemaItem.h"

// The settings row. Layout step 1 (app/ProgramSchema.cpp), which stands as
// it shipped: a change of this table is a new step.
Schema coreSchema();
Schema coreFreshRows();
