#pragma once

#include <cstdint>

// The serial link to the door unit as the windows reach it. Its one owner
// (link/SerialLink.h) opens, closes and loses the port and opens it again;
// the windows ask it, and the main window follows it.
class SerialLinkControl {
public:
    // What becomes of a port that does not open: it stays closed, or it is
    // tried again as a device that went away is, every quarter of a second,
    // until it opens or another open() comes (the stored port: a USB adapter
    // not ready at the start).
    enum class IfNotOpen { StayClosed, KeepTrying };

    virtual ~SerialLinkControl() = default;

    virtual bool isOpen() const = 0;
    // Whether COM n now names a device other than the one open (a link made
    // or moved since the port was opened).
    virtual bool namesAnotherDevice() const = 0;
    // Opens COM n, closing what is open first, and drops what waited at the
    // device from before (unless the link was waiting for that very port:
    // what it holds came after). The port's failure (8002, 8005, 8012, ...)
    // is thrown once the device and the system's reason are in the log; the
    // port then stays closed (and is tried again if asked) and the door
    // shows as not known.
    virtual void open(int16_t number, IfNotOpen ifNotOpen) = 0;
    void open(int16_t number) { open(number, IfNotOpen::StayClosed); }
};
