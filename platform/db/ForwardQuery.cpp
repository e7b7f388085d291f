#include "platform/db/ForwardQuery.h"

#include "platform/AppError.h"
#include "platform/db/Connection.h"
#include "platform/db/Database.h"

#include <QSqlRecord>

ForwardQuery::ForwardQuery(Database& db, const QString& sql, const QVariantList& params)
    : m_connection(db.connection())
{
    if (!m_connection)
        raiseError(Err::ObjectInvalid);
    m_query = m_connection->run(sql, params);
}

bool ForwardQuery::next()
{
    if (!m_connection->isOpen())
        raiseError(Err::ObjectInvalid);
    return m_query.next();
}

int ForwardQuery::columnCount() const
{
    return m_query.record().count();
}
