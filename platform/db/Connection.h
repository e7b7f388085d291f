#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

// The open SQLite connection shared by a database object and the recordsets
// opened on it. Closing the database leaves recordsets holding a closed
// connection, and their next use fails as "object invalid".
class Connection {
public:
    explicit Connection(QString name) : m_name(std::move(name)) {}

    const QString& name() const { return m_name; }
    bool isOpen() const { return m_open; }
    void setOpen(bool open) { m_open = open; }

    // Throws "object invalid" (3420) once closed.
    QSqlDatabase database() const;
    // SQLite's own handle of the connection; "object invalid" once closed.
    struct sqlite3* handle() const;

    // Prepares and runs a statement; every value goes in as a bound parameter.
    QSqlQuery run(const QString& sql, const QVariantList& params = {}) const;
    QSqlQuery runNamed(const QString& sql, const QVariantMap& params) const;

    bool isTable(const QString& name) const;
    bool isView(const QString& name) const;

    // A statement prepared once and kept for the next runs, with its values
    // bound; run and reset by the caller. Kept statements go when the
    // connection closes.
    QSqlQuery& kept(const QString& sql, const QVariantList& params);
    void dropKept() { m_kept.clear(); }

    // When the statement that waits for the file now began to wait.
    qint64 waitSince = 0;

private:
    QSqlQuery prepare(const QString& sql) const;
    static void exec(QSqlQuery& query);

    QString m_name;
    bool m_open = false;
    QHash<QString, QSqlQuery> m_kept;
};

// Maps a driver failure to the numbered failure the program's handlers know.
[[noreturn]] void raiseSqlError(const class QSqlError& error);
