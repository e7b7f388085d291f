#pragma once

#include "platform/printing/PrintBackend.h"

#include <QPrinter>
#include <memory>

// What the print dialog's choice prints on: a queue of the print system, or a
// PDF file when the dialog prints to a file.
std::unique_ptr<PrintBackend> printBackendFor(const QPrinter& chosen);

// The print dialog offers no page range: every page is printed, and the
// printing notice counts them all. Run once the dialog is shown.
void hidePageRange(QWidget& printDialog);
