#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

// Where a window opens: whole within the available area of its screen (the
// screen less its panels), its frame included. A window larger than the area
// is made smaller, never less than its layout allows.

// Places a window that is about to be shown in the middle of its owner (of the
// screen when it has none), at the size it will be shown with.
void centreOver(QWidget* window, const QWidget* owner);

// Moves a window, and makes it smaller where it must, so that it lies whole
// within the available area; a window already within it stays as it is.
void keepOnScreen(QWidget* window, const QWidget* owner = nullptr);

// Sizes a window to the whole available area, as a window sized to the
// screen is meant to be.
void fillScreen(QWidget* window);

// The available area of the screen a window opens on (over its owner's).
QRect availableArea(const QWidget* window, const QWidget* owner = nullptr);

// The frame the window system puts round the window: its own once shown,
// else that of its owner or of another window on the screen.
QMargins frameMargins(const QWidget* window, const QWidget* owner = nullptr);

// The widest a window to be shown over its owner may be and still lie within
// the screen, with its frame.
int widestOnScreen(const QWidget* window, const QWidget* owner);
