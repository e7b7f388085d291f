#pragma once

#include "reports/framework/Report.h"

// Report kind 6, the working-hours totals: each employee's worked and global
// hours day by day and in total, from the working-hours table; printed one
// employee a page.
class TotalHoursReport final : public Report {
public:
    int kind() const override;
    bool fill(const ReportFilters& filters, FillShow& show) override;
    ReportQuery previewQuery(const ReportFilters& filters) const override;
    QList<GridColumn> gridColumns() const override;
    TextFileLayout textFile() const override;
    ReportQuery printQuery(const ReportFilters& filters) const override;
    int print(Printer& printer, const ReportFilters& filters, const PrintRun& run) override;
};
