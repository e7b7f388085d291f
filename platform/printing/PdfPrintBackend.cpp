#include "platform/printing/PdfPrintBackend.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>

namespace {

std::unique_ptr<QPdfWriter> a4Pdf(const QString& path)
{
    auto writer = std::make_unique<QPdfWriter>(path);
    writer->setResolution(1200);
    writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0.25, 0.25, 0.25, 0.25),
                                      QPageLayout::Inch));
    return writer;
}

}

PdfPrintBackend::PdfPrintBackend(const QString& path)
    : Owned<QPdfWriter>{a4Pdf(path)}, PagedPrintBackend(*device), m_path(path)
{
}

PdfPrintBackend::~PdfPrintBackend()
{
    abandonDocument();
}

void PdfPrintBackend::discard() noexcept
{
    QFile::remove(m_path);
}

QString PdfPrintBackend::outputFile() const
{
    return m_path;
}
