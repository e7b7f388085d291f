#include "reports/framework/frmEmpReport.h"

#include "core/MainWindowService.h"

frmEmpReport::frmEmpReport()
{
    setWindowTitle(QStringLiteral("Reports"));
    resize(640, 480);
}

void frmEmpReport::Form_Unload()
{
    RefreshMainToolbar();
}
