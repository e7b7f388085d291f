#include "app/forms/JoinSubsystemWindows.h"

#include "core/ReportKind.h"
#include "platform/forms/FormRegistry.h"
#include "reports/events/frmExceptReport.h"
#include "reports/events/frmMissingReport.h"
#include "reports/events/frmOnlineReport.h"
#include "reports/events/frmUnautorizedReport.h"
#include "reports/framework/frmEmpReport.h"

void JoinSubsystemWindows()
{
    frmEmpReport::registerReportWindow(ReportKinds::OnLine, [] { return &FormInstance<frmOnlineReport>::get(); });
    frmEmpReport::registerReportWindow(ReportKinds::Absence, [] { return &FormInstance<frmMissingReport>::get(); });
    frmEmpReport::registerReportWindow(ReportKinds::IncompleteHours,
                                       [] { return &FormInstance<frmExceptReport>::get(); });
    frmEmpReport::registerReportWindow(ReportKinds::Unauthorized,
                                       [] { return &FormInstance<frmUnautorizedReport>::get(); });
}
