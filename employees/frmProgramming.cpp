#include "employees/frmProgramming.h"

#include "core/MainWindowService.h"

frmProgramming::frmProgramming()
{
    setWindowTitle(QStringLiteral("Programming"));
    resize(640, 480);
}

void frmProgramming::Form_Unload()
{
    RefreshMainToolbar();
}
