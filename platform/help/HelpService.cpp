#include "platform/help/HelpService.h"

#include "platform/Seam.h"
#include "platform/widgets/WindowHelpService.h"

HelpService& helpService()
{
    return Seam<HelpService, WindowHelpService>::get();
}

void setHelpService(HelpService* replacement)
{
    Seam<HelpService, WindowHelpService>::install(replacement);
}
