#pragma once

#include "reports/framework/frmReportWindow.h"

// "UnAuthorized Report": the unauthorized-access report (kind 5).
class frmUnautorizedReport : public frmReportWindow {
    Q_OBJECT
public:
    frmUnautorizedReport();

    void PreviewUnauthReport() { preview(); }
};
