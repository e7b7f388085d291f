#pragma once

#include <functional>

class SerialLinkControl;

// What the main window does for the other windows. The shell's main window
// provides it, so that no window includes the main window itself.
class MainWindowService {
public:
    virtual ~MainWindowService() = default;

    // The serial link to the door unit, which the main window holds and follows.
    virtual SerialLinkControl& serialLink() = 0;
    // Guard mode: only the on-line monitor is shown, and closing it ends the program.
    virtual bool guardOnly() const = 0;
    // Shows the main window (again).
    virtual void showMainWindow() = 0;
    // Repaints the toolbar and makes it visible.
    virtual void repaintToolbar() = 0;
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
