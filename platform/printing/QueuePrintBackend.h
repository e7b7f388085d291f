#pragma once

#include "platform/printing/PdfBackend.h"
#include "platform/printing/PrintQueueJob.h"

// A printer of the print system as the print dialog chose it.
struct PrintQueueChoice {
    QString queue;
    QPageLayout page = PrintDevices::deskPage();
    PrintQueueJob::Options options;
};

// Draws a PDF document straight into a job of a print system queue, so that
// whatever the print system answers, a refusal or a daemon gone, reaches the
// printout as a failure rather than a notice that all went well. The job is
// created when the document begins (a queue refusing jobs fails before
// anything is composed) and submitted when it ends; an abandoned document
// cancels it.
class QueuePrintBackend final : public PdfBackend<PrintQueueJob> {
public:
    explicit QueuePrintBackend(const PrintQueueChoice& choice);
};
