#include "tests/support/RecordingPrintBackend.h"

#include <QCoreApplication>
#include <QThread>

QList<PrintRecord::Text> PrintRecord::onPage(int page) const
{
    QList<Text> result;
    for (const Text& t : texts)
        if (t.page == page)
            result << t;
    return result;
}

QStringList PrintRecord::textsOnPage(int page) const
{
    QStringList result;
    for (const Text& t : texts)
        if (t.page == page)
            result << t.text;
    return result;
}

const PrintRecord::Text* PrintRecord::find(const QString& text) const
{
    for (const Text& t : texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

const PrintRecord::Text* PrintRecord::findStarting(const QString& start) const
{
    for (const Text& t : texts)
        if (t.text.startsWith(start))
            return &t;
    return nullptr;
}

double RecordingPrintBackend::textWidth(const QString& text, const PrintFont& font) const
{
    return static_cast<double>(text.size()) * charWidth(font.size);
}

void RecordingPrintBackend::beginDocument()
{
    ++m_record.documentsBegun;
    const QCoreApplication* app = QCoreApplication::instance();
    m_record.drawnBesideTheWindow = app && QThread::currentThread() != app->thread();
    m_record.texts.clear();
    m_record.lines.clear();
    m_record.pictures.clear();
    m_record.pages = 1;
}

void RecordingPrintBackend::drawText(const QPointF& topLeft, const QString& text, const PrintFont& font)
{
    m_record.texts << PrintRecord::Text{m_record.pages, topLeft, text, font};
}

void RecordingPrintBackend::drawLine(const QPointF& from, const QPointF& to, int widthPixels)
{
    m_record.lines << PrintRecord::Line{m_record.pages, from, to, widthPixels};
}

void RecordingPrintBackend::drawPicture(const QRectF& area, const QImage& picture)
{
    m_record.pictures << PrintRecord::Picture{m_record.pages, area, picture.size()};
}

void RecordingPrintBackend::newPage()
{
    ++m_record.pages;
}

void RecordingPrintBackend::endDocument()
{
    ++m_record.documentsEnded;
}

void RecordingPrintBackend::abandonDocument() noexcept
{
    ++m_record.documentsAbandoned;
}
