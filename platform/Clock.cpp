#include "platform/Clock.h"

#include "platform/Seam.h"

#include <QEventLoop>
#include <QTimer>

namespace {

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }

    void waitUntil(const QDateTime& until) override
    {
        // A local loop keeps timers, painting and clicks of other windows alive.
        for (;;) {
            const qint64 ms = QDateTime::currentDateTime().msecsTo(until);
            if (ms <= 0)
                return;
            QEventLoop loop;
            QTimer::singleShot(static_cast<int>(qMin<qint64>(ms, 1000)), &loop, &QEventLoop::quit);
            loop.exec();
        }
    }
};

}

Clock& programClock()
{
    return Seam<Clock, SystemClock>::get();
}

void setProgramClock(Clock* replacement)
{
    Seam<Clock, SystemClock>::install(replacement);
}
