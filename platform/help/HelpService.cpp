#include "platform/help/HelpService.h"

#include "platform/help/WindowHelpService.h"

namespace {
HelpService* installed = nullptr;
}

HelpService& helpService()
{
    static WindowHelpService real;
    return installed ? *installed : real;
}

void setHelpService(HelpService* replacement)
{
    installed = replacement;
}
