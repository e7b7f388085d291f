#pragma once

#include <QString>
#include <cstdint>

class Printer;

// The helpers every printout shares. A failure inside one is reported with
// the helper's number and the printout goes on with its next step.

// Counts one body line: true when the page is full and the caller must start a
// new one. The counter then restarts, so a first page started at 1 carries 47
// lines and every later page 46.
bool CheckNewPage(int16_t& Lines);

// The notice shown once a printout has been sent: " 3 Page is Printing ".
QString PagePrintingMsg();

// The footer at the bottom of the current page, from X: for the incomplete-hours
// and totals reports a legend line, then the page number with the footer text
// at the right edge. Keeps the page number in PrintedPage; leaves 12 points.
void PrintPageFooter(Printer& printer, int16_t X);

// A column heading, bold and underlined, at the current position, staying on
// the line. A font name that is not blank becomes the printer's font.
void PrintColumnHeading(Printer& printer, const QString& Text, const QString& FontName);
