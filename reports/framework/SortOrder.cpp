#include "reports/framework/SortOrder.h"

QString SortOrder = QStringLiteral("Asc");

SortDirection sortDirectionOf(const QString& sortText)
{
    return sortText.compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0 ? SortDirection::Descending
                                                                             : SortDirection::Ascending;
}

QString sortKeyword(SortDirection direction)
{
    return direction == SortDirection::Descending ? QStringLiteral("DESC") : QStringLiteral("ASC");
}
