#include "core/MainWindowService.h"

#include "platform/AppError.h"

namespace {

MainWindowProvider& provider()
{
    static MainWindowProvider p;
    return p;
}

}

MainWindowService* mainWindow()
{
    return provider().find ? provider().find() : nullptr;
}

void ShowMainWindow()
{
    if (!provider().make)
        raiseError(Err::ObjectNotSet);
    provider().make().showMainWindow();
}

void RefreshMainToolbar()
{
    if (MainWindowService* main = mainWindow())
        main->repaintToolbar();
}

void setMainWindowProvider(MainWindowProvider p)
{
    provider() = std::move(p);
}
