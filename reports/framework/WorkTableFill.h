#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class FillShow;
class YieldingTransaction;

// The points between two steps of a fill, none of its statements open there
// (an employee done, a slice of rows read): a stop asked for (its window
// closed meanwhile, the program ending) ends the fill, and the receive tick,
// when it waits for the database, gets it before the next step.
class FillSteps {
public:
    // `stoppable`: false for the clean-up after a fill, which must end.
    explicit FillSteps(YieldingTransaction& transaction, bool stoppable = true)
        : m_transaction(transaction), m_stoppable(stoppable)
    {
    }
    void between();

private:
    YieldingTransaction& m_transaction;
    bool m_stoppable;
};

// Refills a work table: empties `table`, then runs `fill`, which returns true
// when it started the show (it found something to fill). It is one
// transaction unless the receive tick comes along (FillSteps). After the last
// commit a started show ends with its pause.
//
// A failure rolls back what is open and empties the table again, so no report
// ever shows a partial or stale table; the show ends at once, the failure is
// reported with `procId`, and the result is false. A fill stopped on request
// ends the same way without a report.
bool refillWorkTable(int16_t procId, const QString& table, FillShow& show, const std::function<bool(FillSteps&)>& fill);
