#pragma once

#include "platform/printing/PagedPrintBackend.h"

#include <QPrinter>
#include <memory>

// Draws on a Qt printer: a real one chosen in the print dialog, or a PDF file.
class DevicePrintBackend final : private PrintDevices::Owned<QPrinter>, public PagedPrintBackend {
public:
    explicit DevicePrintBackend(std::unique_ptr<QPrinter> printer);
    ~DevicePrintBackend() override;

    // A PDF file on A4 paper with quarter-inch margins, as a desk printer has them.
    static std::unique_ptr<DevicePrintBackend> pdf(const QString& path);

    void beginDocument() override;

protected:
    void stop() noexcept override;
    void discard() noexcept override;

private:
    // The PDF file the printer writes, none for a real printer.
    QString outputFile() const;
};
