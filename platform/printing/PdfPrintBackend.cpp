#include "platform/printing/PdfPrintBackend.h"

#include <QPageLayout>
#include <QPageSize>

namespace {

PrintDevices::PdfFile a4Pdf(const QString& path)
{
    PrintDevices::PdfFile pdf{std::make_unique<DurableOutput>(path), nullptr};
    pdf.writer = std::make_unique<QPdfWriter>(pdf.file.get());
    pdf.writer->setResolution(1200);
    pdf.writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
    return pdf;
}

}

PdfPrintBackend::PdfPrintBackend(const QString& path) : PdfFile{a4Pdf(path)}, PagedPrintBackend(*writer)
{
}

PdfPrintBackend::~PdfPrintBackend()
{
    abandonDocument();
}

void PdfPrintBackend::beginDocument()
{
    if (!file->isOpen())
        file->create();
    PagedPrintBackend::beginDocument();
    file->throwIfFailed();
}

void PdfPrintBackend::newPage()
{
    PagedPrintBackend::newPage();
    file->throwIfFailed();
}

void PdfPrintBackend::endDocument()
{
    PagedPrintBackend::endDocument();
    file->commit();
}

void PdfPrintBackend::discard() noexcept
{
    file->discard();
}
