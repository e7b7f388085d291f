#pragma once

class QWidget;

// Places a window that is about to be shown in the middle of its owner (of the
// screen when it has none), at the size it will be shown with, and within the
// screen.
void centreOver(QWidget* window, const QWidget* owner);
