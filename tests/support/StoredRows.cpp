#include "tests/support/StoredRows.h"

#include "core/AppState.h"
#include "platform/db/ForwardQuery.h"

QList<QStringList> StoredRows::rows(const QString& sql, const QVariantList& params)
{
    QList<QStringList> result;
    ForwardQuery q(Db(), sql, params);
    while (q.next()) {
        QStringList row;
        for (int c = 0; c < q.columnCount(); ++c)
            row << (q.value(c).isNull() ? QStringLiteral("<null>") : q.value(c).toString());
        result << row;
    }
    return result;
}

int StoredRows::count(const QString& table)
{
    ForwardQuery q(Db(), QStringLiteral("SELECT count(*) FROM ") + table);
    q.next();
    return q.value(0).toInt();
}
