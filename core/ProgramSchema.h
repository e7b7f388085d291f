#pragma once

#include "platform/db/SchemaItem.h"

#include <QString>

// The whole layout of "GT430.mdb".
Schema programSchema();
// The rows a new database starts with, each naming its table: row 1 of the
// door settings and the settings row.
Schema programFirstRows();

// Lays down a new database file with the layout and the rows a fresh program
// starts from. Refuses to touch a file that is already there.
void CreateProgramDatabase(const QString& path);
