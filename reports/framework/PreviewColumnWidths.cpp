#include "reports/framework/PreviewColumnWidths.h"

#include <algorithm>

QList<int> previewColumnWidths(const QList<int>& least, const QList<int>& content, int available)
{
    QList<int> widths;
    widths.reserve(least.size());
    qint64 total = 0;
    qsizetype last = -1;
    for (qsizetype c = 0; c < least.size(); ++c) {
        if (least.at(c) <= 0) {
            widths << 0;
            continue;
        }
        widths << std::max(least.at(c), c < content.size() ? content.at(c) : 0);
        total += widths.last();
        last = c;
    }
    const qint64 room = available - total;
    if (last < 0 || room <= 0)
        return widths;
    qint64 given = 0;
    for (qsizetype c = 0; c < last; ++c) {
        const qint64 share = room * widths.at(c) / total;
        widths[c] += static_cast<int>(share);
        given += share;
    }
    widths[last] += static_cast<int>(room - given);
    return widths;
}
