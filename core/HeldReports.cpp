#include "core/HeldReports.h"

#include "core/Messages.h"

#include <QCoreApplication>
#include <QStringList>
#include <QThread>

namespace {

struct Reports {
    int holds = 0;
    bool boxUp = false;
    bool showQueued = false;
    QString shown;
    QStringList waiting;
};

thread_local QStringList* t_kept = nullptr;

Reports& reports()
{
    static Reports r;
    return r;
}

void showWaiting()
{
    Reports& r = reports();
    if (r.holds > 0 || r.boxUp)
        return;
    struct BoxUp {
        Reports& r;
        explicit BoxUp(Reports& reports) : r(reports) { r.boxUp = true; }
        ~BoxUp()
        {
            r.boxUp = false;
            r.shown.clear();
        }
    } up(r);
    while (!r.waiting.isEmpty()) {
        r.shown = r.waiting.takeFirst();
        // The box runs its own event loop, in which the timers go on.
        ShowWarning(r.shown);
    }
}

}

ReportHold::ReportHold()
{
    ++reports().holds;
}

ReportHold::~ReportHold()
{
    --reports().holds;
}

KeepReportsOnThisThread::KeepReportsOnThisThread(QStringList& kept) : m_before(t_kept)
{
    t_kept = &kept;
}

KeepReportsOnThisThread::~KeepReportsOnThisThread()
{
    t_kept = m_before;
}

void DeliverReport(const QString& text)
{
    if (t_kept) {
        t_kept->append(text);
        return;
    }
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread()) {
        QMetaObject::invokeMethod(
            app, [text] { DeliverReport(text); }, Qt::QueuedConnection);
        return;
    }
    Reports& r = reports();
    if ((r.boxUp && r.shown == text) || r.waiting.contains(text))
        return;
    r.waiting << text;
    showWaiting();
}

void ShowHeldReports()
{
    Reports& r = reports();
    if (r.waiting.isEmpty() || r.showQueued)
        return;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        showWaiting();
        return;
    }
    r.showQueued = true;
    QMetaObject::invokeMethod(
        app,
        [] {
            reports().showQueued = false;
            showWaiting();
        },
        Qt::QueuedConnection);
}

void ForgetHeldReports()
{
    reports() = Reports{};
}
