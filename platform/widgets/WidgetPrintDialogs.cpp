#include "platform/widgets/WidgetPrintDialogs.h"

#include "platform/widgets/DevicePrintBackend.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

// Every printout asks for the set-up form (PrinterDialogFlags): the flags choose nothing here.
PrintDialogs::Choice WidgetPrintDialogs::choosePrinter(int /*flags*/)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), QApplication::activeWindow());
    // The set-up form chooses a printer and its paper; every page is printed,
    // so there is no range to pick. Printing to a file is always offered.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    if (dialog.exec() != QDialog::Accepted)
        return {Outcome::Cancelled, nullptr};
    return {Outcome::Chosen, std::make_unique<DevicePrintBackend>(std::move(printer))};
}
