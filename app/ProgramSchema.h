#pragma once

#include "platform/db/SchemaUpgrade.h"

#include <QString>

// The layout of "GT430.mdb": every subsystem's tables and saved queries, as
// numbered steps.
SchemaSteps programSchemaSteps();
// The rows a new database starts with, each naming its table: row 1 of the
// door settings and the settings row.
Schema programFirstRows();

// Lays down a new database file at the latest layout, with the rows a fresh
// program starts from. Refuses to touch a file that is already there.
void CreateProgramDatabase(const QString& path);
