#include "reports/events/frmUnautorizedReport.h"

#include "platform/Prompts.h"
#include "reports/events/UnauthorizedReport.h"

#include <QLabel>

frmUnautorizedReport::frmUnautorizedReport()
    : frmReportWindow(std::make_unique<UnauthorizedReport>(), {1051, 1053, 1054, 1055, 1056, 1051}, MsgBox::YesNo)
{
    setWindowTitle(QStringLiteral("UnAuthorized Report"));
    lblMatchLines->setVisible(false);
}
