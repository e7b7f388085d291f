#include "platform/Prompts.h"

#include "platform/Log.h"
#include "platform/Seam.h"

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
    return Seam<Prompts, LoggedPrompts>::get();
}

void setPrompts(Prompts* replacement)
{
    Seam<Prompts, LoggedPrompts>::install(replacement);
}
