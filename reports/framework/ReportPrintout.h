#pragma once

#include "core/Printout.h"

#include <QString>
#include <cstdint>
#include <functional>

class ForwardQuery;
class Printer;
struct PrintRun;
struct ReportQuery;

// The pieces the printouts of the reports share.

// How a report's printout opens: the title of its page headers, the X of its
// header and footer, how it counts its lines, and the page header itself,
// handed the title and "Printed at: " with the time of the run.
struct ReportPages {
    QString title;
    int16_t x = 300;
    PageCheck check = PageCheck::AfterEachLine;
    std::function<void(const QString& title, const QString& right, bool continued)> header;
};

// Prints the rows of `source`: none prints nothing and gives 0; else the first
// page's header, then `line` for each row in turn, the body at 12 points, and
// the printout's end. Returns the number of rows.
int printReportRows(Printer& printer, const ReportQuery& source, const PrintRun& run, const ReportPages& pages,
                    const std::function<void(const ForwardQuery& row, Printout& printout)>& line);

// The heading over an employee's rows in a printout: an empty line above it
// unless it opens the printout, then at X the blanks `before` and the name in
// bold underlined, then `emptyLinesAfter` empty lines; all at 12 points. It
// takes a due page break like any line and adds `countedLines` to the page's
// count.
void printNameHeading(Printer& printer, Printout& printout, int16_t x, const QString& before, const QString& name,
                      int emptyLinesAfter, int16_t countedLines);
