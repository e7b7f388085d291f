#include "reports/events/frmExceptReport.h"

#include "platform/Prompts.h"
#include "reports/events/ExceptReport.h"

frmExceptReport::frmExceptReport()
    : frmReportWindow(std::make_unique<ExceptReport>(), {851, 853, 854, 855, 856, 857}, MsgBox::YesNo)
{
    setWindowTitle(QStringLiteral("Incompleted Report"));
}
