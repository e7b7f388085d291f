#include "platform/widgets/WindowServices.h"

#include "platform/widgets/WidgetPrintDialogs.h"
#include "platform/widgets/WidgetPrompts.h"
#include "platform/widgets/WidgetSaveFileDialogs.h"
#include "platform/widgets/WindowHelpService.h"

void UseWindowServices()
{
    static WidgetPrompts prompts;
    static WidgetPrintDialogs printerDialogs;
    static WidgetSaveFileDialogs saveDialogs;
    static WindowHelpService help;
    setPrompts(&prompts);
    setPrintDialogs(&printerDialogs);
    setSaveFileDialogs(&saveDialogs);
    setHelpService(&help);
}
