#include "platform/db/RepeatedStatement.h"

#include "platform/db/Database.h"
#include "platform/db/StatementValues.h"

#include <sqlite3.h>

RepeatedStatement::RepeatedStatement(Database& db, const QString& sql) : m_statement(db.connection(), sql) {}

void RepeatedStatement::run(const QVariantList& values)
{
    bindValues(m_statement, values);
    run();
}

void RepeatedStatement::bindNull(int position)
{
    if (sqlite3_bind_null(m_statement.get(), position + 1) != SQLITE_OK)
        m_statement.fail();
}

void RepeatedStatement::bindInteger(int position, qint64 value)
{
    if (sqlite3_bind_int64(m_statement.get(), position + 1, value) != SQLITE_OK)
        m_statement.fail();
}

void RepeatedStatement::bindText(int position, const QString& text)
{
    // An empty text is stored as such, not as Null.
    const void* data = text.isEmpty() ? static_cast<const void*>(u"") : static_cast<const void*>(text.utf16());
    if (sqlite3_bind_text16(m_statement.get(), position + 1, data, static_cast<int>(text.size() * 2), SQLITE_STATIC) !=
        SQLITE_OK)
        m_statement.fail();
}

void RepeatedStatement::bindText(int position, QByteArrayView utf8)
{
    const char* data = utf8.isEmpty() ? "" : utf8.data();
    if (sqlite3_bind_text(m_statement.get(), position + 1, data, static_cast<int>(utf8.size()), SQLITE_STATIC) !=
        SQLITE_OK)
        m_statement.fail();
}

void RepeatedStatement::run()
{
    m_statement.check();
    const int rc = sqlite3_step(m_statement.get());
    sqlite3_reset(m_statement.get());
    if (rc != SQLITE_DONE)
        m_statement.fail();
}
