#include "tests/support/HeadingsFit.h"

#include "platform/ProgramFonts.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMap>
#include <QScreen>
#include <algorithm>

namespace {

double widthInTwips(const PrintRecord::Text& text)
{
    QFont font(text.font.name);
    font.setPointSizeF(text.font.size);
    font.setBold(text.font.bold);
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    return QFontMetricsF(font).horizontalAdvance(text.text) * 1440.0 / dpi;
}

}

QStringList headingsRunningOn(const PrintRecord& record, int page)
{
    ProgramFonts::install();
    QMap<double, QList<PrintRecord::Text>> lines;
    for (const PrintRecord::Text& text : record.onPage(page)) {
        if (text.font.bold && text.font.underline)
            lines[text.at.y()] << text;
    }
    QStringList running;
    for (QList<PrintRecord::Text>& line : lines) {
        std::sort(line.begin(), line.end(), [](const auto& a, const auto& b) { return a.at.x() < b.at.x(); });
        for (qsizetype i = 0; i + 1 < line.size(); ++i) {
            // A blank's width apart at least.
            if (line.at(i).at.x() + widthInTwips(line.at(i)) + line.at(i).font.size * 5 > line.at(i + 1).at.x())
                running << line.at(i).text + QStringLiteral(" -> ") + line.at(i + 1).text;
        }
    }
    return running;
}
