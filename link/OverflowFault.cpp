#include "link/OverflowFault.h"

#include "core/Messages.h"
#include "link/LinkState.h"
#include "platform/AppError.h"
#include "platform/Clock.h"
#include "platform/Log.h"

namespace {

QString timeText(const QDateTime& at)
{
    return at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// A clock set back counts as quiet as one gone on: no fault outlasts it.
bool quietSince(const QDateTime& last, const QDateTime& now)
{
    return qAbs(last.msecsTo(now)) >= OverflowFault::QuietMs;
}

void end(OverflowFault& fault)
{
    if (fault.count > 1)
        qCInfo(lcGt430).noquote() << QStringLiteral("The line is quiet again: %1 overflows from %2 to %3")
                                         .arg(fault.count)
                                         .arg(timeText(fault.first), timeText(fault.last));
    fault = OverflowFault{};
}

}

void ReportOverflow()
{
    OverflowFault& fault = linkState().Overflows;
    const QDateTime now = programClock().now();
    if (fault.count > 0 && quietSince(fault.last, now))
        end(fault);
    if (fault.count == 0) {
        fault.first = fault.last = fault.logged = now;
        fault.count = 1;
        ReportError(863, AppError(Err::Overflow, standardErrorText(Err::Overflow)));
        return;
    }
    ++fault.count;
    fault.last = now;
    if (fault.count > 2 && qAbs(fault.logged.msecsTo(now)) < OverflowFault::QuietMs)
        return;
    fault.logged = now;
    qCWarning(lcGt430).noquote()
        << QStringLiteral("Overflow again (Funcion error#: 863): %1 since %2; only the first was shown, the rest "
                          "are counted here until the line has been quiet for a minute")
               .arg(fault.count)
               .arg(timeText(fault.first));
}

void EndQuietOverflowFault()
{
    OverflowFault& fault = linkState().Overflows;
    if (fault.count > 0 && quietSince(fault.last, programClock().now()))
        end(fault);
}
