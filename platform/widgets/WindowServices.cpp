#include "platform/widgets/WindowServices.h"

#include "platform/widgets/WidgetPrintDialogs.h"
#include "platform/widgets/WidgetPrompts.h"
#include "platform/widgets/WindowHelpService.h"

void UseWindowServices()
{
    static WidgetPrompts prompts;
    static WidgetPrintDialogs printerDialogs;
    static WindowHelpService help;
    setPrompts(&prompts);
    setPrintDialogs(&printerDialogs);
    setHelpService(&help);
}
