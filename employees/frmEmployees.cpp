#include "employees/frmEmployees.h"

#include "core/MainWindowService.h"

frmEmployees::frmEmployees()
{
    setWindowTitle(QStringLiteral("Employees"));
    resize(640, 480);
}

void frmEmployees::Form_Unload()
{
    RefreshMainToolbar();
}
