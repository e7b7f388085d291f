#pragma once

#include <QString>
#include <sys/types.h>

// Report files and printed PDFs hold names and attendance times: a new one is
// readable by its owner alone, as the database and the password file are. A
// file that is replaced keeps the mode its owner gave it.
namespace OwnerOnlyFile {

inline constexpr mode_t Mode = 0600;

// Makes `path` an empty file of that mode unless something of that name is
// there already. True when it made the file; false when one was there or the
// file cannot be made (the writer that follows then says why).
bool createUnlessPresent(const QString& path);

}
