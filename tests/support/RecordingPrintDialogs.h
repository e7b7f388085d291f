#pragma once

#include "platform/printing/PrintDialogs.h"

#include <QList>
#include <QQueue>
#include <functional>

struct PrintRecord;

// The PDF file the print dialog prints into when it prints to a file.
std::unique_ptr<PrintBackend> dialogPdfBackend(const QString& path);

// Answers the printer dialog from a queue; an unanswered dialog is cancelled.
class RecordingPrintDialogs final : public PrintDialogs {
public:
    Choice choosePrinter(int flags) override;

    // The printout is recorded into `record` (which must outlive it).
    void answerRecording(PrintRecord& record);
    // The printout becomes a PDF file.
    void answerPdf(const QString& path);
    // The printout goes to this queue of the print system, as the dialog sends it.
    void answerQueue(const QString& queue);
    void answerCancel();
    void answerNoPrinter();

    // The flags of every dialog shown, in order.
    QList<int> flagsShown;

private:
    QQueue<std::function<Choice()>> m_answers;
};
