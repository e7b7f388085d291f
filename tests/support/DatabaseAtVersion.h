#pragma once

#include <QString>

// A database file as the program lays it down at `version` of its layout
// (0: no step run), without rows: the file of the version before a step, for
// that step's test.
void createDatabaseAtVersion(const QString& path, int version);
