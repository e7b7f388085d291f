#pragma once

#include "platform/DurableOutput.h"
#include "platform/printing/PagedPrintBackend.h"

#include <QPageLayout>
#include <QPdfWriter>

namespace PrintDevices {
// The file a PDF is written into, and the writer that draws into it.
struct PdfFile {
    std::unique_ptr<DurableOutput> file;
    std::unique_ptr<QPdfWriter> writer;
};

// A4 paper with quarter-inch margins, as a desk printer has them.
QPageLayout deskPage();
// A writer of PDF into `output` on the page given.
std::unique_ptr<QPdfWriter> pdfWriter(QIODevice& output, const QPageLayout& page);
}

// A PDF file made without a printer system: by the report tool, or printed to
// a file from the print dialog. The file is written beside the chosen one and
// put in its place when the document ends; a document abandoned half-way
// leaves the old file as it was. A failure of the file is path/file access
// (75) with the file and the system's reason.
class PdfPrintBackend final : private PrintDevices::PdfFile, public PagedPrintBackend {
public:
    explicit PdfPrintBackend(const QString& path, const QPageLayout& page = PrintDevices::deskPage());
    ~PdfPrintBackend() override;

    void setDocumentName(const QString& name) override;
    void beginDocument() override;
    void newPage() override;
    void endDocument() override;

protected:
    void discard() noexcept override;
};
