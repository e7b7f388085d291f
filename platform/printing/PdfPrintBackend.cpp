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

PdfPrintBackend::PdfPrintBackend(const QString& path, const QPageLayout& page)
    : PdfBackend(std::make_unique<DurableOutput>(path), page)
{
}
