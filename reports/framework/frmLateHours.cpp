#include "reports/framework/frmLateHours.h"

#include "platform/Prompts.h"
#include "reports/framework/LateReport.h"

frmLateHours::frmLateHours()
    : frmReportWindow(std::make_unique<LateReport>(), {901, 903, 904, 905, 906, 901}, MsgBox::YesNo)
{
    setWindowTitle(QStringLiteral("Late Arrival Report"));
}
