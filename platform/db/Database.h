#pragma once

#include "platform/db/Recordset.h"
#include "platform/db/SchemaItem.h"

#include <QString>
#include <QVariantList>
#include <QVariantMap>
#include <memory>
#include <optional>

class Connection;
class PreparedStatement;
class QSqlQuery;

// The program database: one SQLite file. Opening an existing file adds what is
// missing of the schema and never drops or rewrites anything.
class Database {
public:
    // Fails with 3024 when the file does not exist, 3051 when it is no database.
    // A table the file lacks is added with its `firstRows` (rows named by table).
    static std::unique_ptr<Database> open(const QString& path, const Schema& schema, const Schema& firstRows = {});
    // Lays down a new file, readable by its owner only (its journals follow
    // the file's mode); fails with 3051 when one is already there.
    static std::unique_ptr<Database> create(const QString& path, const Schema& schema, const Schema& firstRows = {});
    // Opens the file for this connection alone, until it closes: no other
    // connection reads or writes it meanwhile, and a writer that waited for it
    // is refused once the file was replaced. Fails with "locked" (3260) while
    // another connection has it open. The file leaves write-ahead logging (the
    // next ordinary open takes it up again), so nothing of it lives beside it.
    static std::unique_ptr<Database> openExclusive(const QString& path);
    // The verdict of SQLite's integrity check of a file, "ok" when sound; the
    // file is only read.
    static QString integrityCheck(const QString& path);
    // A database in memory alone, gone when it closes.
    static std::unique_ptr<Database> createInMemory();

    // Writes a compacted copy into `target`, a new file readable by its owner
    // only; on a failure nothing of it is left.
    void compactInto(const QString& target);
    // Removes a database file with the journals SQLite writes beside it;
    // false when one of them stays.
    static bool removeFiles(const QString& path);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return m_path; }
    bool isOpen() const;
    void close();

    Recordset openTable(const QString& table, RecordsetType type = RecordsetType::Dynaset);
    // The rows of any statement, copied at open and read only.
    Recordset openSql(const QString& sql, const QVariantList& params = {});
    // A view, or a stored query whose :prmDate / :prmNum placeholders are bound.
    Recordset openQuery(const QString& name, const QVariantMap& params = {});

    // The statements beside the recordsets, each prepared at its first run and
    // kept by the connection for the next (PreparedStatement.h says what fails);
    // values are bound to the '?' placeholders in order.
    // Runs one statement to its end; returns the number of rows it changed.
    int execute(const QString& sql, const QVariantList& params = {});
    // Runs an INSERT of one row; returns the number of the row it added.
    qint64 insert(const QString& sql, const QVariantList& params = {});
    // The first row of a query, or nothing when it returns no row.
    std::optional<QVariantList> firstRow(const QString& sql, const QVariantList& params = {});
    // The rows of a query for a grid's model, which takes Qt's own query and
    // moves back and forth through it: prepared, its values bound and run,
    // a failure raised as its number.
    QSqlQuery queryForModel(const QString& sql, const QVariantList& params = {});

    void beginTransaction();
    void commit();
    void rollback();
    // Whether a transaction is open on this connection (one that a window
    // began and has not ended yet, for one).
    bool inTransaction() const;

    // How long a statement waits for a file another connection holds before
    // it fails with "locked" (3260): the windows' work waits this long.
    static constexpr int UsualWaitMs = 3000;
    // Whether a connection of this process waits for the file now, on another
    // thread than the caller's (the receive tick, a window storing a change):
    // long work writing beside the window lets it have the file between two
    // of its transactions (YieldingTransaction, the cut down).
    static bool anotherWriterWaits();
    // Between two transactions of such work: returns at once unless another
    // writer waits; then once it has the file and no writer waits, or after
    // `mostMs`.
    static void letAnotherWriterIn(int mostMs);
    // While it lives, statements on the database wait at most `ms` for such a
    // file: for work that must not hold the window up, and would rather come
    // back later.
    class ShortWait {
    public:
        ShortWait(Database& db, int ms);
        ~ShortWait();
        ShortWait(const ShortWait&) = delete;
        ShortWait& operator=(const ShortWait&) = delete;

    private:
        static int busy(void* wait, int count);

        std::shared_ptr<Connection> m_connection;
        int m_ms = 0;
        qint64 m_since = 0;
    };

    // Adds what the file lacks of the schema, and to each table it adds the
    // rows of `firstRows` that name it; one transaction.
    void ensureSchema(const Schema& schema, const Schema& firstRows = {});

    // The open connection, for readers and statements that outlive one call
    // (ForwardQuery, RepeatedStatement).
    const std::shared_ptr<Connection>& connection() const { return m_connection; }

private:
    Database(QString path, std::shared_ptr<Connection> connection);
    static std::unique_ptr<Database> connect(const QString& path, const Schema& schema, const Schema& firstRows = {});
    static std::unique_ptr<Database> connectPlain(const QString& path, const QString& options);
    PreparedStatement& kept(const QString& sql, const QVariantList& params);

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
