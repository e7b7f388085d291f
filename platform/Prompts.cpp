#include "platform/Prompts.h"

#include "platform/Log.h"
#include "platform/Seam.h"

#include <QCoreApplication>
#include <QThread>

namespace {

// Without windows a box cannot be shown: its text goes to the log and it is
// answered as if closed at once.
class LoggedPrompts final : public Prompts {
public:
    int messageBox(const QString& text, const QString& title, int kind, int) override
    {
        qCWarning(lcGt430).noquote() << title << "-" << text;
        return kind == MsgBox::KindQuestion ? MsgBox::No : MsgBox::Ok;
    }

    std::optional<int> chooseLanguage(const QString&, const QStringList&, int) override { return std::nullopt; }
};

}

Prompts& prompts()
{
    // A box belongs to the window's thread: work beside it that asks anyway
    // gets the log, never a window of its own.
    const QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread()) {
        static LoggedPrompts logged;
        return logged;
    }
    return Seam<Prompts, LoggedPrompts>::get();
}

void setPrompts(Prompts* replacement)
{
    Seam<Prompts, LoggedPrompts>::install(replacement);
}
