#include "platform/printing/PrintDialogs.h"

#include "platform/AppError.h"
#include "platform/Seam.h"
#include "platform/widgets/WidgetPrintDialogs.h"

PrintDialogs& printDialogs()
{
    return Seam<PrintDialogs, WidgetPrintDialogs>::get();
}

void setPrintDialogs(PrintDialogs* replacement)
{
    Seam<PrintDialogs, WidgetPrintDialogs>::install(replacement);
}

std::unique_ptr<Printer> ShowPrinter(int flags)
{
    PrintDialogs::Choice choice = printDialogs().choosePrinter(flags);
    switch (choice.outcome) {
    case PrintDialogs::Outcome::Chosen:
        if (choice.device)
            return std::make_unique<Printer>(std::move(choice.device));
        break;
    case PrintDialogs::Outcome::NoDefaultPrinter:
        raiseError(Err::NoDefaultPrinter, QStringLiteral("There is no default printer."));
    case PrintDialogs::Outcome::Cancelled:
        break;
    }
    raiseError(Err::CancelError, QStringLiteral("Cancel was selected."));
}

bool isQuietPrintEnd(const AppError& error)
{
    return error.number() == Err::CancelError || error.number() == Err::NoDefaultPrinter;
}
