#include "reports/framework/ReportTextFile.h"

#include "platform/AppError.h"
#include "platform/OwnerOnlyFile.h"
#include "platform/text/Windows1252.h"

#include <QFileInfo>

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
    const bool replacing = QFileInfo::exists(path);
    if (!m_file.open(QIODevice::WriteOnly))
        raiseError(Err::PathFileAccess, QStringLiteral("Cannot write the file %1: %2").arg(path, m_file.errorString()));
    // The file is written beside and renamed over the chosen one: a new one is
    // made its owner's alone before anything is in it; one it replaces passes on its mode.
    if (!replacing && !m_file.setPermissions(OwnerOnlyFile::Permissions))
        raiseError(Err::PathFileAccess, QStringLiteral("Cannot write the file %1: %2").arg(path, m_file.errorString()));
}

void ReportTextFile::writeLine(const QStringList& fields)
{
    const QByteArray line = fixedWidthLine(m_widths, fields);
    if (m_file.write(line) != line.size())
        raiseError(Err::PathFileAccess,
                   QStringLiteral("Cannot write the file %1: %2").arg(m_file.fileName(), m_file.errorString()));
}

void ReportTextFile::commit()
{
    if (!m_file.commit())
        raiseError(Err::PathFileAccess,
                   QStringLiteral("Cannot write the file %1: %2").arg(m_file.fileName(), m_file.errorString()));
}
