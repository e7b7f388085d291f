#pragma once

#include <QDateTime>

// A noisy line overflows the receive accumulator again and again (false
// headers, more input than it holds). The first overflow of a run is
// reported as any failure is, in a box; those that follow less than a minute
// after the one before belong to the same fault: they are counted and go to
// the log only, the second at once and then a line a minute at most. A
// minute without one ends the fault (the log says how many there were), and
// the next overflow is reported again. The reception itself is not touched.
// Times are the program's clock's.
struct OverflowFault {
    static constexpr qint64 QuietMs = 60 * 1000;

    QDateTime first;
    QDateTime last;
    QDateTime logged;
    int count = 0; // 0: no fault
};

// An overflow now (procedure 863).
void ReportOverflow();
// At each receive tick: a fault a minute quiet is over.
void EndQuietOverflowFault();
