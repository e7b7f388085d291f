#pragma once

#include <QtGlobal>

// Writes all `size` bytes to the file descriptor, again after an interrupted
// or short write. The error number when it could not (ENOSPC for a write that
// took nothing and gave no reason), else 0.
int writeAll(int fd, const char* data, qsizetype size);
