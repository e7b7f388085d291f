#include "employees/frmEmployees.h"

#include "app/frmMain.h"

frmEmployees::frmEmployees()
{
    setWindowTitle(QStringLiteral("Employees"));
    resize(640, 480);
}

void frmEmployees::Form_Unload()
{
    RefreshMainToolbar();
}
