#pragma once

#include <functional>

// SIGTERM (a shutdown, `kill`), SIGHUP (the session ends at logout) and SIGINT
// (Ctrl-C) end the program from its event loop, never in the middle of a
// handler or a tick: the signal only writes its number into a pipe that the
// event loop watches. While work runs beside the window
// (platform/BackgroundTask.h), or `canEnd` says not yet (the database closed
// for a moment), the end waits for it, looking again every 50 ms. A second
// signal while the end is under way changes nothing.
namespace EndSignals {

// Needs the application object. `end` gets the signal's number and is not
// expected to return; installing again replaces what was installed.
void install(std::function<bool()> canEnd, std::function<void(int signal)> end);

}
