#pragma once

#include <QString>

// The notice shown once a printout has been sent (" 3 Page is Printing "),
// behind a seam: the windows show it in a window of its own (frmPrint).
class PrintNotice {
public:
    virtual ~PrintNotice() = default;
    // Returns once the notice has gone.
    virtual void show(const QString& text) = 0;
};

PrintNotice& printNotice();
// Installs the notice in use (not owned): the notice window at start-up.
// nullptr restores the plain one, which only logs.
void setPrintNotice(PrintNotice* replacement);

// Shows the notice with `text`; returns once it has gone.
void ShowPrintNotice(const QString& text);
