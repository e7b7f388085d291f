#pragma once

#include "platform/db/SchemaItem.h"

#include <QString>

// The whole layout of "GT430.mdb".
Schema programSchema();

// Lays down a new database file with the layout and the rows a fresh program
// starts from. Refuses to touch a file that is already there.
void CreateProgramDatabase(const QString& path);
