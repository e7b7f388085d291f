#include "employees/frmProgramming.h"

#include "app/frmMain.h"

frmProgramming::frmProgramming()
{
    setWindowTitle(QStringLiteral("Programming"));
    resize(640, 480);
}

void frmProgramming::Form_Unload()
{
    RefreshMainToolbar();
}
