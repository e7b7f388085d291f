#include "tests/support/RecordingPrintDialogs.h"

#include "tests/support/RecordingPrintBackend.h"

std::unique_ptr<PrintBackend> dialogPdfBackend(const QString& path)
{
    return pdfFileChosen(path).makeDevice();
}

PrintDialogs::Choice RecordingPrintDialogs::choosePrinter(int flags)
{
    flagsShown << flags;
    if (m_answers.isEmpty())
        return {Outcome::Cancelled, {}};
    return m_answers.dequeue()();
}

void RecordingPrintDialogs::answerRecording(PrintRecord& record)
{
    m_answers.enqueue([&record] {
        return Choice{Outcome::Chosen, {[&record] { return std::make_unique<RecordingPrintBackend>(record); }}};
    });
}

void RecordingPrintDialogs::answerPdf(const QString& path)
{
    m_answers.enqueue([path] { return Choice{Outcome::Chosen, pdfFileChosen(path)}; });
}

void RecordingPrintDialogs::answerQueue(const QString& queue)
{
    m_answers.enqueue([queue] { return Choice{Outcome::Chosen, queueChosen(queue)}; });
}

void RecordingPrintDialogs::answerCancel()
{
    m_answers.enqueue([] { return Choice{Outcome::Cancelled, {}}; });
}

void RecordingPrintDialogs::answerNoPrinter()
{
    m_answers.enqueue([] { return Choice{Outcome::NoDefaultPrinter, {}}; });
}
