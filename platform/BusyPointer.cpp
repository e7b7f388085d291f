#include "platform/BusyPointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace {

bool busy = false;

bool hasScreen()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

}

void showBusyPointer()
{
    if (busy)
        return;
    busy = true;
    if (hasScreen())
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void showNormalPointer()
{
    if (!busy)
        return;
    busy = false;
    if (hasScreen())
        QGuiApplication::restoreOverrideCursor();
}

bool busyPointerShown()
{
    return busy;
}
