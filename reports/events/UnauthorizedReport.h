#pragma once

#include "reports/framework/Report.h"

// Report kind 5, unauthorized access: the refused passages of registered
// employees and the entries of codes no employee holds, on the days of the
// filters. The preview runs by date and time, the file and the printout in the
// order the rows were found; the sort direction turns each.
class UnauthorizedReport final : public Report {
public:
    int kind() const override;
    bool fill(const ReportFilters& filters, FillShow& show) override;
    ReportQuery previewQuery(const ReportFilters& filters) const override;
    QList<GridColumn> gridColumns() const override;
    ReportQuery saveQuery(const ReportFilters& filters) const override;
    TextFileLayout textFile() const override;
    ReportQuery printQuery(const ReportFilters& filters) const override;
    int print(Printer& printer, const ReportFilters& filters, const PrintRun& run) override;
};
