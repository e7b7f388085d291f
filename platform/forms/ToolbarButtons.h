#pragma once

#include <QList>
#include <functional>

class QAction;
class QToolBar;
class QWidget;

// One button of a window's toolbar: its caption, tool tip and picture.
struct ToolbarButtonDesign {
    const char* caption;
    const char* toolTip;
    const char* picture;
};

// A toolbar of captioned pictures whose buttons are numbered from 1, as the
// click delivers them: buttons[1] to buttons[n] (buttons[0] stays empty).
QToolBar* makeToolbar(QWidget* parent, QAction** buttons, const QList<ToolbarButtonDesign>& designs,
                      const std::function<void(int)>& click);
