#include "platform/db/RepeatedStatement.h"

#include "platform/AppError.h"
#include "platform/db/Connection.h"
#include "platform/db/Database.h"

#include <QSqlError>

RepeatedStatement::RepeatedStatement(Database& db, const QString& sql)
    : m_connection(db.connection()), m_query(m_connection ? m_connection->database() : QSqlDatabase())
{
    if (!m_connection)
        raiseError(Err::ObjectInvalid);
    if (!m_query.prepare(sql))
        raiseSqlError(m_query.lastError());
}

void RepeatedStatement::run(const QVariantList& values)
{
    if (!m_connection->isOpen())
        raiseError(Err::ObjectInvalid);
    for (qsizetype i = 0; i < values.size(); ++i)
        m_query.bindValue(static_cast<int>(i), values.at(i));
    if (!m_query.exec())
        raiseSqlError(m_query.lastError());
}
