#include "reports/events/frmOnlineReport.h"

#include "platform/Prompts.h"
#include "reports/events/OnlineReport.h"

#include <QLabel>

frmOnlineReport::frmOnlineReport()
    : frmReportWindow(std::make_unique<OnlineReport>(), {964, 960, 962, 961, 966, 967}, MsgBox::YesNo)
{
    setWindowTitle(QStringLiteral("Online Report"));
    // Nothing of this report carries the "(*)" mark.
    lblMatchLines->setVisible(false);
}
