#pragma once

#include "platform/DurableOutput.h"
#include "platform/printing/PagedPrintBackend.h"

#include <QPdfWriter>

namespace PrintDevices {
// The file a PDF is written into, and the writer that draws into it.
struct PdfFile {
    std::unique_ptr<DurableOutput> file;
    std::unique_ptr<QPdfWriter> writer;
};
}

// A PDF file on A4 paper with quarter-inch margins, as a desk printer has them,
// made without a screen or a printer system. The file is written beside the
// chosen one and put in its place when the document ends; a document abandoned
// half-way leaves the old file as it was. A failure of the file is path/file
// access (75) with the file and the system's reason.
class PdfPrintBackend final : private PrintDevices::PdfFile, public PagedPrintBackend {
public:
    explicit PdfPrintBackend(const QString& path);
    ~PdfPrintBackend() override;

    void beginDocument() override;
    void newPage() override;
    void endDocument() override;

protected:
    void discard() noexcept override;
};
