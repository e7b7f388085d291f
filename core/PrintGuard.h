#pragma once

#include "core/Messages.h"
#include "platform/BusyPointer.h"
#include "platform/printing/PrintDialogs.h"

// Runs a print command under its number. Cancelling the printer dialog and a
// missing default printer end it quietly; any other failure gets the common
// error report. The normal pointer is back on every way out.
template <class Body>
void guardedPrinting(int16_t procId, Body&& body)
{
    enterProcedure(procId);
    try {
        body();
    } catch (const AppError& error) {
        showNormalPointer();
        if (!isQuietPrintEnd(error))
            ReportError(procId, error);
    }
    showNormalPointer();
}
