#include "platform/widgets/DevicePrintBackend.h"

#include "platform/AppError.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPen>
#include <QPrinter>

namespace {

constexpr double TwipsPerInch = 1440.0;

}

DevicePrintBackend::DevicePrintBackend(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer))
{
    if (!m_printer)
        raiseError(Err::ObjectNotSet);
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

QSizeF DevicePrintBackend::printableSize() const
{
    return QSizeF(twipsX(m_printer->width()), twipsY(m_printer->height()));
}

double DevicePrintBackend::textWidth(const QString& text, const PrintFont& font) const
{
    return twipsX(QFontMetricsF(qtFont(font), m_printer.get()).horizontalAdvance(text));
}

double DevicePrintBackend::lineHeight(const PrintFont& font) const
{
    return twipsY(QFontMetricsF(qtFont(font), m_printer.get()).lineSpacing());
}

void DevicePrintBackend::beginDocument()
{
    if (m_painter.isActive())
        return;
    if (!m_painter.begin(m_printer.get()))
        raiseError(Err::PathFileAccess, QStringLiteral("The printer cannot print."));
}

void DevicePrintBackend::drawText(const QPointF& topLeft, const QString& text, const PrintFont& font)
{
    const QFont f = qtFont(font);
    m_painter.setFont(f);
    m_painter.setPen(Qt::black);
    const QPointF at = toDevice(topLeft);
    m_painter.drawText(QPointF(at.x(), at.y() + QFontMetricsF(f, m_printer.get()).ascent()), text);
}

void DevicePrintBackend::drawLine(const QPointF& from, const QPointF& to, int widthPixels)
{
    m_painter.setPen(QPen(Qt::black, widthPixels));
    m_painter.drawLine(toDevice(from), toDevice(to));
}

void DevicePrintBackend::drawPicture(const QRectF& area, const QImage& picture)
{
    m_painter.drawImage(QRectF(toDevice(area.topLeft()), toDevice(area.bottomRight())), picture);
}

void DevicePrintBackend::newPage()
{
    if (!m_printer->newPage())
        raiseError(Err::PathFileAccess, QStringLiteral("The printer cannot start a new page."));
}

void DevicePrintBackend::endDocument()
{
    if (m_painter.isActive() && !m_painter.end())
        raiseError(Err::PathFileAccess, QStringLiteral("The printer did not take the document."));
}

void DevicePrintBackend::abandonDocument() noexcept
{
    if (!m_painter.isActive())
        return;
    m_printer->abort();
    m_painter.end();
    // A PDF cut off in the middle is of no use to anyone.
    if (m_printer->outputFormat() == QPrinter::PdfFormat && !m_printer->outputFileName().isEmpty())
        QFile::remove(m_printer->outputFileName());
}

QFont DevicePrintBackend::qtFont(const PrintFont& font) const
{
    QFont f(font.name);
    f.setPointSizeF(font.size > 0 ? font.size : 1);
    f.setBold(font.bold);
    f.setUnderline(font.underline);
    return f;
}

QPointF DevicePrintBackend::toDevice(const QPointF& twips) const
{
    return QPointF(twips.x() * m_printer->logicalDpiX() / TwipsPerInch,
                   twips.y() * m_printer->logicalDpiY() / TwipsPerInch);
}

double DevicePrintBackend::twipsX(double pixels) const
{
    return pixels * TwipsPerInch / m_printer->logicalDpiX();
}

double DevicePrintBackend::twipsY(double pixels) const
{
    return pixels * TwipsPerInch / m_printer->logicalDpiY();
}
