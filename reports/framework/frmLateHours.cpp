#include "reports/framework/frmLateHours.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "employees/frmProgramming.h"
#include "platform/Prompts.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/TimeBox.h"
#include "reports/framework/LateReport.h"

#include <QLineEdit>

frmLateHours::frmLateHours()
    : frmReportWindow(std::make_unique<LateReport>(), {901, 903, 904, 905, 906, 901}, MsgBox::YesNo)
{
    setWindowTitle(QStringLiteral("Late Arrival Report"));
}

bool frmLateHours::mayRun(Operation)
{
    if (!appState().DefaultStartTime.isEmpty())
        return true;
    ShowNotice(Translate(QStringLiteral("Please Enter Start Time")));
    frmProgramming& settings = FormInstance<frmProgramming>::get();
    settings.showModeless(opener());
    settings.FocusWorkingDaysField(settings.txtTime[0]);
    return false;
}
