#pragma once

#include <QString>

// Error reports of work that must go on while a box is up: the reception of
// the door's packets. While a ReportHold lives, reports are kept instead of
// shown; ShowHeldReports shows them, one box at a time, once the work is
// done. Boxes never stack: any report waits while one of these boxes is up,
// and a report of the same text as the box up, or as one already waiting, is
// not raised again.
class ReportHold {
public:
    ReportHold();
    ~ReportHold();
    ReportHold(const ReportHold&) = delete;
    ReportHold& operator=(const ReportHold&) = delete;
};

// Shows what waits, in the order it came. Does nothing while a hold lives or a
// box is up: whoever shows that box shows the rest after it.
void ShowHeldReports();

// The way of every common error report to the screen.
void DeliverReport(const QString& text);

// Back to a program just started: nothing held, no box up.
void ForgetHeldReports();
