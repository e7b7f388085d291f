#pragma once

#include <sys/types.h>

// Report files and printed PDFs hold names and attendance times: a new one is
// readable by its owner alone, as the database and the password file are. A
// file that is replaced keeps the mode its owner gave it.
namespace OwnerOnlyFile {

inline constexpr mode_t Mode = 0600;

}
