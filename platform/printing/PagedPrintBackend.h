#pragma once

#include "platform/printing/PrintBackend.h"

#include <QPainter>
#include <memory>

class QPagedPaintDevice;

namespace PrintDevices {
// A subclass's device, kept from before the drawing begins until after it ends
// (a base of the subclass ahead of PagedPrintBackend).
template <class Device>
struct Owned {
    std::unique_ptr<Device> device;
};
}

// Draws on a paged Qt device: a printer, or a PDF file.
class PagedPrintBackend : public PrintBackend {
public:
    ~PagedPrintBackend() override;

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

protected:
    // The device outlives the backend's drawing: a subclass owns it.
    explicit PagedPrintBackend(QPagedPaintDevice& device);
    // Drops what an abandoned document has left (a half-written file); the
    // painting has ended.
    virtual void discard() noexcept {}
    // Stops a device that sends as it goes, before the painting ends.
    virtual void stop() noexcept {}

private:
    QFont qtFont(const PrintFont& font) const;
    QPointF toDevice(const QPointF& twips) const;
    double twipsX(double pixels) const;
    double twipsY(double pixels) const;

    QPagedPaintDevice& m_device;
    QPainter m_painter;
};
