#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class FillShow;

// Refills a work table in one transaction: empties `table`, then runs `fill`,
// which returns true when it started the show (it found something to fill).
// After the commit a started show ends with its pause.
//
// A failure rolls everything back and empties the table again, so no report
// ever shows a partial or stale table; the show ends at once, the failure is
// reported with `procId`, and the result is false.
bool refillWorkTable(int16_t procId, const QString& table, FillShow& show, const std::function<bool()>& fill);
