#pragma once

#include "platform/AppError.h"
#include "platform/printing/PrintBackend.h"

#include <functional>
#include <memory>

namespace Err {
// The common dialog's: the user cancelled, and there is no default printer.
inline constexpr int CancelError = 32755;
inline constexpr int NoDefaultPrinter = 28663;
}

// Flags of the printer dialog that every printout asks for: the set-up form,
// a help button, a device returned.
inline constexpr int PrinterDialogFlags = 2368;

// The printer chosen in the dialog. Its device is made where the printout is
// composed and sent, beside the window's thread: a queue of the print system
// is reached from there alone.
struct ChosenPrinter {
    std::function<std::unique_ptr<PrintBackend>()> makeDevice;
};

// A queue of the print system, as the dialog sends to it: the program's page,
// `copies` of the document.
ChosenPrinter queueChosen(const QString& queue, int copies = 1);
// A PDF file, written beside `path` and put in its place when complete.
ChosenPrinter pdfFileChosen(const QString& path);

// The printer dialog, behind a seam so that tests answer it in advance.
class PrintDialogs {
public:
    enum class Outcome { Chosen, Cancelled, NoDefaultPrinter };
    struct Choice {
        Outcome outcome = Outcome::Cancelled;
        ChosenPrinter printer; // set when chosen
    };

    virtual ~PrintDialogs() = default;
    virtual Choice choosePrinter(int flags) = 0;
};

PrintDialogs& printDialogs();
// Installs the dialog in use (not owned): the printer dialog at start-up, a
// test's answering one. nullptr restores the plain one, which finds no printer.
void setPrintDialogs(PrintDialogs* replacement);

// Shows the printer dialog and returns the printer chosen there. Cancelling
// raises CancelError and a missing printer NoDefaultPrinter; a print command
// run under guardedPrinting ends quietly on both.
ChosenPrinter ShowPrinter(int flags = PrinterDialogFlags);

// The failures a print command passes over without a word.
bool isQuietPrintEnd(const AppError& error);
