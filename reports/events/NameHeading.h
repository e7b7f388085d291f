#pragma once

#include <QString>
#include <cstdint>

class Printer;
class Printout;

// The heading over an employee's rows in a printout: an empty line above it
// unless it opens the printout, then at X the blanks `before` and the name in
// bold underlined, then `emptyLinesAfter` empty lines; all at 12 points. It
// takes a due page break like any line and adds `countedLines` to the page's
// count.
void printNameHeading(Printer& printer, Printout& printout, int16_t x, const QString& before, const QString& name,
                      int emptyLinesAfter, int16_t countedLines);
