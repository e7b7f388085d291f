#pragma once

#include "reports/framework/Report.h"

// Report kind 2, the working-hours details: every worked interval and unpaired
// event of each employee, day by day, and a total row; printed one employee a page.
class WorkingHoursReport final : public Report {
public:
    int kind() const override;
    bool fill(const ReportFilters& filters, FillShow& show) override;
    ReportQuery previewQuery(const ReportFilters& filters) const override;
    QList<GridColumn> gridColumns() const override;
    TextFileLayout textFile() const override;
    ReportQuery printQuery(const ReportFilters& filters) const override;
    int print(Printer& printer, const ReportFilters& filters, const PrintRun& run) override;
};
