#include "platform/db/RepeatedStatement.h"

#include "platform/db/Database.h"

RepeatedStatement::RepeatedStatement(Database& db, const QString& sql)
    : m_connection(db.connection()), m_statement(*m_connection, sql)
{
}
