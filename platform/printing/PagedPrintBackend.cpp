#include "platform/printing/PagedPrintBackend.h"

#include "platform/AppError.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPen>

namespace {

constexpr double TwipsPerInch = 1440.0;

}

PagedPrintBackend::PagedPrintBackend(QPagedPaintDevice& device) : m_device(device) {}

PagedPrintBackend::~PagedPrintBackend() = default;

QSizeF PagedPrintBackend::printableSize() const
{
    return QSizeF(twipsX(m_device.width()), twipsY(m_device.height()));
}

double PagedPrintBackend::textWidth(const QString& text, const PrintFont& font) const
{
    return twipsX(QFontMetricsF(qtFont(font), &m_device).horizontalAdvance(text));
}

double PagedPrintBackend::lineHeight(const PrintFont& font) const
{
    return twipsY(QFontMetricsF(qtFont(font), &m_device).lineSpacing());
}

void PagedPrintBackend::beginDocument()
{
    if (m_painter.isActive())
        return;
    if (!m_painter.begin(&m_device))
        raiseError(Err::PathFileAccess, QStringLiteral("The printer cannot print."));
}

void PagedPrintBackend::drawText(const QPointF& topLeft, const QString& text, const PrintFont& font)
{
    const QFont f = qtFont(font);
    m_painter.setFont(f);
    m_painter.setPen(Qt::black);
    const QPointF at = toDevice(topLeft);
    m_painter.drawText(QPointF(at.x(), at.y() + QFontMetricsF(f, &m_device).ascent()), text);
}

void PagedPrintBackend::drawLine(const QPointF& from, const QPointF& to, int widthPixels)
{
    m_painter.setPen(QPen(Qt::black, widthPixels));
    m_painter.drawLine(toDevice(from), toDevice(to));
}

void PagedPrintBackend::drawPicture(const QRectF& area, const QImage& picture)
{
    m_painter.drawImage(QRectF(toDevice(area.topLeft()), toDevice(area.bottomRight())), picture);
}

void PagedPrintBackend::newPage()
{
    if (!m_device.newPage())
        raiseError(Err::PathFileAccess, QStringLiteral("The printer cannot start a new page."));
}

void PagedPrintBackend::endDocument()
{
    if (m_painter.isActive() && !m_painter.end())
        raiseError(Err::PathFileAccess, QStringLiteral("The printer did not take the document."));
}

void PagedPrintBackend::abandonDocument() noexcept
{
    if (!m_painter.isActive())
        return;
    stop();
    m_painter.end();
    discard();
}

QFont PagedPrintBackend::qtFont(const PrintFont& font) const
{
    QFont f(font.name);
    f.setPointSizeF(font.size > 0 ? font.size : 1);
    f.setBold(font.bold);
    f.setUnderline(font.underline);
    return f;
}

QPointF PagedPrintBackend::toDevice(const QPointF& twips) const
{
    return QPointF(twips.x() * m_device.logicalDpiX() / TwipsPerInch,
                   twips.y() * m_device.logicalDpiY() / TwipsPerInch);
}

double PagedPrintBackend::twipsX(double pixels) const
{
    return pixels * TwipsPerInch / m_device.logicalDpiX();
}

double PagedPrintBackend::twipsY(double pixels) const
{
    return pixels * TwipsPerInch / m_device.logicalDpiY();
}
