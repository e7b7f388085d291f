#pragma once

#include "platform/printing/PagedPrintBackend.h"
#include "platform/printing/PdfPrintBackend.h"
#include "platform/printing/PrintQueueJob.h"

#include <QPageLayout>
#include <QPdfWriter>

// A printer of the print system as the print dialog chose it.
struct PrintQueueChoice {
    QString queue;
    QPageLayout page = PrintDevices::deskPage();
    PrintQueueJob::Options options;
};

namespace PrintDevices {
// The job a document goes into, and the writer that draws into it.
struct QueueJob {
    std::unique_ptr<PrintQueueJob> job;
    std::unique_ptr<QPdfWriter> writer;
};
}

// Draws a PDF document straight into a job of a print system queue, so that
// whatever the print system answers, a refusal or a daemon gone, reaches the
// printout as a failure rather than a notice that all went well. The job is
// created when the document begins (a queue refusing jobs fails before
// anything is composed) and submitted when it ends; an abandoned document
// cancels it.
class QueuePrintBackend final : private PrintDevices::QueueJob, public PagedPrintBackend {
public:
    explicit QueuePrintBackend(const PrintQueueChoice& choice);
    ~QueuePrintBackend() override;

    void setDocumentName(const QString& name) override;
    void beginDocument() override;
    void newPage() override;
    void endDocument() override;

protected:
    void discard() noexcept override;
};
