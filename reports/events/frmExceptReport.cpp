#include "reports/events/frmExceptReport.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "employees/frmProgramming.h"
#include "platform/Prompts.h"
#include "platform/forms/FormRegistry.h"
#include "reports/events/ExceptReport.h"

#include <QComboBox>

frmExceptReport::frmExceptReport()
    : frmReportWindow(std::make_unique<ExceptReport>(), {851, 853, 854, 855, 856, 857}, MsgBox::YesNo)
{
    setWindowTitle(QStringLiteral("Incompleted Report"));
}

bool frmExceptReport::mayRun(Operation operation)
{
    if (appState().DefaultWorkHours != 0)
        return true;
    const QString text = Translate(QStringLiteral("Please Enter Working Hours"));
    // The preview warns; save and print give notice.
    if (operation == Operation::Preview)
        ShowWarning(text);
    else
        ShowNotice(text);
    frmProgramming& settings = FormInstance<frmProgramming>::get();
    settings.showModeless(opener());
    settings.FocusWorkingDaysField(settings.cmbHours[0]);
    return false;
}
