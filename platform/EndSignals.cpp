#include "platform/EndSignals.h"

#include "platform/BackgroundTask.h"
#include "platform/Log.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int pipeEnds[2] = {-1, -1};

void onSignal(int number)
{
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(number);
    // A full pipe already holds a signal to end with.
    [[maybe_unused]] const ssize_t n = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

class EndWatch : public QObject {
public:
    EndWatch(std::function<bool()> canEnd, std::function<void(int)> end)
        : QObject(QCoreApplication::instance()), m_canEnd(std::move(canEnd)), m_end(std::move(end)),
          m_notifier(pipeEnds[0], QSocketNotifier::Read, this)
    {
        m_later.setInterval(50);
        connect(&m_notifier, &QSocketNotifier::activated, this, [this] { arrived(); });
        connect(&m_later, &QTimer::timeout, this, [this] { tryToEnd(); });
    }

private:
    void arrived()
    {
        unsigned char byte = 0;
        while (::read(pipeEnds[0], &byte, 1) == 1) {
            if (m_signal == 0)
                m_signal = byte;
        }
        if (m_signal != 0 && !m_ending)
            tryToEnd();
    }

    void tryToEnd()
    {
        if (BackgroundTask::anyRunning() || (m_canEnd && !m_canEnd())) {
            if (!m_later.isActive()) {
                qCInfo(lcGt430).noquote()
                    << QStringLiteral("Signal %1: GT-430 ends once the work under way is done").arg(m_signal);
                m_later.start();
            }
            return;
        }
        m_later.stop();
        m_ending = true;
        qCInfo(lcGt430).noquote() << QStringLiteral("Signal %1: GT-430 ends").arg(m_signal);
        m_end(m_signal);
    }

    std::function<bool()> m_canEnd;
    std::function<void(int)> m_end;
    QSocketNotifier m_notifier;
    QTimer m_later;
    int m_signal = 0;
    bool m_ending = false;
};

QPointer<EndWatch>& watch()
{
    static QPointer<EndWatch> w;
    return w;
}

}

void EndSignals::install(std::function<bool()> canEnd, std::function<void(int)> end)
{
    delete watch().data();
    if (pipeEnds[0] < 0 && ::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
        qCWarning(lcGt430).noquote() << QStringLiteral("No pipe for the end signals: SIGTERM ends GT-430 at once");
        return;
    }
    watch() = new EndWatch(std::move(canEnd), std::move(end));
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(number, &action, nullptr);
}
