#include "platform/Log.h"

Q_LOGGING_CATEGORY(lcGt430, "gt430")
