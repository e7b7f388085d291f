#include "platform/help/HelpService.h"

#include "platform/Log.h"
#include "platform/Seam.h"

namespace {

// Without windows there is no help to show; what was asked for goes to the log.
class LoggedHelp final : public HelpService {
public:
    void showContents() override { qCWarning(lcGt430) << "No help window for the contents"; }
    void showIndex() override { qCWarning(lcGt430) << "No help window for the index"; }
    void showContext(int context) override { qCWarning(lcGt430) << "No help window for context" << context; }
    void showTopic(const QString& topic) override { qCWarning(lcGt430) << "No help window for" << topic; }
};

}

HelpService& helpService()
{
    return Seam<HelpService, LoggedHelp>::get();
}

void setHelpService(HelpService* replacement)
{
    Seam<HelpService, LoggedHelp>::install(replacement);
}
