#pragma once

#include "platform/db/Recordset.h"
#include "platform/db/SchemaItem.h"

#include <QString>
#include <QVariantList>
#include <QVariantMap>
#include <memory>

class Connection;

// The program database: one SQLite file. Opening an existing file adds what is
// missing of the schema and never drops or rewrites anything.
class Database {
public:
    // Fails with 3024 when the file does not exist, 3051 when it is no database.
    static std::unique_ptr<Database> open(const QString& path, const Schema& schema);
    // Lays down a new file; fails with 3051 when one is already there.
    static std::unique_ptr<Database> create(const QString& path, const Schema& schema);
    // Copies a database file into a new, compacted one (the target must not exist).
    static void compactFile(const QString& source, const QString& target);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return m_path; }
    bool isOpen() const;
    void close();

    Recordset openTable(const QString& table, RecordsetType type = RecordsetType::Dynaset);
    // A dynaset that only adds rows: nothing is read at open.
    Recordset openTableForAppend(const QString& table);
    // A dynaset over a plain SELECT of one table is updatable; anything else reads only.
    Recordset openSql(const QString& sql, const QVariantList& params = {},
                      RecordsetType type = RecordsetType::Dynaset);
    // A view, or a stored query whose :prmDate / :prmNum placeholders are bound.
    Recordset openQuery(const QString& name, const QVariantMap& params = {});

    // Runs one statement; returns the number of rows it changed.
    int execute(const QString& sql, const QVariantList& params = {});

    void beginTransaction();
    void commit();
    void rollback();

    void ensureSchema(const Schema& schema);

    // The open connection, for readers and statements that outlive one call
    // (ForwardQuery, RepeatedStatement).
    const std::shared_ptr<Connection>& connection() const { return m_connection; }

private:
    Database(QString path, std::shared_ptr<Connection> connection);
    static std::unique_ptr<Database> connect(const QString& path, const Schema& schema);

    QString m_path;
    std::shared_ptr<Connection> m_connection;
};

// Rolls back unless committed.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& m_db;
    bool m_done = false;
};
