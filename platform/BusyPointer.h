#pragma once

// The program's one mouse pointer: the hourglass while busy work runs, the
// normal pointer otherwise. Setting it twice does not stack, so one restore
// always brings the normal pointer back. Only the window's thread sets it:
// from work beside that thread both do nothing.
void showBusyPointer();
void showNormalPointer();
bool busyPointerShown();

// The hourglass for a scope: the normal pointer comes back on every way out.
class BusyPointer {
public:
    BusyPointer() { showBusyPointer(); }
    ~BusyPointer() { showNormalPointer(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};
