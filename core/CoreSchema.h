#pragma once

#include "platform/db/SchemaItem.h"

// The settings row.
Schema coreSchema();
Schema coreFreshRows();
