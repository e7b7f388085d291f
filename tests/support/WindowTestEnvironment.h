#pragma once

#include "tests/support/FakeCommPort.h"
#include "tests/support/TestEnvironment.h"

#include <QQueue>
#include <functional>

class Form;

// A test world for windows: a fake serial port behind the main window, modal
// windows answered by queued steps, and the end that comes when no window is left.
class WindowTestEnvironment : public TestEnvironment {
public:
    WindowTestEnvironment();
    ~WindowTestEnvironment();

    // Opens the program's database and settings row and lets the Administrator
    // in, as a start-up with the Administrator's password does.
    void logInAsAdministrator();

    // Writes the three passwords into setting.dat, as the password window would.
    void writePasswords(const QString& admin, const QString& guard, const QString& engineer);

    // The port the main window made (null before).
    FakeCommPort* port = nullptr;
    // Settings for the ports the main window will make.
    QSet<int16_t> missingPorts;
    QSet<int16_t> busyPorts;
    int portOpenFailure = 0;
    // Bytes the line brought before the program opened the port.
    QByteArray waitingBeforeOpen;

    // Steps run in place of the user on the next modal windows; a modal window
    // without a step is closed with its close box.
    QQueue<std::function<void(Form&)>> modalSteps;
    QStringList modalWindows; // class names, in the order shown

    bool noWindowLeft = false;
};
