#include "platform/widgets/WidgetPrintDialogs.h"

#include "platform/widgets/ChosenPrinter.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

namespace {

// The dialog lays out its page range each time it is shown.
class WholeDocumentPrintDialog final : public QPrintDialog {
public:
    using QPrintDialog::QPrintDialog;

    void setVisible(bool visible) override
    {
        QPrintDialog::setVisible(visible);
        if (visible)
            hidePageRange(*this);
    }
};

}

// Every printout asks for the set-up form (PrinterDialogFlags): the flags choose nothing here.
PrintDialogs::Choice WidgetPrintDialogs::choosePrinter(int /*flags*/)
{
    QPrinter printer(QPrinter::HighResolution);
    WholeDocumentPrintDialog dialog(&printer, QApplication::activeWindow());
    // The set-up form chooses a printer and its paper; every page is printed,
    // so there is no range to pick. Printing to a file is always offered.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    if (dialog.exec() != QDialog::Accepted)
        return {Outcome::Cancelled, nullptr};
    return {Outcome::Chosen, printBackendFor(printer)};
}
