#pragma once

#include "platform/db/SchemaItem.h"

class Database;

namespace Err {
// The database engine's "unrecognized database format": here, a file of a newer layout.
inline constexpr int UnrecognizedDbFormat = 3343;
}

// One numbered change of the stored layout: what takes a file from version
// `version - 1` to `version`. Its statements run once, as they stand; its saved
// queries are stored under their names, replacing an older text.
struct SchemaStep {
    int version = 0;
    Schema items;
};

// Steps 1, 2, ... in order; a file is up to date at the last step's number.
using SchemaSteps = QList<SchemaStep>;

// The layout version a file carries (PRAGMA user_version); 0 for a file no
// step has touched.
int schemaVersion(Database& db);

// Runs the steps after the file's version, each in one transaction with the
// new version number, so a step that fails leaves the file at the version
// before it. A file of a version beyond the last step is refused with 3343 and
// left as it is; steps not numbered 1, 2, ... fail with 5. A table that a
// step creates gets the rows of `firstRows` that name it, in the same step.
// Then whatever the steps lay down and the file has lost since (a table, an
// index, a view, a saved query) is added again in one transaction, a table
// with its `firstRows`, and the log says what was added.
void upgradeSchema(Database& db, const SchemaSteps& steps, const Schema& firstRows = {});
