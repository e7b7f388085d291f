#pragma once

#include "reports/framework/frmReportWindow.h"

// "Incompleted Report": the incomplete-hours report (kind 3). It needs the
// default working hours of the door settings; without them it sends the user
// there.
class frmExceptReport : public frmReportWindow {
    Q_OBJECT
public:
    frmExceptReport();

    void PreviewExceptReport() { preview(); }
};
