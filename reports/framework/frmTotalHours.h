#pragma once

#include "reports/framework/frmReportWindow.h"

// The working-hours total report (kind 6).
class frmTotalHours : public frmReportWindow {
    Q_OBJECT
public:
    frmTotalHours();

    void PreviewTotalReport() { preview(); }
};
