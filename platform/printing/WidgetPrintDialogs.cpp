#include "platform/printing/WidgetPrintDialogs.h"

#include "platform/printing/DevicePrintBackend.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

namespace {

constexpr int PrintSetupFlag = 0x40;

}

PrintDialogs::Choice WidgetPrintDialogs::choosePrinter(int flags)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), QApplication::activeWindow());
    // The set-up form chooses a printer and its paper; every page is printed,
    // so there is no range to pick. Printing to a file is always offered.
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile |
                                                       QAbstractPrintDialog::PrintShowPageSize |
                                                       QAbstractPrintDialog::PrintCollateCopies;
    if (!(flags & PrintSetupFlag))
        options |= QAbstractPrintDialog::PrintPageRange;
    dialog.setOptions(options);
    if (dialog.exec() != QDialog::Accepted)
        return {Outcome::Cancelled, nullptr};
    return {Outcome::Chosen, std::make_unique<DevicePrintBackend>(std::move(printer))};
}
