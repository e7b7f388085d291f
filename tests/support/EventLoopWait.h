#pragma once

#include <QEventLoop>
#include <QTimer>
#include <functional>

// Runs a real event loop, the program's timers ticking as they do in the
// program, until `done` holds (looked at every 10 ms) or `timeoutMs` has
// passed. Returns whether it holds.
inline bool runEventLoopUntil(const std::function<bool()>& done, int timeoutMs = 5000)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer look;
    look.setInterval(10);
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    look.start();
    loop.exec();
    return done();
}

// Runs a real event loop for `ms` milliseconds.
inline void runEventLoopFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
