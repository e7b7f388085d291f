#pragma once

#include <QDateTime>
#include <QList>
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

// "Printed at: " with the date and the time of `now`, the right-hand text of
// every page header.
QString PrintedAtText(const QDateTime& now);

// The mark that opens the first line of a later page: "Continue --- ".
QString ContinuationMark();

// The first line of a page header: the position X, Y; Arial, 10 points,
// neither bold nor underlined; `left` at X, staying on the line; then `right`
// ending at the right edge of the printable area, which ends the line. An
// empty `left` prints nothing; an empty `right` leaves the line open.
void PrintHeaderStart(Printer& printer, double X, double Y, const QString& left, const QString& right);

// A text centred on the printable width, ending the line.
void PrintCentredLine(Printer& printer, const QString& text);

// One column of a printed row: its left edge in twips and its text.
struct PrintColumn {
    int x;
    QString text;
};

// A row in the current font, each text at its column's left edge; the last one
// ends the line, the others stay on it.
void PrintRow(Printer& printer, const QList<PrintColumn>& columns);
