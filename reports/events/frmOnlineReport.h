#pragma once

#include "reports/framework/frmReportWindow.h"

// "Online Report": the on-line events report (kind 0).
class frmOnlineReport : public frmReportWindow {
    Q_OBJECT
public:
    frmOnlineReport();

    void PreviewOnLineReport() { preview(); }
};
