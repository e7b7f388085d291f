#include "platform/widgets/ChosenPrinter.h"

#include "platform/printing/PdfPrintBackend.h"
#include "platform/printing/QueuePrintBackend.h"

#include <QPageSize>
#include <QPrintEngine>
#include <QWidget>

namespace {

// The print system's options the dialog keeps on the printer (its own
// property, name and value by turns).
constexpr auto CupsOptionsProperty = QPrintEngine::PrintEnginePropertyKey(0xfe00);

PrintQueueJob::Options queueOptions(const QPrinter& chosen)
{
    PrintQueueJob::Options options;
    options.emplaceBack("media", chosen.pageLayout().pageSize().key().toUtf8());
    const int copies = chosen.copyCount();
    if (copies > 1) {
        options.emplaceBack("copies", QByteArray::number(copies));
        options.emplaceBack("Collate", QByteArray(chosen.collateCopies() ? "True" : "False"));
    }
    switch (chosen.duplex()) {
    case QPrinter::DuplexNone: options.emplaceBack("sides", "one-sided"); break;
    case QPrinter::DuplexLongSide: options.emplaceBack("sides", "two-sided-long-edge"); break;
    case QPrinter::DuplexShortSide: options.emplaceBack("sides", "two-sided-short-edge"); break;
    case QPrinter::DuplexAuto: break;
    }
    const QStringList kept = chosen.printEngine()->property(CupsOptionsProperty).toStringList();
    for (qsizetype i = 0; i + 1 < kept.size(); i += 2) {
        // Every page is printed, as the notice counts them.
        if (kept[i] == QLatin1String("page-ranges") || kept[i] == QLatin1String("page-set"))
            continue;
        options.emplaceBack(kept[i].toUtf8(), kept[i + 1].toUtf8());
    }
    return options;
}

}

std::unique_ptr<PrintBackend> printBackendFor(const QPrinter& chosen)
{
    if (chosen.outputFormat() == QPrinter::PdfFormat)
        return std::make_unique<PdfPrintBackend>(chosen.outputFileName(), chosen.pageLayout());
    return std::make_unique<QueuePrintBackend>(
        PrintQueueChoice{chosen.printerName(), chosen.pageLayout(), queueOptions(chosen)});
}

void hidePageRange(QWidget& printDialog)
{
    // The dialog shows these whatever its options say when the print system can pick pages.
    for (const char* name : {"gbPrintRange", "pageSetCombo", "pageSetLabel"})
        if (auto* widget = printDialog.findChild<QWidget*>(QLatin1String(name)))
            widget->setVisible(false);
}
