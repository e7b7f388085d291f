#include "reports/framework/frmWorkingHours.h"

#include "platform/Prompts.h"
#include "reports/framework/WorkingHoursReport.h"

frmWorkingHours::frmWorkingHours()
    : frmReportWindow(std::make_unique<WorkingHoursReport>(), {1011, 1013, 1014, 1015, 1016, 1017}, MsgBox::OkCancel)
{
    setWindowTitle(QStringLiteral("Working Hours Report"));
}
