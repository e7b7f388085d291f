#include "core/WaitSeconds.h"

#include "core/Messages.h"
#include "platform/Clock.h"

void WaitSeconds(int16_t n)
{
    guarded(2907, [n] {
        QDateTime start = programClock().now();
        start.setTime(QTime(start.time().hour(), start.time().minute(), start.time().second()));
        programClock().waitUntil(start.addSecs(static_cast<qint64>(n) + 1));
    });
}
