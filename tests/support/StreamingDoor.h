#pragma once

#include "tests/support/PtyPair.h"
#include "tests/support/TestEnvironment.h"

#include <QDateTime>
#include <QStringList>
#include <atomic>
#include <mutex>
#include <thread>

// The door unit on a pseudo-terminal linked as COMn in the program folder: a
// thread of its own sends card reads at a pace, each at a second of its own
// on the test's clock (read i at `first` + i seconds; the clock is set just
// before its bytes go down the line), until it has sent `count` or is stopped.
class StreamingDoor {
public:
    StreamingDoor(SharedTime& clock, const QString& folder, int port);
    ~StreamingDoor();
    StreamingDoor(const StreamingDoor&) = delete;
    StreamingDoor& operator=(const StreamingDoor&) = delete;

    bool isOpen() const { return m_line.isOpen() && m_linked; }
    void start(const QDateTime& first, int everyMs, int count);
    // Waits for the thread; the number of reads sent.
    int stop();
    int sent() const { return m_sent.load(); }
    // The times of the reads sent ("HH:mm:ss"), in order.
    QStringList sentTimes() const;

private:
    SharedTime& m_clock;
    PtyPair m_line;
    bool m_linked = false;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_sent{0};
    mutable std::mutex m_mutex;
    QStringList m_times;
    std::thread m_thread;
};
