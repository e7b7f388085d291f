#pragma once

// The window's thread and work beside it that writes the database in slices
// (the cut down) take turns with the file: while the window's thread waits to
// write or writes (the receive tick, which waits only a moment), the work lets
// it have the file before it begins its next slice.
namespace DatabaseTurns {

// While it lives, the window's thread wants the file or holds it.
class WindowWrites {
public:
    WindowWrites();
    ~WindowWrites();
    WindowWrites(const WindowWrites&) = delete;
    WindowWrites& operator=(const WindowWrites&) = delete;
};

// Beside the window, between two slices: returns at once unless the window's
// thread wants the file; then once it is done, or after `ms` at most.
void letTheWindowWrite(int ms);

}
