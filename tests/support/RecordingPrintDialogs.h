#pragma once

#include "platform/printing/PrintDialogs.h"

#include <QList>
#include <QQueue>
#include <functional>

struct PrintRecord;

// Answers the printer dialog from a queue; an unanswered dialog is cancelled.
class RecordingPrintDialogs final : public PrintDialogs {
public:
    Choice choosePrinter(int flags) override;

    // The printout is recorded into `record` (which must outlive it).
    void answerRecording(PrintRecord& record);
    // The printout becomes a PDF file.
    void answerPdf(const QString& path);
    void answerCancel();
    void answerNoPrinter();

    // The flags of every dialog shown, in order.
    QList<int> flagsShown;

private:
    QQueue<std::function<Choice()>> m_answers;
};
