#pragma once

#include "core/Printout.h"

#include <QString>
#include <cstdint>

class Printer;
struct PrintRun;

// The pieces the printouts of the reports share.

// The layout of a report's printout: the footer at X, the page counted as the
// report counts it, the notice when the run wants one.
PrintoutLayout reportPrintoutLayout(int16_t footerX, PageCheck check, const PrintRun& run);

// The heading over an employee's rows in a printout: an empty line above it
// unless it opens the printout, then at X the blanks `before` and the name in
// bold underlined, then `emptyLinesAfter` empty lines; all at 12 points. It
// takes a due page break like any line and adds `countedLines` to the page's
// count.
void printNameHeading(Printer& printer, Printout& printout, int16_t x, const QString& before, const QString& name,
                      int emptyLinesAfter, int16_t countedLines);
