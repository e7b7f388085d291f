#include "tests/support/StreamingDoor.h"

#include "tests/support/CodeReads.h"

#include <chrono>

StreamingDoor::StreamingDoor(SharedTime& clock, const QString& folder, int port)
    : m_clock(clock), m_linked(m_line.linkAs(folder, port))
{
}

StreamingDoor::~StreamingDoor()
{
    stop();
}

void StreamingDoor::start(const QDateTime& first, int everyMs, int count)
{
    stop();
    m_stop = false;
    m_thread = std::thread([this, first, everyMs, count] {
        for (int i = 0; i < count && !m_stop; ++i) {
            const QDateTime at = first.addSecs(i);
            m_clock = at;
            if (!m_line.write(cardRead(static_cast<quint32>(5000 + m_sent), static_cast<uint8_t>(m_sent % 250 + 1))))
                return;
            {
                const std::lock_guard lock(m_mutex);
                m_times << at.time().toString(QStringLiteral("HH:mm:ss"));
            }
            ++m_sent;
            std::this_thread::sleep_for(std::chrono::milliseconds(everyMs));
        }
    });
}

int StreamingDoor::stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    return m_sent;
}

QStringList StreamingDoor::sentTimes() const
{
    const std::lock_guard lock(m_mutex);
    return m_times;
}
