#include "reports/framework/ReportTextFile.h"

#include "platform/text/Windows1252.h"

QByteArray fixedWidthLine(const QList<int>& widths, const QStringList& fields)
{
    QByteArray line;
    for (qsizetype f = 0; f < widths.size(); ++f) {
        const int width = widths.at(f);
        const QString text = f < fields.size() ? fields.at(f).left(width) : QString();
        for (QChar c : text)
            line += static_cast<char>(Windows1252::encode(c).value_or('?'));
        line += QByteArray(width - text.size(), ' ');
    }
    line += "\r\n";
    return line;
}

QStringList asteriskRule(const QList<int>& widths)
{
    QStringList rule;
    for (int width : widths)
        rule << QString(width, QLatin1Char('*'));
    return rule;
}

ReportTextFile::ReportTextFile(const QString& path, QList<int> widths) : m_file(path), m_widths(std::move(widths))
{
    m_file.create();
}

void ReportTextFile::writeLine(const QStringList& fields)
{
    m_file.writeAll(fixedWidthLine(m_widths, fields));
}

void ReportTextFile::commit()
{
    m_file.commit();
}
