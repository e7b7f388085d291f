#include "platform/db/Connection.h"

#include "platform/AppError.h"
#include "platform/db/PreparedStatement.h"

#include <QSqlDriver>
#include <QSqlError>
#include <sqlite3.h>

Connection::Connection(QString name) : m_name(std::move(name)) {}

Connection::~Connection()
{
    finalizeStatements();
}

QSqlDatabase Connection::database() const
{
    if (!m_open)
        raiseError(Err::ObjectInvalid);
    return QSqlDatabase::database(m_name, false);
}

sqlite3* Connection::handle() const
{
    const QVariant handle = database().driver()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0 || !handle.constData())
        raiseError(Err::ObjectInvalid);
    sqlite3* db = *static_cast<sqlite3* const*>(handle.constData());
    if (!db)
        raiseError(Err::ObjectInvalid);
    return db;
}

QSqlQuery Connection::prepare(const QString& sql, bool forwardOnly) const
{
    QSqlQuery query(database());
    query.setForwardOnly(forwardOnly);
    if (!query.prepare(sql))
        raiseSqlError(query.lastError());
    return query;
}

void Connection::exec(QSqlQuery& query, const QVariantList& params)
{
    for (qsizetype i = 0; i < params.size(); ++i)
        query.bindValue(static_cast<int>(i), params.at(i));
    if (!query.exec())
        raiseSqlError(query.lastError());
}

QSqlQuery Connection::run(const QString& sql, const QVariantList& params) const
{
    QSqlQuery query = prepare(sql);
    exec(query, params);
    return query;
}

QSqlQuery Connection::runScrollable(const QString& sql, const QVariantList& params) const
{
    QSqlQuery query = prepare(sql, false);
    exec(query, params);
    return query;
}

PreparedStatement& Connection::kept(const QString& sql)
{
    if (!m_open)
        raiseError(Err::ObjectInvalid);
    const quint64 use = ++m_uses;
    auto it = m_kept.find(sql);
    if (it == m_kept.end()) {
        auto statement = std::make_unique<PreparedStatement>(*this, sql);
        if (m_kept.size() >= KeptMost) {
            // A text made anew for each run (a number written into it) must not
            // crowd out the ones run again and again.
            auto least = m_kept.begin();
            for (auto k = m_kept.begin(); k != m_kept.end(); ++k) {
                if (k->second.lastUse < least->second.lastUse)
                    least = k;
            }
            m_kept.erase(least);
        }
        it = m_kept.emplace(sql, Kept{std::move(statement), use}).first;
    }
    it->second.lastUse = use;
    return *it->second.statement;
}

void Connection::finalizeStatements()
{
    m_kept.clear();
    for (PreparedStatement* statement : m_statements)
        statement->finalize();
}

QSqlQuery Connection::runNamed(const QString& sql, const QVariantMap& params) const
{
    QSqlQuery query = prepare(sql);
    for (auto it = params.cbegin(); it != params.cend(); ++it) {
        const QString placeholder = QLatin1Char(':') + it.key();
        if (sql.contains(placeholder))
            query.bindValue(placeholder, it.value());
    }
    exec(query, {});
    return query;
}

bool Connection::isTable(const QString& name) const
{
    QSqlQuery q =
        run(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"), {name});
    return q.next();
}

bool Connection::isView(const QString& name) const
{
    QSqlQuery q =
        run(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'view' AND name = ? COLLATE NOCASE"), {name});
    return q.next();
}

void raiseSqlError(const QSqlError& error)
{
    raiseSqlError(error.databaseText().isEmpty() ? error.driverText() : error.databaseText());
}

void raiseSqlError(const QString& text)
{
    const auto has = [&](const char* words) { return text.contains(QLatin1String(words), Qt::CaseInsensitive); };
    if (has("UNIQUE constraint failed"))
        raiseError(Err::DuplicateKey);
    if (has("NOT NULL constraint failed"))
        raiseError(Err::NullNotAllowed, standardErrorText(Err::NullNotAllowed) + QLatin1Char(' ') + text);
    if (has("no such table"))
        raiseError(Err::NoSuchTable, standardErrorText(Err::NoSuchTable) + QLatin1Char(' ') + text);
    if (has("database is locked") || has("database table is locked"))
        raiseError(Err::Locked);
    if (has("syntax error") || has("no such column") || has("unrecognized token"))
        raiseError(Err::SyntaxError, standardErrorText(Err::SyntaxError) + QLatin1Char(' ') + text);
    if (has("not a database") || has("unable to open"))
        raiseError(Err::CannotOpenDb, standardErrorText(Err::CannotOpenDb) + QLatin1Char(' ') + text);
    raiseError(Err::DbGeneral, text.isEmpty() ? QStringLiteral("Database failure") : text);
}
