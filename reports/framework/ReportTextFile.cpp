#include "reports/framework/ReportTextFile.h"

#include "platform/db/ForwardQuery.h"
#include "platform/text/DateTimeText.h"
#include "platform/text/Windows1252.h"
#include "reports/framework/HoursText.h"
#include "reports/framework/Report.h"

namespace {

// Written to the file in pieces of about this size.
constexpr qsizetype PieceSize = 256 * 1024;

bool isAscii(QByteArrayView utf8)
{
    for (char c : utf8)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

}

QByteArray fixedWidthLine(const QList<int>& widths, const QStringList& fields)
{
    QByteArray line;
    TextLine made(widths, line);
    for (const QString& field : fields.mid(0, widths.size()))
        made.add(QStringView(field));
    made.end();
    return line;
}

QStringList asteriskRule(const QList<int>& widths)
{
    QStringList rule;
    for (int width : widths)
        rule << QString(width, QLatin1Char('*'));
    return rule;
}

TextLine::TextLine(const QList<int>& widths, QByteArray& out) : m_widths(widths), m_out(out) {}

void TextLine::put(QByteArrayView utf8)
{
    if (!isAscii(utf8)) {
        put(QStringView(QString::fromUtf8(utf8)));
        return;
    }
    const qsizetype room = m_widths.at(m_field) - m_used;
    const qsizetype taken = std::min(room, utf8.size());
    m_out.append(utf8.first(taken));
    m_used += static_cast<int>(taken);
}

void TextLine::put(QStringView text)
{
    const int width = m_widths.at(m_field);
    for (QChar c : text) {
        if (m_used == width)
            return;
        m_out.append(static_cast<char>(Windows1252::encode(c).value_or('?')));
        ++m_used;
    }
}

TextLine& TextLine::close()
{
    m_out.append(m_widths.at(m_field) - m_used, ' ');
    ++m_field;
    m_used = 0;
    return *this;
}

TextLine& TextLine::add(QByteArrayView utf8)
{
    put(utf8);
    return close();
}

TextLine& TextLine::add(QStringView text)
{
    put(text);
    return close();
}

TextLine& TextLine::add(const ForwardQuery& row, int column)
{
    return add(row.bytes(column));
}

TextLine& TextLine::add(QByteArrayView before, const ForwardQuery& row, int column)
{
    put(before);
    put(row.bytes(column));
    return close();
}

TextLine& TextLine::addShownDate(const ForwardQuery& row, int column)
{
    const QByteArrayView stored = row.bytes(column);
    // A stored day by its digits, YYYYMMDD.
    int day = 0;
    for (qsizetype i = 0; i < stored.size() && day >= 0; ++i) {
        const char c = stored[i];
        if (c >= '0' && c <= '9')
            day = day * 10 + (c - '0');
        else if (c != '-' || (i != 4 && i != 7))
            day = -1;
    }
    if (stored.size() != 10 || day < 0)
        return add(QStringView(DateTimeText::shortDateOfStored(QString::fromUtf8(stored))));
    auto shown = m_shownDays.constFind(day);
    if (shown == m_shownDays.constEnd())
        shown = m_shownDays.insert(day, DateTimeText::shortDateOfStored(QString::fromUtf8(stored)));
    return add(QStringView(*shown));
}

TextLine& TextLine::addClock(const ForwardQuery& row, int column)
{
    const QByteArrayView stored = row.bytes(column);
    const std::optional<int> second = HoursText::secondOfDay(stored);
    if (!second)
        return add(stored);
    return add(QStringView(HoursText::clockText(*second / 60)));
}

void TextLine::end()
{
    while (m_field < m_widths.size())
        close();
    m_out.append("\r\n");
    m_field = 0;
}

ReportTextFile::ReportTextFile(const QString& path, QList<int> widths)
    : m_file(path), m_widths(std::move(widths)), m_row(m_widths, m_pending)
{
    m_pending.reserve(PieceSize + 4096);
    m_file.create();
}

void ReportTextFile::writeLine(const QStringList& fields)
{
    m_pending.append(fixedWidthLine(m_widths, fields));
    flushIfFull();
}

void ReportTextFile::writeRow()
{
    flushIfFull();
}

void ReportTextFile::flushIfFull()
{
    if (m_pending.size() < PieceSize)
        return;
    m_file.writeAll(m_pending);
    m_pending.resize(0);
}

void ReportTextFile::commit()
{
    m_file.writeAll(m_pending);
    m_pending.resize(0);
    m_file.commit();
}
