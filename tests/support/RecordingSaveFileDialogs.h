#pragma once

#include "platform/files/SaveFileDialogs.h"

#include <QList>
#include <QQueue>
#include <optional>

// Answers the save dialog from a queue; an unanswered dialog is cancelled.
class RecordingSaveFileDialogs final : public SaveFileDialogs {
public:
    std::optional<QString> chooseSaveFile(const Request& request) override;

    void answer(const QString& path) { m_answers.enqueue(path); }
    void answerCancel() { m_answers.enqueue(std::nullopt); }

    // Every dialog shown, in order.
    QList<Request> shown;

private:
    QQueue<std::optional<QString>> m_answers;
};
