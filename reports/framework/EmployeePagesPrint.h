#pragma once

#include "reports/framework/Report.h"

#include <functional>
#include <vector>

class Printer;

// The printout of the working-hours reports: one employee a page (a new page
// also when one is full), the employee's name as the title of every page
// header, and per row the day at X and the values at the columns the header
// measured; a rule of "=" stands above the employee's total row.
//
// The rows: 0 the name, 1 the day, then the values, then the columns named below.
struct EmployeePages {
    int16_t x = 300;
    // Prints a page header with `title`; fills the X of each value column.
    std::function<void(const QString& title, std::vector<int>& valueX)> header;
    int valueColumns = 0;
    // Page lines the header counts: on the first page only, or on every page.
    int headerLines = 0;
    bool headerLinesEveryPage = false;
    int keyColumn = 0;   // a new value begins a new page
    int totalColumn = 0; // 1 on the total row
    std::function<QString()> noticeText;
};

// Returns the number of rows printed.
int printEmployeePages(Printer& printer, const ReportQuery& source, const EmployeePages& pages, const PrintRun& run);
