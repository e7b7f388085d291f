#include "reports/framework/ReportCatalog.h"

#include "core/ReportKind.h"
#include "reports/framework/LateReport.h"
#include "reports/framework/TotalHoursReport.h"
#include "reports/framework/WorkingHoursReport.h"

#include <QHash>

namespace {

QHash<int, ReportMaker>& registered()
{
    static QHash<int, ReportMaker> makers;
    return makers;
}

}

std::unique_ptr<Report> makeReport(int kind)
{
    switch (kind) {
    case ReportKinds::HoursDetails: return std::make_unique<WorkingHoursReport>();
    case ReportKinds::LateArrival: return std::make_unique<LateReport>();
    case ReportKinds::HoursTotal: return std::make_unique<TotalHoursReport>();
    default: break;
    }
    const ReportMaker make = registered().value(kind);
    return make ? make() : nullptr;
}

void registerReport(int kind, ReportMaker make)
{
    registered().insert(kind, std::move(make));
}
