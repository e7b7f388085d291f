#pragma once

#include "reports/framework/frmReportWindow.h"

// "Absence Report": the absence report (kind 1). Its save dialog offers text,
// batch and all files, text files first chosen.
class frmMissingReport : public frmReportWindow {
    Q_OBJECT
public:
    frmMissingReport();

    void PreviewMissingReport() { preview(); }

protected:
    QString chooseSaveFile() override;
};
