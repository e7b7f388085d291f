#pragma once

#include <functional>

class QWidget;

// Runs `action` once, when `widget` is first shown: by then its layout has
// given it its size, which a widget on a page not yet shown does not have.
// A widget already shown runs it at once.
void onFirstShow(QWidget* widget, std::function<void()> action);
