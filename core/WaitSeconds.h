#pragma once

#include <cstdint>

// Waits until more than n second boundaries have passed (more than n and at
// most n + 1 seconds) while the window event loop keeps running.
void WaitSeconds(int16_t n);
