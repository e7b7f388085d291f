#pragma once

#include "platform/printing/PrintBackend.h"

#include <QPainter>
#include <memory>

class QPrinter;

// Draws on a Qt printer: a real one chosen in the print dialog, or a PDF file.
class DevicePrintBackend final : public PrintBackend {
public:
    explicit DevicePrintBackend(std::unique_ptr<QPrinter> printer);
    ~DevicePrintBackend() override;

    // A PDF file on A4 paper with quarter-inch margins, as a desk printer has them.
    static std::unique_ptr<DevicePrintBackend> pdf(const QString& path);

    QSizeF printableSize() const override;
    double textWidth(const QString& text, const PrintFont& font) const override;
    double lineHeight(const PrintFont& font) const override;

    void beginDocument() override;
    void drawText(const QPointF& topLeft, const QString& text, const PrintFont& font) override;
    void drawLine(const QPointF& from, const QPointF& to, int widthPixels) override;
    void drawPicture(const QRectF& area, const QImage& picture) override;
    void newPage() override;
    void endDocument() override;
    void abandonDocument() noexcept override;

private:
    QFont qtFont(const PrintFont& font) const;
    QPointF toDevice(const QPointF& twips) const;
    double twipsX(double pixels) const;
    double twipsY(double pixels) const;

    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
};
