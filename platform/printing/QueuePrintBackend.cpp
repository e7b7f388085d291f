#include "platform/printing/QueuePrintBackend.h"

QueuePrintBackend::QueuePrintBackend(const PrintQueueChoice& choice)
    : PdfBackend(std::make_unique<PrintQueueJob>(choice.queue, QString(), choice.options), choice.page)
{
}
