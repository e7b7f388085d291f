#pragma once

#include "tests/support/FakeCommPort.h"
#include "tests/support/TestEnvironment.h"

#include <QByteArray>

// The receive side run tick by tick over an open fake port: each tick brings
// its bytes to the port, moves the test clock on by the step (the receive
// timer's 200 ms; 0 leaves the time to the test), runs one receive tick and
// lets come the boxes it left, as they come once it has returned to the event
// loop.
class ReceiveTicks {
public:
    explicit ReceiveTicks(FakeClock& clock, int stepMs = 200);

    void tick(const QByteArray& input = {});
    void ticks(int n);

    FakeCommPort port;

private:
    FakeClock& m_clock;
    int m_stepMs;
};
