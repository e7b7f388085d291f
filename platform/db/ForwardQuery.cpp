#include "platform/db/ForwardQuery.h"

#include "platform/db/Database.h"

ForwardQuery::ForwardQuery(Database& db, const QString& sql, const QVariantList& params)
    : m_connection(db.connection()), m_statement(*m_connection, sql)
{
    m_statement.bind(params);
}
