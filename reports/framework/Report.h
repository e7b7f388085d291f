#pragma once

#include "reports/framework/ReportFilters.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>

class FillShow;
class ForwardQuery;
class Printer;
class TextLine;

// A statement a report reads its rows with, its values bound.
struct ReportQuery {
    QString sql;
    QVariantList params;
};

// True when the statement yields at least one row.
bool hasRows(const ReportQuery& query);

// True when the event log holds an event of an employee number of the
// filters' range on one of their days.
bool anyEventInRange(const ReportFilters& filters);

// A column of the preview grid: its title (a dictionary key; none leaves the
// header as the data gives it) and its width in twips (0 hides it). Dates of
// the form YYYY-MM-DD are shown in the system's short date form.
struct GridColumn {
    const char* title;
    int width;
};

// The text file of a report: fixed-width fields, a title line, an asterisk
// rule, the headings, one line a row, and lines that close the file.
struct TextFileLayout {
    QList<int> widths;
    QStringList title;
    QStringList rule;
    QStringList headings;
    // The fields of one row of the save query, added to its line in turn.
    std::function<void(const ForwardQuery&, TextLine&)> record;
    QList<QStringList> closing;
};

// How a printout is made.
struct PrintRun {
    QDateTime now;      // the time printed in every page header
    bool notice = true; // the printing notice at the end
};

// One kind of report: how it rebuilds its work table from the event log, and
// what its preview, text file and printout are made of. The report windows
// and the command-line tool share it; nothing here shows a window.
class Report {
public:
    virtual ~Report() = default;

    virtual int kind() const = 0;
    // Empties and refills the report's work tables for the filters, under `show`.
    // False when the fill failed: the failure has been reported and the tables
    // are left empty.
    virtual bool fill(const ReportFilters& filters, FillShow& show) = 0;

    virtual ReportQuery previewQuery(const ReportFilters& filters) const = 0;
    virtual QList<GridColumn> gridColumns() const = 0;

    virtual ReportQuery saveQuery(const ReportFilters& filters) const { return previewQuery(filters); }
    virtual TextFileLayout textFile() const = 0;
    // The text file of a save made with these filters; a report whose file
    // shows its filters gives them here.
    virtual TextFileLayout textFileFor(const ReportFilters&) const { return textFile(); }

    virtual ReportQuery printQuery(const ReportFilters& filters) const { return previewQuery(filters); }
    // Prints the rows of the print query; returns the number of rows printed.
    virtual int print(Printer& printer, const ReportFilters& filters, const PrintRun& run) = 0;
};

// Writes the rows of the save query as the report's text file, replacing the
// file only once the last line is written. Returns the number of row lines
// (title, rule, headings and closing lines not counted).
int writeReportFile(const QString& path, const TextFileLayout& layout, const ReportQuery& rows);

// Prints the report: the page footers then know its kind (ReportKind).
int printReport(Report& report, Printer& printer, const ReportFilters& filters, const PrintRun& run);

// "Total", as the reports write it on an employee's total row.
QString totalWord();

// The page count with its sign's blank, as the printing notices begin: " 3".
QString printedPagesText();
