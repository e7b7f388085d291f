#pragma once

#include <QLoggingCategory>

// Failures the program passes over without a box (a fallback taken, a file it
// goes on without) still leave a line here: qCWarning(lcGt430) << ...
Q_DECLARE_LOGGING_CATEGORY(lcGt430)
