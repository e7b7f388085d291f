#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <memory>
#include <unordered_map>
#include <unordered_set>

class PreparedStatement;

// The open SQLite connection shared by a database object, the recordsets
// opened on it and its prepared statements (PreparedStatement.h). Closing the
// database leaves recordsets holding a closed connection, and their next use
// fails as "object invalid".
class Connection {
public:
    explicit Connection(QString name);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const QString& name() const { return m_name; }
    bool isOpen() const { return m_open; }
    void setOpen(bool open) { m_open = open; }

    // Throws "object invalid" (3420) once closed.
    QSqlDatabase database() const;
    // SQLite's own handle of the connection; "object invalid" once closed.
    struct sqlite3* handle() const;

    // Prepares and runs a statement through Qt's layer, for the recordsets;
    // every value goes in as a bound parameter.
    QSqlQuery run(const QString& sql, const QVariantList& params = {}) const;
    QSqlQuery runNamed(const QString& sql, const QVariantMap& params) const;
    // The same for a model that moves back and forth through the rows.
    QSqlQuery runScrollable(const QString& sql, const QVariantList& params) const;

    bool isTable(const QString& name) const;
    bool isView(const QString& name) const;

    // The statement of this text, prepared at its first run and kept for the
    // next; the least used goes once KeptMost are kept. "Object invalid" once
    // closed.
    PreparedStatement& kept(const QString& sql);
    static constexpr std::size_t KeptMost = 64;
    // Finalizes every statement prepared on the connection, kept or not, so
    // that it can close; a statement used afterwards is "object invalid".
    void finalizeStatements();
    // For PreparedStatement: each one prepared on the connection, while it lives.
    void enlist(PreparedStatement* statement) { m_statements.insert(statement); }
    void delist(PreparedStatement* statement) { m_statements.erase(statement); }

    // When the statement that waits for the file now began to wait.
    qint64 waitSince = 0;

private:
    QSqlQuery prepare(const QString& sql, bool forwardOnly = true) const;
    static void exec(QSqlQuery& query, const QVariantList& params);

    struct Kept {
        std::unique_ptr<PreparedStatement> statement;
        quint64 lastUse = 0;
    };

    QString m_name;
    bool m_open = false;
    std::unordered_map<QString, Kept> m_kept;
    quint64 m_uses = 0;
    std::unordered_set<PreparedStatement*> m_statements;
};

// Maps a driver failure, or SQLite's message, to the numbered failure the
// program's handlers know.
[[noreturn]] void raiseSqlError(const class QSqlError& error);
[[noreturn]] void raiseSqlError(const QString& text);
