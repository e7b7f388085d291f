#include "link/frmOnline.h"

#include "core/frmMain.h"

frmOnline::frmOnline()
{
    setWindowTitle(QStringLiteral("On-Line"));
    resize(640, 480);
}

void frmOnline::Form_Unload()
{
    RefreshMainToolbar();
}
