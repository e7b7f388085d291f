#include "platform/BusyPointer.h"

#include <QCursor>
#include <QGuiApplication>
#include <QThread>
#include <atomic>

namespace {

std::atomic<bool> busy{false};

bool hasScreen()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

// Work beside the window (a printout composed there) leaves the pointer to
// the window's thread, which shows the hourglass while it waits for that work.
bool besideTheWindow()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() != app->thread();
}

}

void showBusyPointer()
{
    if (besideTheWindow() || busy.exchange(true))
        return;
    if (hasScreen())
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void showNormalPointer()
{
    if (besideTheWindow() || !busy.exchange(false))
        return;
    if (hasScreen())
        QGuiApplication::restoreOverrideCursor();
}

bool busyPointerShown()
{
    return busy;
}
