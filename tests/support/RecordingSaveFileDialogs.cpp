#include "tests/support/RecordingSaveFileDialogs.h"

std::optional<QString> RecordingSaveFileDialogs::chooseSaveFile(const Request& request)
{
    shown << request;
    if (m_answers.isEmpty())
        return std::nullopt;
    return m_answers.dequeue();
}
