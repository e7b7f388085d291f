#include "platform/forms/TabCaptions.h"

#include <QTabBar>
#include <QTabWidget>

void keepTabCaptionsWhole(QTabWidget* tabs)
{
    tabs->setElideMode(Qt::ElideNone);
    // Without scroll buttons the tab bar asks for the width of all its tabs.
    tabs->setUsesScrollButtons(false);
}
