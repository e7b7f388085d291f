#pragma once

#include <QObject>
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
// none may be cut off halfway. From the application's thread.
void waitForAll();

}
