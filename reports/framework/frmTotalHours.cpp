#include "reports/framework/frmTotalHours.h"

#include "platform/Prompts.h"
#include "reports/framework/TotalHoursReport.h"

frmTotalHours::frmTotalHours()
    : frmReportWindow(std::make_unique<TotalHoursReport>(), {1001, 1002, 1003, 1004, 1006, 1007}, MsgBox::YesNo)
{
    setWindowTitle(QStringLiteral("Working Hours - Total  Report"));
}
