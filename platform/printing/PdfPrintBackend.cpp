#include "platform/printing/PdfPrintBackend.h"

#include <QPageSize>

namespace PrintDevices {

QPageLayout deskPage()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0.25, 0.25, 0.25, 0.25),
                       QPageLayout::Inch);
}

std::unique_ptr<QPdfWriter> pdfWriter(QIODevice& output, const QPageLayout& page)
{
    auto writer = std::make_unique<QPdfWriter>(&output);
    writer->setResolution(1200);
    writer->setPageLayout(page);
    return writer;
}

}

namespace {

PrintDevices::PdfFile pdfFile(const QString& path, const QPageLayout& page)
{
    PrintDevices::PdfFile pdf{std::make_unique<DurableOutput>(path), nullptr};
    pdf.writer = PrintDevices::pdfWriter(*pdf.file, page);
    return pdf;
}

}

PdfPrintBackend::PdfPrintBackend(const QString& path, const QPageLayout& page)
    : PdfFile{pdfFile(path, page)}, PagedPrintBackend(*writer)
{
}

PdfPrintBackend::~PdfPrintBackend()
{
    abandonDocument();
}

void PdfPrintBackend::setDocumentName(const QString& name)
{
    writer->setTitle(name);
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
