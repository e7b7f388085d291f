#include "platform/widgets/DevicePrintBackend.h"

#include "platform/AppError.h"
#include "platform/OwnerOnlyFile.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>

namespace {

QPrinter& present(const std::unique_ptr<QPrinter>& printer)
{
    if (!printer)
        raiseError(Err::ObjectNotSet);
    return *printer;
}

}

DevicePrintBackend::DevicePrintBackend(std::unique_ptr<QPrinter> printer)
    : Owned<QPrinter>{std::move(printer)}, PagedPrintBackend(present(device))
{
}

DevicePrintBackend::~DevicePrintBackend()
{
    abandonDocument();
}

std::unique_ptr<DevicePrintBackend> DevicePrintBackend::pdf(const QString& path)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
    return std::make_unique<DevicePrintBackend>(std::move(printer));
}

void DevicePrintBackend::beginDocument()
{
    // The printer opens its file as it stands, so a new one is made first with the owner's mode.
    const QString file = outputFile();
    const bool made = !file.isEmpty() && OwnerOnlyFile::createUnlessPresent(file);
    try {
        PagedPrintBackend::beginDocument();
    } catch (...) {
        if (made)
            QFile::remove(file);
        throw;
    }
}

void DevicePrintBackend::stop() noexcept
{
    device->abort();
}

void DevicePrintBackend::discard() noexcept
{
    // A PDF cut off in the middle is of no use to anyone.
    if (device->outputFormat() == QPrinter::PdfFormat && !device->outputFileName().isEmpty())
        QFile::remove(device->outputFileName());
}

QString DevicePrintBackend::outputFile() const
{
    return device->outputFormat() == QPrinter::PdfFormat ? device->outputFileName() : QString();
}
