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

// Closes the employees dynaset and Db at the end of the program; first it
// runs what must be done while the database is still open (the link stores
// what waits for it, or keeps it in its journal).
void CloseMainDatabase();

// Closes Db for a moment (a compaction), until ReopenMainDatabase: what waits
// for it is stored first, as far as it takes it. Meanwhile the reception goes
// on and keeps what comes, and nothing tries to reach the database.
void CloseMainDatabaseForAMoment();
// Opens Db and the employees dynaset again after they were closed for a
// moment. Throws when the file cannot be opened.
void ReopenMainDatabase();
// Whether the program has closed its database for a moment.
bool MainDatabaseAway();

// What must be done while the database is still open: `forGood` at the end.
void setBeforeMainDatabaseCloses(std::function<void(bool forGood)> work);
// What must be done once the program's database has opened at the start, before anything else.
void setWhenMainDatabaseOpens(std::function<void()> work);
