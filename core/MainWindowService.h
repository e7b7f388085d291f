#pragma once

#include <functional>

class CommPort;

// What the main window does for the other windows. The shell's main window
// provides it, so that no window includes the main window itself.
class MainWindowService {
public:
    virtual ~MainWindowService() = default;

    // The serial port of the door unit, owned by the main window.
    virtual CommPort& commPort() = 0;
    // Guard mode: only the on-line monitor is shown, and closing it ends the program.
    virtual bool guardOnly() const = 0;
    // Shows the main window (again).
    virtual void showMainWindow() = 0;
    // Repaints the toolbar and makes it visible.
    virtual void repaintToolbar() = 0;
    // Another window opened the port or failed to: the commands that need the
    // link (On Line, Programming) and the reception are on exactly while it is open.
    virtual void portStateChanged() = 0;
    // The open port closed under the reception (its device went away): the
    // link's commands are off, as after a failed open, and the same port is
    // tried again every few seconds until it opens.
    virtual void portLost() = 0;
    // The port did not open: the user is told, and the link's commands and the
    // windows that need the link are off until a port opens.
    virtual void portOpenFailed() = 0;
};

// The main window while it exists; nullptr before it is made and after it unloads.
MainWindowService* mainWindow();

// Makes the main window when there is none and shows it. Fails with 91 when
// the shell has provided none.
void ShowMainWindow();

// A window that closes repaints the main window's toolbar and makes it visible.
void RefreshMainToolbar();

// How the shell finds its main window (nullptr when there is none) and makes
// it (made and loaded on first use).
struct MainWindowProvider {
    std::function<MainWindowService*()> find;
    std::function<MainWindowService&()> make;
};
void setMainWindowProvider(MainWindowProvider provider);
