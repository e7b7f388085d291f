#include "tests/support/RecordingPrintDialogs.h"

#include "platform/printing/PdfPrintBackend.h"
#include "platform/widgets/ChosenPrinter.h"
#include "tests/support/RecordingPrintBackend.h"

std::unique_ptr<PrintBackend> dialogPdfBackend(const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(PrintDevices::deskPage());
    return printBackendFor(printer);
}

PrintDialogs::Choice RecordingPrintDialogs::choosePrinter(int flags)
{
    flagsShown << flags;
    if (m_answers.isEmpty())
        return {Outcome::Cancelled, nullptr};
    return m_answers.dequeue()();
}

void RecordingPrintDialogs::answerRecording(PrintRecord& record)
{
    m_answers.enqueue([&record] { return Choice{Outcome::Chosen, std::make_unique<RecordingPrintBackend>(record)}; });
}

void RecordingPrintDialogs::answerPdf(const QString& path)
{
    m_answers.enqueue([path] { return Choice{Outcome::Chosen, dialogPdfBackend(path)}; });
}

void RecordingPrintDialogs::answerQueue(const QString& queue)
{
    m_answers.enqueue([queue] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(queue);
        printer.setPageLayout(PrintDevices::deskPage());
        return Choice{Outcome::Chosen, printBackendFor(printer)};
    });
}

void RecordingPrintDialogs::answerCancel()
{
    m_answers.enqueue([] { return Choice{Outcome::Cancelled, nullptr}; });
}

void RecordingPrintDialogs::answerNoPrinter()
{
    m_answers.enqueue([] { return Choice{Outcome::NoDefaultPrinter, nullptr}; });
}
