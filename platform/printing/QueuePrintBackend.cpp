#include "platform/printing/QueuePrintBackend.h"

namespace {

PrintDevices::QueueJob queueJob(const PrintQueueChoice& choice)
{
    PrintDevices::QueueJob job{std::make_unique<PrintQueueJob>(choice.queue, QString(), choice.options), nullptr};
    job.writer = PrintDevices::pdfWriter(*job.job, choice.page);
    return job;
}

}

QueuePrintBackend::QueuePrintBackend(const PrintQueueChoice& choice)
    : QueueJob{queueJob(choice)}, PagedPrintBackend(*writer)
{
}

QueuePrintBackend::~QueuePrintBackend()
{
    abandonDocument();
}

void QueuePrintBackend::setDocumentName(const QString& name)
{
    job->setTitle(name);
    writer->setTitle(name);
}

void QueuePrintBackend::beginDocument()
{
    if (!job->isOpen())
        job->create();
    PagedPrintBackend::beginDocument();
    job->throwIfFailed();
}

void QueuePrintBackend::newPage()
{
    PagedPrintBackend::newPage();
    job->throwIfFailed();
}

void QueuePrintBackend::endDocument()
{
    PagedPrintBackend::endDocument();
    job->submit();
}

void QueuePrintBackend::discard() noexcept
{
    job->cancel();
}
