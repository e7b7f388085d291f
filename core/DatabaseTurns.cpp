#include "core/DatabaseTurns.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

struct Turns {
    std::atomic<int> windowWrites{0};
    std::mutex mutex;
    std::condition_variable done;
};

Turns& turns()
{
    static Turns t;
    return t;
}

}

DatabaseTurns::WindowWrites::WindowWrites()
{
    turns().windowWrites.fetch_add(1);
}

DatabaseTurns::WindowWrites::~WindowWrites()
{
    Turns& t = turns();
    {
        const std::lock_guard lock(t.mutex);
        t.windowWrites.fetch_sub(1);
    }
    t.done.notify_all();
}

void DatabaseTurns::letTheWindowWrite(int ms)
{
    Turns& t = turns();
    if (t.windowWrites.load() == 0)
        return;
    std::unique_lock lock(t.mutex);
    t.done.wait_for(lock, std::chrono::milliseconds(ms), [&t] { return t.windowWrites.load() == 0; });
}
