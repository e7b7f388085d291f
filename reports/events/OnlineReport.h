#pragma once

#include "reports/framework/Report.h"

// Report kind 0, the on-line events: every code read of the registered
// employees of the range, employee by employee, always in ascending order. The
// printout groups the reads under each employee's label; the text file repeats
// the label on every line.
class OnlineReport final : public Report {
public:
    int kind() const override;
    bool fill(const ReportFilters& filters, FillShow& show) override;
    ReportQuery previewQuery(const ReportFilters& filters) const override;
    QList<GridColumn> gridColumns() const override;
    TextFileLayout textFile() const override;
    int print(Printer& printer, const ReportFilters& filters, const PrintRun& run) override;
};
