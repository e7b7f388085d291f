#include "core/ReportKind.h"

int16_t ReportKind = 0;

void SetReportKind(int kind)
{
    ReportKind = static_cast<int16_t>(kind);
}
