#include "platform/BackgroundTask.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMutex>
#include <QPointer>
#include <QSet>
#include <QThread>
#include <memory>

namespace {

struct Running {
    QMutex mutex;
    QSet<QThread*> threads;
    // The stop requests work is watching now.
    QSet<BackgroundTask::StopRequest*> watched;
};

thread_local BackgroundTask::StopRequest* t_watched = nullptr;

Running& running()
{
    static Running r;
    return r;
}

// A thread that runs the work, keeps what it threw and is known to waitForAll
// until it is deleted.
QThread* startThread(std::function<void()> work, std::shared_ptr<std::exception_ptr> failure)
{
    QThread* thread = QThread::create([work = std::move(work), failure] {
        try {
            work();
        } catch (...) {
            *failure = std::current_exception();
        }
    });
    {
        QMutexLocker lock(&running().mutex);
        running().threads.insert(thread);
    }
    return thread;
}

void forget(QThread* thread)
{
    QMutexLocker lock(&running().mutex);
    running().threads.remove(thread);
}

}

void BackgroundTask::runFunctionAndWait(const std::function<void()>& work)
{
    if (!QCoreApplication::instance()) {
        work();
        return;
    }
    auto failure = std::make_shared<std::exception_ptr>();
    QThread* thread = startThread(work, failure);
    QEventLoop loop;
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    // The loop ends early when the program ends; the work is still waited for.
    if (!thread->isFinished())
        loop.exec();
    thread->wait();
    forget(thread);
    delete thread;
    if (*failure)
        std::rethrow_exception(*failure);
}

void BackgroundTask::runThen(QObject* context, std::function<void()> work, std::function<void(std::exception_ptr)> done)
{
    auto failure = std::make_shared<std::exception_ptr>();
    if (!QCoreApplication::instance()) {
        try {
            work();
        } catch (...) {
            *failure = std::current_exception();
        }
        done(*failure);
        return;
    }
    QThread* thread = startThread(std::move(work), failure);
    QPointer<QObject> alive(context);
    // Queued to the application's thread, where the thread object lives, so that
    // it is deleted there whether the context still exists or not.
    QObject::connect(
        thread, &QThread::finished, QCoreApplication::instance(),
        [thread, alive, failure, done = std::move(done)] {
            thread->wait();
            forget(thread);
            thread->deleteLater();
            if (alive)
                done(*failure);
        },
        Qt::QueuedConnection);
    thread->start();
}

bool BackgroundTask::anyRunning()
{
    QMutexLocker lock(&running().mutex);
    for (QThread* thread : std::as_const(running().threads))
        if (!thread->isFinished())
            return true;
    return false;
}

void BackgroundTask::waitForAll()
{
    QList<QThread*> threads;
    {
        QMutexLocker lock(&running().mutex);
        threads = running().threads.values();
        for (StopRequest* request : std::as_const(running().watched))
            request->request();
    }
    for (QThread* thread : threads)
        thread->wait();
}

BackgroundTask::StopRequest::Watch::Watch(StopRequest& request) : m_before(t_watched)
{
    t_watched = &request;
    QMutexLocker lock(&running().mutex);
    running().watched.insert(&request);
}

BackgroundTask::StopRequest::Watch::~Watch()
{
    {
        QMutexLocker lock(&running().mutex);
        running().watched.remove(t_watched);
    }
    t_watched = m_before;
}

bool BackgroundTask::stopRequested()
{
    return t_watched && t_watched->requested();
}

void BackgroundTask::stopIfRequested()
{
    if (stopRequested())
        throw Stopped{};
}
