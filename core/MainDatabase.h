#pragma once

#include "platform/db/SchemaUpgrade.h"

#include <QString>
#include <functional>

inline const QString DatabaseFileName = QStringLiteral("GT430.mdb");

// The layout of the file, handed in by the shell: opening the file brings it
// up to the last step, and a file of a newer layout is refused. A table a step
// creates gets its `firstRows` (rows named by table) in the same step.
void setMainDatabaseLayout(SchemaSteps steps, Schema firstRows);

// Opens "GT430.mdb" in the program folder into Db, keeps the employees dynaset
// open for the run and reads the company name; a table the file lacks is added
// with the rows a new database has. A failure is reported; when the file could
// not be opened at all, the user is told that the program cannot work without
// it, and the program ends with the status NoDatabase.
void OpenMainDatabase();

namespace ExitStatus {
inline constexpr int NoDatabase = 2;
}

// Opens Db and the employees dynaset again after they were closed (compaction).
// Throws when the file cannot be opened.
void ReopenMainDatabase();

// Closes the employees dynaset and Db; first it runs what must be done while
// the database is still open (the link stores what waits for it).
void CloseMainDatabase();
void setBeforeMainDatabaseCloses(std::function<void()> work);
