#include "reports/events/EventReports.h"

#include "core/ReportKind.h"
#include "reports/events/ExceptReport.h"
#include "reports/events/MissingReport.h"
#include "reports/events/OnlineReport.h"
#include "reports/events/UnauthorizedReport.h"
#include "reports/framework/ReportCatalog.h"

void RegisterEventReports()
{
    registerReport(ReportKinds::OnLine, [] { return std::make_unique<OnlineReport>(); });
    registerReport(ReportKinds::Absence, [] { return std::make_unique<MissingReport>(); });
    registerReport(ReportKinds::IncompleteHours, [] { return std::make_unique<ExceptReport>(); });
    registerReport(ReportKinds::Unauthorized, [] { return std::make_unique<UnauthorizedReport>(); });
}
