#pragma once

#include "platform/printing/PagedPrintBackend.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <memory>

namespace PrintDevices {
// A4 paper with quarter-inch margins, as a desk printer has them.
QPageLayout deskPage();
// A writer of PDF into `output` on the page given.
std::unique_ptr<QPdfWriter> pdfWriter(QIODevice& output, const QPageLayout& page);

// The output a PDF is written into, and the writer that draws into it.
template <class Output>
struct PdfInto {
    std::unique_ptr<Output> output;
    std::unique_ptr<QPdfWriter> writer;

    PdfInto(std::unique_ptr<Output> out, const QPageLayout& page)
        : output(std::move(out)), writer(pdfWriter(*output, page))
    {
    }
};
}

// Draws a PDF document into an output that is made when the document begins,
// checked at every new page and committed when it ends; an abandoned document
// discards it. The output (a file, a print job) is a QIODevice with create(),
// throwIfFailed(), commit() and discard(), each throwing its own failure, and
// it may take the document's name (setTitle()).
template <class Output>
class PdfBackend : private PrintDevices::PdfInto<Output>, public PagedPrintBackend {
public:
    PdfBackend(std::unique_ptr<Output> into, const QPageLayout& page)
        : PrintDevices::PdfInto<Output>(std::move(into), page), PagedPrintBackend(*this->writer)
    {
    }
    ~PdfBackend() override { abandonDocument(); }

    void setDocumentName(const QString& name) override
    {
        if constexpr (requires(Output & o) { o.setTitle(name); })
            this->output->setTitle(name);
        this->writer->setTitle(name);
    }

    void beginDocument() override
    {
        if (!this->output->isOpen())
            this->output->create();
        PagedPrintBackend::beginDocument();
        this->output->throwIfFailed();
    }

    void newPage() override
    {
        PagedPrintBackend::newPage();
        this->output->throwIfFailed();
    }

    void endDocument() override
    {
        PagedPrintBackend::endDocument();
        this->output->commit();
    }

protected:
    void discard() noexcept override { this->output->discard(); }
};
