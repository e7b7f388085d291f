#pragma once

#include "reports/framework/frmReportWindow.h"

// The late-arrival report (kind 4). It needs the default start time of the
// door settings; without one it sends the user there.
class frmLateHours : public frmReportWindow {
    Q_OBJECT
public:
    frmLateHours();

    void PreviewLateReport() { preview(); }
};
