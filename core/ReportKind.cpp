#include "core/ReportKind.h"

int16_t ReportKind = 0;
