#pragma once

#include <QObject>
#include <atomic>
#include <exception>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

// Work that would hold the window up (a fill over years, a compaction, a print
// system that does not answer) runs on a thread of its own, while the window's
// thread goes on: it repaints, its timers fire, the reception goes on. Work
// run so reaches no widget and no database connection of the window's thread.
// Where no event loop can run (no application object), the work runs in place.
namespace BackgroundTask {

// Runs `work` on a thread of its own and waits for it in a nested event loop;
// what it threw is thrown again here. The caller keeps its window from starting
// the same work again meanwhile, and from going away under the wait.
void runFunctionAndWait(const std::function<void()>& work);

template <class Work>
auto runAndWait(Work&& work) -> std::invoke_result_t<Work&>
{
    using Result = std::invoke_result_t<Work&>;
    if constexpr (std::is_void_v<Result>) {
        runFunctionAndWait(std::function<void()>(std::forward<Work>(work)));
    } else {
        std::optional<Result> result;
        runFunctionAndWait(std::function<void()>([&] { result.emplace(work()); }));
        return std::move(*result);
    }
}

// Runs `work` on a thread of its own and returns at once; `done` runs on the
// application's thread once the work has ended, with what it threw (null when
// it ended well), unless `context` is gone by then.
void runThen(QObject* context, std::function<void()> work, std::function<void(std::exception_ptr)> done);

// Whether work started here is still running.
bool anyRunning();
// Waits until every work started here has ended: before the program ends, as
// none may be cut off halfway. Work that watches a stop request is asked to
// stop first. From the application's thread.
void waitForAll();

// A wish that work stop early (its window closed meanwhile, the program
// ending): made on the application's thread, looked at by the work between
// two of its steps through stopRequested(). Work that must not stop halfway
// does not look.
class StopRequest {
public:
    void request() { m_requested.store(true); }
    bool requested() const { return m_requested.load(); }

    // While it lives, stopRequested() on this thread answers for `request`.
    class Watch {
    public:
        explicit Watch(StopRequest& request);
        ~Watch();
        Watch(const Watch&) = delete;
        Watch& operator=(const Watch&) = delete;

    private:
        StopRequest* m_before;
    };

private:
    std::atomic<bool> m_requested{false};
};

// Whether the work running on this thread was asked to stop.
bool stopRequested();

// What work that stops on request throws, for its caller to take as a quiet end.
struct Stopped {};
// Throws Stopped when the work running on this thread was asked to stop.
void stopIfRequested();

}
