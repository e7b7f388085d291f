#pragma once

#include "reports/framework/Report.h"

// Report kind 4, late arrival: the days each employee's first In came after the
// scheduled start, and per employee the late days and time in total. The
// preview and the printout leave out employees never late; the text file keeps
// their total rows.
class LateReport final : public Report {
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
