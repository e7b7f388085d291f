#pragma once

#include "reports/framework/Report.h"

// Report kind 1, absence: per employee of the range, the working days without
// any event of his, or one row when he has none on any day. The sort direction
// orders each employee's days; the employees stay in ascending order.
class MissingReport final : public Report {
public:
    int kind() const override;
    bool fill(const ReportFilters& filters, FillShow& show) override;
    ReportQuery previewQuery(const ReportFilters& filters) const override;
    QList<GridColumn> gridColumns() const override;
    TextFileLayout textFile() const override;
    int print(Printer& printer, const ReportFilters& filters, const PrintRun& run) override;
};
