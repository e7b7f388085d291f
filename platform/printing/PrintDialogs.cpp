#include "platform/printing/PrintDialogs.h"

#include "platform/AppError.h"
#include "platform/Log.h"
#include "platform/Seam.h"

namespace {

// Without windows there is no printer to choose.
class NoPrinterDialogs final : public PrintDialogs {
public:
    Choice choosePrinter(int) override
    {
        qCWarning(lcGt430) << "No printer dialog without windows";
        return {Outcome::NoDefaultPrinter, nullptr};
    }
};

}

PrintDialogs& printDialogs()
{
    return Seam<PrintDialogs, NoPrinterDialogs>::get();
}

void setPrintDialogs(PrintDialogs* replacement)
{
    Seam<PrintDialogs, NoPrinterDialogs>::install(replacement);
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
    case PrintDialogs::Outcome::Cancelled: break;
    }
    raiseError(Err::CancelError, QStringLiteral("Cancel was selected."));
}

bool isQuietPrintEnd(const AppError& error)
{
    return error.number() == Err::CancelError || error.number() == Err::NoDefaultPrinter;
}
