#pragma once

#include <functional>

// Ends the program at once: no further window code runs. The program installs
// the clean-up to run first (closing the database); tests install a handler
// that throws instead, so that they can see the end and carry on. A status
// other than 0 tells whoever started the program that it could not work.
[[noreturn]] void endProgram(int status = 0);

void setProgramEndCleanup(std::function<void()> cleanup);

// A handler that must not return (it throws); it gets the status. nullptr
// restores the real end.
void setProgramEndHandlerForTests(std::function<void(int)> handler);
