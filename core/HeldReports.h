#pragma once

#include <QString>
#include <QStringList>

// Error reports of work that must go on while a box is up: the ticks of the
// window timers, above all the reception of the door's packets. A timer does
// not fire again until its tick has returned, so a tick never shows a box
// itself: while a ReportHold lives, reports are kept instead of shown, and
// ShowHeldReports shows them once the running handler has returned. Boxes
// never stack: any report waits while one of these boxes is up, and a report
// of the same text as the box up, or as one already waiting, is not raised
// again.
class ReportHold {
public:
    ReportHold();
    ~ReportHold();
    ReportHold(const ReportHold&) = delete;
    ReportHold& operator=(const ReportHold&) = delete;
};

// Shows what waits, in the order it came, one box at a time, from a call
// queued behind the running handler (at once only where no event loop can
// run). Waits while a hold lives, or a box is up: whoever shows that box shows
// the rest after it.
void ShowHeldReports();

// The way of every common error report to the screen: at once, unless a hold
// lives or a box of these is up. From a thread beside the window's: kept where
// that thread keeps its reports, else shown from the window's thread.
void DeliverReport(const QString& text);

// While it lives, the reports raised on this thread are added to `kept`
// instead of shown: work beside the window has them shown once it has ended.
class KeepReportsOnThisThread {
public:
    explicit KeepReportsOnThisThread(QStringList& kept);
    ~KeepReportsOnThisThread();
    KeepReportsOnThisThread(const KeepReportsOnThisThread&) = delete;
    KeepReportsOnThisThread& operator=(const KeepReportsOnThisThread&) = delete;

private:
    QStringList* m_before;
};

// Back to a program just started: nothing held, no box up.
void ForgetHeldReports();
