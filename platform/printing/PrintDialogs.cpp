#include "platform/printing/PrintDialogs.h"

#include "platform/AppError.h"
#include "platform/Log.h"
#include "platform/Seam.h"
#include "platform/printing/PdfPrintBackend.h"
#include "platform/printing/QueuePrintBackend.h"

namespace {

// Without windows there is no printer to choose.
class NoPrinterDialogs final : public PrintDialogs {
public:
    Choice choosePrinter(int) override
    {
        qCWarning(lcGt430) << "No printer dialog without windows";
        return {Outcome::NoDefaultPrinter, {}};
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

ChosenPrinter queueChosen(const QString& queue, int copies)
{
    PrintQueueChoice choice{queue, PrintDevices::deskPage(), {}};
    if (copies > 1) {
        choice.options.emplaceBack("copies", QByteArray::number(copies));
        choice.options.emplaceBack("Collate", "True");
    }
    return {[choice] { return std::make_unique<QueuePrintBackend>(choice); }};
}

ChosenPrinter pdfFileChosen(const QString& path)
{
    return {[path] { return std::make_unique<PdfPrintBackend>(path); }};
}

ChosenPrinter ShowPrinter(int flags)
{
    PrintDialogs::Choice choice = printDialogs().choosePrinter(flags);
    switch (choice.outcome) {
    case PrintDialogs::Outcome::Chosen:
        if (choice.printer.makeDevice)
            return choice.printer;
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
