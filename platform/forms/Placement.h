#pragma once

class QWidget;

// Places a window that is about to be shown in the middle of its owner (of the
// screen when it has none), at the size it will be shown with, and within the
// screen.
void centreOver(QWidget* window, const QWidget* owner);

// The widest a window to be shown over its owner may be and still lie within
// the screen, with its frame.
int widestOnScreen(const QWidget* window, const QWidget* owner);
