#pragma once

#include <QList>
#include <functional>

class QAction;
class QToolBar;
class QWidget;

// One button of a window's toolbar: its caption, tool tip and picture, and its
// key as Qt writes it ("Ctrl+S"), which the tool tip shows. "Esc" and "Enter"
// make the button the window's cancel and default command, and "F1" is the
// help key every window has; no key is nullptr.
struct ToolbarButtonDesign {
    const char* caption;
    const char* toolTip;
    const char* picture;
    const char* key = nullptr;
};

// A toolbar of captioned pictures whose buttons are numbered from 1, as the
// click delivers them: buttons[1] to buttons[n] (buttons[0] stays empty).
// Tab reaches its buttons; a click leaves the focus where it was.
QToolBar* makeToolbar(QWidget* parent, QAction** buttons, const QList<ToolbarButtonDesign>& designs,
                      const std::function<void(int)>& click);
