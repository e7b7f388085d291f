#pragma once

#include "platform/printing/PagedPrintBackend.h"

#include <QPdfWriter>

// A PDF file on A4 paper with quarter-inch margins, as a desk printer has them,
// made without a screen or a printer system. A document abandoned half-way
// leaves no file.
class PdfPrintBackend final : private PrintDevices::Owned<QPdfWriter>, public PagedPrintBackend {
public:
    explicit PdfPrintBackend(const QString& path);
    ~PdfPrintBackend() override;

protected:
    void discard() noexcept override;
    QString outputFile() const override;

private:
    QString m_path;
};
