#include "platform/printing/Printer.h"

#include "platform/AppError.h"

#include <algorithm>

Printer::Printer(std::unique_ptr<PrintBackend> backend) : m_backend(std::move(backend))
{
    if (!m_backend)
        raiseError(Err::ObjectNotSet);
}

Printer::~Printer()
{
    abandonDoc();
}

double Printer::scaleWidth() const
{
    return m_backend->printableSize().width();
}

double Printer::scaleHeight() const
{
    return m_backend->printableSize().height();
}

double Printer::textWidth(const QString& text) const
{
    return m_backend->textWidth(text, m_font);
}

double Printer::textHeight(const QString& text) const
{
    const qsizetype lines = std::max<qsizetype>(1, text.count(QLatin1Char('\n')) + 1);
    return m_backend->lineHeight(m_font) * static_cast<double>(lines);
}

void Printer::print(const QString& text)
{
    open();
    if (!text.isEmpty())
        m_backend->drawText(QPointF(m_x, m_y), text, m_font);
    m_x += textWidth(text);
}

void Printer::printLine(const QString& text)
{
    open();
    if (!text.isEmpty())
        m_backend->drawText(QPointF(m_x, m_y), text, m_font);
    m_x = 0;
    m_y += m_backend->lineHeight(m_font);
}

void Printer::drawLine(double x1, double y1, double x2, double y2)
{
    open();
    m_backend->drawLine(QPointF(x1, y1), QPointF(x2, y2), m_drawWidth);
    m_x = x2;
    m_y = y2;
}

void Printer::paintPicture(const QImage& picture, double x, double y, double width, double height)
{
    open();
    m_backend->drawPicture(QRectF(x, y, width, height), picture);
}

void Printer::setDocumentName(const QString& name)
{
    m_backend->setDocumentName(name);
}

void Printer::beginDoc()
{
    open();
}

void Printer::newPage()
{
    open();
    m_backend->newPage();
    if (m_page < INT16_MAX)
        ++m_page;
    m_x = 0;
    m_y = 0;
}

void Printer::endDoc()
{
    if (m_open) {
        m_open = false;
        m_backend->endDocument();
    }
    restart();
}

void Printer::abandonDoc() noexcept
{
    if (m_open) {
        m_open = false;
        m_backend->abandonDocument();
    }
    restart();
}

void Printer::open()
{
    if (!m_open) {
        m_backend->beginDocument();
        m_open = true;
    }
}

void Printer::restart() noexcept
{
    m_page = 1;
    m_x = 0;
    m_y = 0;
}
