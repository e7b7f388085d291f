#include "platform/widgets/WidgetPrintDialogs.h"

#include "platform/widgets/PrinterDialog.h"

#include <QApplication>

// Every printout asks for the set-up form (PrinterDialogFlags): the flags choose nothing here.
PrintDialogs::Choice WidgetPrintDialogs::choosePrinter(int /*flags*/)
{
    PrinterDialog dialog(QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return {Outcome::Cancelled, {}};
    return {Outcome::Chosen, dialog.choice()};
}
