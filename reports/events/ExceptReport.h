#pragma once

#include "reports/framework/Report.h"

// Report kind 3, incomplete hours: the days each employee worked fewer whole
// hours than scheduled, with the time missing, and per employee the short days
// and the missing time in total. The preview and the printout leave out
// employees never short; the text file keeps their closing rows and shows the
// filters in its title line.
class ExceptReport final : public Report {
public:
    int kind() const override;
    bool fill(const ReportFilters& filters, FillShow& show) override;
    ReportQuery previewQuery(const ReportFilters& filters) const override;
    QList<GridColumn> gridColumns() const override;
    ReportQuery saveQuery(const ReportFilters& filters) const override;
    TextFileLayout textFile() const override;
    TextFileLayout textFileFor(const ReportFilters& filters) const override;
    ReportQuery printQuery(const ReportFilters& filters) const override;
    int print(Printer& printer, const ReportFilters& filters, const PrintRun& run) override;
};
