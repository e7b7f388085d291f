#pragma once

#include "platform/BackgroundTask.h"

#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

// The program's own long work (a fill over years, a compaction, a cut down)
// run beside the window's thread, as platform/BackgroundTask.h runs it, with
// what such work expects around it:
// - Db() on its thread is a connection of its own to the program database,
//   opened for the work and closed after it (a connection serves only the
//   thread that opened it); the window's connection stays open and the
//   reception goes on storing through it;
// - the error reports it raises (guarded(), ReportError) are kept and shown
//   once it has ended, in the order they came, on the window's thread: the
//   order of steps and boxes is the same as if it had run there;
// - what it threw is thrown again to the caller, after those reports.
// The work itself opens no box and touches no widget.
void RunFunctionBesideTheWindow(const std::function<void()>& work);

template <class Work>
auto RunBesideTheWindow(Work&& work) -> std::invoke_result_t<Work&>
{
    using Result = std::invoke_result_t<Work&>;
    if constexpr (std::is_void_v<Result>) {
        RunFunctionBesideTheWindow(std::function<void()>(std::forward<Work>(work)));
    } else {
        std::optional<Result> result;
        RunFunctionBesideTheWindow(std::function<void()>([&] { result.emplace(work()); }));
        return std::move(*result);
    }
}

// As above, with a connection of its own only while the program has its
// database open; `ended` is called on the window's thread once the work has
// ended, before its reports show, told whether any will (so that a notice
// that stood while the work ran goes first).
void RunBesideTheWindowThen(const std::function<void()>& work, const std::function<void(bool reportsFollow)>& ended);

// As above, without a database connection: for work that needs none (the
// print system).
void RunBesideTheWindowWithoutDatabase(const std::function<void()>& work);
