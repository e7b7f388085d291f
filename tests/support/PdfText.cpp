#include "tests/support/PdfText.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

std::optional<QString> runPdfToText(const QStringList& arguments)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (program.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

}

std::optional<QStringList> pdfPages(const QString& path)
{
    const auto text = runPdfToText(
        {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!text)
        return std::nullopt;
    QStringList pages = text->split(QLatin1Char('\f'));
    // pdftotext ends every page with a form feed, the last one included.
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

std::optional<QList<PdfWord>> pdfWords(const QString& path)
{
    const auto html = runPdfToText(
        {QStringLiteral("-bbox"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!html)
        return std::nullopt;
    static const QRegularExpression tag(
        QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    QList<PdfWord> words;
    int page = 0;
    for (const auto& m : tag.globalMatch(*html)) {
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        QString text = m.captured(3);
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
        text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        // Points to twips.
        words << PdfWord{page, QPointF(m.captured(1).toDouble() * 20, m.captured(2).toDouble() * 20), text};
    }
    return words;
}

QString pdfTitle(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("(no pdfinfo)");
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Title:")))
            return line.mid(6).trimmed();
    return QString();
}
