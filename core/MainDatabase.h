#pragma once

#include "platform/db/SchemaUpgrade.h"

#include <QString>

inline const QString DatabaseFileName = QStringLiteral("GT430.mdb");

// The layout of the file, handed in by the shell: opening the file brings it
// up to the last step, and a file of a newer layout is refused.
void setMainDatabaseLayout(SchemaSteps steps);

// Opens "GT430.mdb" in the program folder into Db, keeps the employees dynaset
// open for the run and reads the company name. A failure is reported and the
// start-up goes on without a database.
void OpenMainDatabase();

// Opens Db and the employees dynaset again after they were closed (compaction).
// Throws when the file cannot be opened.
void ReopenMainDatabase();

// Closes the employees dynaset and Db.
void CloseMainDatabase();
