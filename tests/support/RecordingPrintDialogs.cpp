#include "tests/support/RecordingPrintDialogs.h"

#include "platform/widgets/DevicePrintBackend.h"
#include "tests/support/RecordingPrintBackend.h"

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
    m_answers.enqueue([path] { return Choice{Outcome::Chosen, DevicePrintBackend::pdf(path)}; });
}

void RecordingPrintDialogs::answerCancel()
{
    m_answers.enqueue([] { return Choice{Outcome::Cancelled, nullptr}; });
}

void RecordingPrintDialogs::answerNoPrinter()
{
    m_answers.enqueue([] { return Choice{Outcome::NoDefaultPrinter, nullptr}; });
}
