#pragma once

#include "platform/DurableOutput.h"
#include "platform/printing/PdfBackend.h"

// A PDF file made without a printer system: by the report tool, or printed to
// a file from the print dialog. The file is written beside the chosen one and
// put in its place when the document ends; a document abandoned half-way
// leaves the old file as it was. A failure of the file is path/file access
// (75) with the file and the system's reason.
class PdfPrintBackend final : public PdfBackend<DurableOutput> {
public:
    explicit PdfPrintBackend(const QString& path, const QPageLayout& page = PrintDevices::deskPage());
};
