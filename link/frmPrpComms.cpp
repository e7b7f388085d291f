#include "link/frmPrpComms.h"

#include "core/frmMain.h"

frmPrpComms::frmPrpComms()
{
    setWindowTitle(QStringLiteral("Communication Setup"));
    resize(640, 480);
}

void frmPrpComms::Form_Unload()
{
    RefreshMainToolbar();
}
