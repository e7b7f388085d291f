#include "platform/db/NativeStatement.h"

#include "platform/AppError.h"
#include "platform/db/Connection.h"

#include <QSqlError>
#include <sqlite3.h>

NativeStatement::NativeStatement(std::shared_ptr<Connection> connection, const QString& sql)
    : m_connection(std::move(connection))
{
    if (!m_connection)
        raiseError(Err::ObjectInvalid);
    m_db = m_connection->handle();
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, text.constData(), static_cast<int>(text.size()), &m_statement, nullptr) != SQLITE_OK)
        fail();
}

NativeStatement::~NativeStatement()
{
    sqlite3_finalize(m_statement);
    // A statement still prepared keeps the database's close from succeeding, and
    // the driver lets go of the handle all the same: the last one closes it.
    if (m_statement && !m_connection->isOpen())
        sqlite3_close(m_db);
}

void NativeStatement::fail() const
{
    raiseSqlError(QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(m_db)), QSqlError::StatementError));
}

void NativeStatement::check() const
{
    if (!m_connection->isOpen())
        raiseError(Err::ObjectInvalid);
}
