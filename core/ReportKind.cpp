#include "reports/framework/ReportKind.h"

int16_t ReportKind = 0;
