#include "reports/framework/ReportCatalog.h"

#include "reports/framework/LateReport.h"
#include "core/ReportKind.h"
#include "reports/framework/TotalHoursReport.h"
#include "reports/framework/WorkingHoursReport.h"

std::unique_ptr<Report> makeReport(int kind)
{
    switch (kind) {
    case ReportKinds::HoursDetails: return std::make_unique<WorkingHoursReport>();
    case ReportKinds::LateArrival: return std::make_unique<LateReport>();
    case ReportKinds::HoursTotal: return std::make_unique<TotalHoursReport>();
    default: return nullptr;
    }
}
