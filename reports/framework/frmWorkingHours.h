#pragma once

#include "reports/framework/frmReportWindow.h"

// The working-hours details report (kind 2).
class frmWorkingHours : public frmReportWindow {
    Q_OBJECT
public:
    frmWorkingHours();

    void PreviewHoursReport() { preview(); }
};
