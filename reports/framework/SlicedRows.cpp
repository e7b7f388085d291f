#include "reports/framework/SlicedRows.h"

#include "core/AppState.h"
#include "reports/framework/WorkTableFill.h"

SlicedRows::SlicedRows(const QString& table, const QString& sql, const QVariantList& params, FillSteps& steps)
    : m_sql(sql), m_params(params), m_steps(steps)
{
    ForwardQuery keys(Db(), QStringLiteral("SELECT min(rowid), max(rowid) FROM ") + table);
    if (keys.next() && !keys.isNull(0)) {
        m_below = keys.integer(0) - 1;
        m_last = keys.integer(1);
    }
}

bool SlicedRows::next()
{
    for (;;) {
        if (m_query && m_query->next())
            return true;
        if (m_below >= m_last)
            return false;
        if (m_query)
            m_steps.between();
        const QVariantList slice = m_params + QVariantList{m_below, m_below + Slice};
        if (m_query)
            m_query->restart(slice);
        else
            m_query.emplace(Db(), m_sql, slice);
        m_below += Slice;
    }
}
