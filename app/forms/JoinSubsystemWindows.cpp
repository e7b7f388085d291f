#include "app/forms/JoinSubsystemWindows.h"

#include "core/ReportKind.h"
#include "reports/events/frmExceptReport.h"
#include "reports/events/frmMissingReport.h"
#include "reports/events/frmOnlineReport.h"
#include "reports/events/frmUnautorizedReport.h"
#include "reports/framework/frmEmpReport.h"
#include "reports/framework/frmLateHours.h"
#include "reports/framework/frmTotalHours.h"
#include "reports/framework/frmWorkingHours.h"

void JoinSubsystemWindows()
{
    // The report filter window's launch table: each kind's window with its preview.
    using Row = ReportWindowRow;
    frmEmpReport::registerReportWindow(ReportKinds::OnLine,
                                       Row::of<frmOnlineReport, &frmOnlineReport::PreviewOnLineReport>());
    frmEmpReport::registerReportWindow(ReportKinds::Absence,
                                       Row::of<frmMissingReport, &frmMissingReport::PreviewMissingReport>());
    frmEmpReport::registerReportWindow(ReportKinds::HoursDetails,
                                       Row::of<frmWorkingHours, &frmWorkingHours::PreviewHoursReport>());
    frmEmpReport::registerReportWindow(ReportKinds::IncompleteHours,
                                       Row::of<frmExceptReport, &frmExceptReport::PreviewExceptReport>());
    frmEmpReport::registerReportWindow(ReportKinds::LateArrival,
                                       Row::of<frmLateHours, &frmLateHours::PreviewLateReport>());
    frmEmpReport::registerReportWindow(ReportKinds::Unauthorized,
                                       Row::of<frmUnautorizedReport, &frmUnautorizedReport::PreviewUnauthReport>());
    frmEmpReport::registerReportWindow(ReportKinds::HoursTotal,
                                       Row::of<frmTotalHours, &frmTotalHours::PreviewTotalReport>());
}
