#include "platform/db/ForwardQuery.h"

#include "platform/db/Database.h"
#include "platform/db/StatementValues.h"

#include <sqlite3.h>

ForwardQuery::ForwardQuery(Database& db, const QString& sql, const QVariantList& params)
    : m_statement(db.connection(), sql)
{
    bindValues(m_statement, params);
}

void ForwardQuery::restart(const QVariantList& params)
{
    m_statement.check();
    bindValues(m_statement, params);
}

bool ForwardQuery::next()
{
    m_statement.check();
    switch (sqlite3_step(m_statement.get())) {
    case SQLITE_ROW: return true;
    case SQLITE_DONE: return false;
    default: m_statement.fail();
    }
}

int ForwardQuery::columnCount() const
{
    return sqlite3_column_count(m_statement.get());
}

QVariant ForwardQuery::value(int column) const
{
    return columnValue(m_statement, column);
}

bool ForwardQuery::isNull(int column) const
{
    return sqlite3_column_type(m_statement.get(), column) == SQLITE_NULL;
}

qint64 ForwardQuery::integer(int column) const
{
    return sqlite3_column_int64(m_statement.get(), column);
}

QString ForwardQuery::text(int column) const
{
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(m_statement.get(), column));
    return bytes ? QString::fromUtf8(bytes, sqlite3_column_bytes(m_statement.get(), column)) : QString();
}

QByteArrayView ForwardQuery::bytes(int column) const
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_statement.get(), column));
    return data ? QByteArrayView(data, sqlite3_column_bytes(m_statement.get(), column)) : QByteArrayView();
}
