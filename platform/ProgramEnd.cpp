#include "platform/ProgramEnd.h"

#include "platform/BackgroundTask.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {
std::function<void()>& cleanup()
{
    static std::function<void()> f;
    return f;
}
std::function<void(int)>& testHandler()
{
    static std::function<void(int)> f;
    return f;
}
}

void setProgramEndCleanup(std::function<void()> f)
{
    cleanup() = std::move(f);
}

void setProgramEndHandlerForTests(std::function<void(int)> handler)
{
    testHandler() = std::move(handler);
}

void endProgram(int status)
{
    if (testHandler()) {
        testHandler()(status);
        std::abort(); // a test handler that returns is a fault of the test
    }
    // Work beside the window ends first: none is cut off halfway.
    BackgroundTask::waitForAll();
    if (cleanup())
        cleanup()();
    std::fflush(nullptr);
    // Windows and nested dialogs are not unwound: nothing of theirs may run now.
    std::_Exit(status);
}
