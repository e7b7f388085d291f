#pragma once

#include "platform/printing/PrintDialogs.h"

#include <functional>

class Printer;

// Composes a printout on the printer chosen and sends it from a thread beside
// the window's: the windows repaint and their timers go on (the reception
// too), while the printing notice stands over them, counting the pages, so
// that nobody starts the printout again or closes a window under it. The
// composing reaches no widget (what a window prints is taken from it
// beforehand) and reads the database through a connection of its own. Once
// the document has gone, the notice shows its last text for a second; the
// error reports of the composing show after the notice has gone, and what it
// threw is thrown to the caller after them.
void PrintBesideTheWindow(const ChosenPrinter& chosen, const std::function<void(Printer&)>& compose);
