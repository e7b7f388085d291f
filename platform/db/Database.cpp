#include "platform/db/Database.h"

#include "platform/AppError.h"
#include "platform/DurableFile.h"
#include "platform/Log.h"
#include "platform/db/PreparedStatement.h"
#include "platform/db/RecordsetImpl.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <sqlite3.h>

namespace {

const QString savedQueriesTable = QStringLiteral("SavedQueries");

qint64 steadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The connection of this process that waited for the file last: when its
// wait last looked again, and its thread. A wait looks again at least every
// few milliseconds, so a writer that waits is seen waiting.
std::atomic<qint64> lastWaitMs{-1000000};
std::atomic<Qt::HANDLE> lastWaiter{nullptr};
constexpr int SeenWaitingMs = 10;

// A statement waits for a file another connection holds at most `ms`, from
// `since` on, looking again in steps of up to 5 ms.
int waitForTheFile(int ms, qint64& since, int count)
{
    const qint64 now = steadyMs();
    if (count == 0)
        since = now;
    lastWaitMs.store(now);
    lastWaiter.store(QThread::currentThreadId());
    const qint64 left = ms - (now - since);
    if (left <= 0)
        return 0;
    sqlite3_sleep(static_cast<int>(std::min<qint64>(std::min(count + 1, 5), left)));
    return 1;
}

int usualWait(void* connection, int count)
{
    return waitForTheFile(Database::UsualWaitMs, static_cast<Connection*>(connection)->waitSince, count);
}

void waitAsUsual(Connection& connection)
{
    sqlite3_busy_handler(connection.handle(), &usualWait, &connection);
}

QString newConnectionName()
{
    // Threads beside the window's open connections of their own.
    static std::atomic<int> counter{0};
    return QStringLiteral("gt430-db-%1").arg(++counter);
}

QStringList tableColumns(const Connection& c, const QString& table)
{
    QStringList names;
    QSqlQuery q = c.run(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
    while (q.next())
        names << q.value(0).toString();
    return names;
}

void readAll(Recordset::Impl& d, QSqlQuery& q)
{
    const QSqlRecord record = q.record();
    for (int i = 0; i < record.count(); ++i)
        d.columns << record.fieldName(i);
    while (q.next()) {
        Recordset::Impl::Row row;
        row.values.reserve(record.count());
        for (int i = 0; i < record.count(); ++i)
            row.values << q.value(i);
        row.loaded = true;
        d.rows << row;
    }
    d.start();
}

}

Database::Database(QString path, std::shared_ptr<Connection> connection)
    : m_path(std::move(path)), m_connection(std::move(connection))
{
}

Database::~Database()
{
    close();
}

std::unique_ptr<Database> Database::connectPlain(const QString& path, const QString& options)
{
    auto connection = std::make_shared<Connection>(newConnectionName());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection->name());
        db.setDatabaseName(path);
        db.setConnectOptions(options);
        if (!db.open()) {
            const QString text = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(connection->name());
            raiseError(Err::CannotOpenDb, standardErrorText(Err::CannotOpenDb) + QLatin1Char(' ') + text);
        }
    }
    connection->setOpen(true);
    std::unique_ptr<Database> database(new Database(path, connection));
    // The first read tells a database from any other file.
    database->execute(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    return database;
}

std::unique_ptr<Database> Database::connect(const QString& path, const Schema& schema, const Schema& firstRows)
{
    auto database = connectPlain(path, QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(UsualWaitMs));
    waitAsUsual(*database->connection());
    // A commit appends to the write-ahead log without waiting for the disk, so
    // the link can log every read as it comes; a power cut may lose the last
    // commits but never damages the file. Closing the last connection folds the
    // log back into the file and removes it, so the file can be copied, compacted
    // and renamed on its own.
    // A file system that cannot share the log's index between connections
    // keeps the rollback journal instead.
    try {
        database->execute(QStringLiteral("PRAGMA journal_mode=WAL"));
    } catch (const AppError& error) {
        if (error.number() == Err::Locked)
            throw;
        qCWarning(lcGt430) << "The database" << path << "keeps its rollback journal:" << error.description();
    }
    database->execute(QStringLiteral("PRAGMA synchronous=NORMAL"));
    // Reads of the file go through a memory map rather than copies into the page cache.
    database->execute(QStringLiteral("PRAGMA mmap_size=268435456"));
    if (!schema.isEmpty())
        database->ensureSchema(schema, firstRows);
    return database;
}

std::unique_ptr<Database> Database::open(const QString& path, const Schema& schema, const Schema& firstRows)
{
    const QFileInfo file(path);
    if (!file.isFile())
        raiseError(Err::DbFileNotFound, QStringLiteral("Could not find file '%1'.").arg(path));
    // Every commit writes the file and its journal beside it.
    if (!file.isWritable() || !QFileInfo(file.absolutePath()).isWritable())
        raiseError(Err::ReadOnly, QStringLiteral("The database %1 cannot be written: the file and its folder must "
                                                 "be writable.")
                                      .arg(QDir::toNativeSeparators(path)));
    return connect(path, schema, firstRows);
}

std::unique_ptr<Database> Database::create(const QString& path, const Schema& schema, const Schema& firstRows)
{
    if (QFileInfo::exists(path))
        raiseError(Err::CannotOpenDb, QStringLiteral("The file '%1' already exists.").arg(path));
    // SQLite takes an empty file for a new database, and gives its journals the file's mode.
    DurableFile::createPrivate(path);
    try {
        return connect(path, schema, firstRows);
    } catch (const AppError&) {
        QFile::remove(path);
        throw;
    }
}

std::unique_ptr<Database> Database::openExclusive(const QString& path)
{
    if (!QFileInfo(path).isFile())
        raiseError(Err::DbFileNotFound, QStringLiteral("Could not find file '%1'.").arg(path));
    // A writer that is busy gets a moment to finish; one that merely has the file open never lets go.
    auto database = connectPlain(path, QStringLiteral("QSQLITE_BUSY_TIMEOUT=250"));
    auto journalMode = [&](const char* mode) {
        return database->openSql(QStringLiteral("PRAGMA journal_mode") + QLatin1String(mode)).field(0).textOrEmpty();
    };
    try {
        // Leaving write-ahead logging needs the file alone. From then on a writer
        // that still has the old file open is refused once the file was moved.
        journalMode("=DELETE");
        // This connection writes nothing: with its journal in memory no journal
        // file stands beside the path that the replacing file takes over.
        journalMode("=MEMORY");
        database->execute(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE"));
        database->execute(QStringLiteral("BEGIN EXCLUSIVE"));
        database->execute(QStringLiteral("COMMIT"));
        // A writer that took up write-ahead logging again in between still has the file.
        if (journalMode("") != QLatin1String("memory"))
            raiseError(Err::Locked);
    } catch (const AppError& error) {
        if (error.number() != Err::Locked)
            throw;
        raiseError(Err::Locked, QStringLiteral("The database is still in use: %1").arg(path));
    }
    return database;
}

QString Database::integrityCheck(const QString& path)
{
    auto database = connectPlain(path, QStringLiteral("QSQLITE_OPEN_READONLY"));
    // Mapped into memory the check reads the file in less than half the time.
    database->execute(QStringLiteral("PRAGMA mmap_size=%1").arg(QFileInfo(path).size()));
    return database->openSql(QStringLiteral("PRAGMA integrity_check")).field(0).textOrEmpty();
}

std::unique_ptr<Database> Database::createInMemory()
{
    return connectPlain(QStringLiteral(":memory:"), {});
}

void Database::compactInto(const QString& target)
{
    DurableFile::createPrivate(target);
    try {
        execute(QStringLiteral("VACUUM INTO ?"), {target});
    } catch (const AppError&) {
        removeFiles(target);
        throw;
    }
}

bool Database::removeFiles(const QString& path)
{
    bool removed = true;
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
        const QString file = path + QLatin1String(suffix);
        if (QFileInfo::exists(file) && !QFile::remove(file))
            removed = false;
    }
    return removed;
}

bool Database::isOpen() const
{
    return m_connection && m_connection->isOpen();
}

void Database::close()
{
    if (!isOpen())
        return;
    m_connection->finalizeStatements();
    m_connection->setOpen(false);
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection->name(), false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection->name());
}

Recordset Database::openTable(const QString& table, RecordsetType type)
{
    const Connection& c = *m_connection;
    if (!c.isTable(table)) {
        if (c.isView(table))
            return openSql(QStringLiteral("SELECT * FROM ") + quoteIdentifier(table));
        raiseError(Err::NoSuchTable, QStringLiteral("The database cannot find the table '%1'.").arg(table));
    }
    auto d = std::make_unique<Recordset::Impl>();
    d->connection = m_connection;
    d->table = table;
    if (type == RecordsetType::Snapshot) {
        QSqlQuery q = c.run(QStringLiteral("SELECT * FROM ") + quoteIdentifier(table));
        readAll(*d, q);
        return Recordset(std::move(d));
    }
    d->updatable = true;
    d->columns = tableColumns(c, table);
    QSqlQuery q = c.run(QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid").arg(quoteIdentifier(table)));
    while (q.next()) {
        Recordset::Impl::Row row;
        row.rowid = q.value(0).toLongLong();
        d->rows << row;
    }
    d->start();
    return Recordset(std::move(d));
}

Recordset Database::openSql(const QString& sql, const QVariantList& params)
{
    auto d = std::make_unique<Recordset::Impl>();
    d->connection = m_connection;
    QSqlQuery q = m_connection->run(sql, params);
    readAll(*d, q);
    return Recordset(std::move(d));
}

Recordset Database::openQuery(const QString& name, const QVariantMap& params)
{
    const Connection& c = *m_connection;
    if (c.isView(name))
        return openSql(QStringLiteral("SELECT * FROM ") + quoteIdentifier(name));
    QString text;
    if (c.isTable(savedQueriesTable)) {
        QSqlQuery q = c.run(QStringLiteral("SELECT SqlText FROM SavedQueries WHERE Name = ? COLLATE NOCASE"), {name});
        if (q.next())
            text = q.value(0).toString();
    }
    if (text.isEmpty())
        raiseError(Err::NoSuchTable, QStringLiteral("The database cannot find the query '%1'.").arg(name));
    auto d = std::make_unique<Recordset::Impl>();
    d->connection = m_connection;
    QSqlQuery q = c.runNamed(text, params);
    readAll(*d, q);
    return Recordset(std::move(d));
}

PreparedStatement& Database::kept(const QString& sql, const QVariantList& params)
{
    PreparedStatement& statement = m_connection->kept(sql);
    statement.bind(params);
    return statement;
}

int Database::execute(const QString& sql, const QVariantList& params)
{
    PreparedStatement& statement = kept(sql, params);
    statement.run();
    return statement.changes();
}

qint64 Database::insert(const QString& sql, const QVariantList& params)
{
    PreparedStatement& statement = kept(sql, params);
    statement.run();
    return statement.lastRowId();
}

std::optional<QVariantList> Database::firstRow(const QString& sql, const QVariantList& params)
{
    PreparedStatement& statement = kept(sql, params);
    std::optional<QVariantList> row;
    if (statement.step())
        row = statement.row();
    statement.reset();
    return row;
}

QSqlQuery Database::queryForModel(const QString& sql, const QVariantList& params)
{
    return m_connection->runScrollable(sql, params);
}

void Database::beginTransaction()
{
    execute(QStringLiteral("BEGIN"));
}

void Database::commit()
{
    execute(QStringLiteral("COMMIT"));
}

void Database::rollback()
{
    PreparedStatement& statement = kept(QStringLiteral("ROLLBACK"), {});
    try {
        statement.run();
    } catch (const AppError&) {
        // Nothing was open any more: SQLite ends a transaction itself on some failures.
    }
}

bool Database::inTransaction() const
{
    return isOpen() && sqlite3_get_autocommit(m_connection->handle()) == 0;
}

Database::ShortWait::ShortWait(Database& db, int ms) : m_ms(ms)
{
    if (!db.isOpen())
        return;
    m_connection = db.connection();
    sqlite3_busy_handler(m_connection->handle(), &ShortWait::busy, this);
}

Database::ShortWait::~ShortWait()
{
    // The database may have closed meanwhile: a new connection starts with the usual wait.
    if (m_connection && m_connection->isOpen())
        waitAsUsual(*m_connection);
}

int Database::ShortWait::busy(void* wait, int count)
{
    auto* w = static_cast<ShortWait*>(wait);
    return waitForTheFile(w->m_ms, w->m_since, count);
}

bool Database::anotherWriterWaits()
{
    return steadyMs() - lastWaitMs.load() < SeenWaitingMs && lastWaiter.load() != QThread::currentThreadId();
}

void Database::letAnotherWriterIn(int mostMs)
{
    const qint64 until = steadyMs() + mostMs;
    while (anotherWriterWaits() && steadyMs() < until)
        QThread::msleep(1);
}

void Database::ensureSchema(const Schema& schema, const Schema& firstRows)
{
    Transaction t(*this);
    QList<const SchemaItem*> rowsOfNewTables;
    for (const SchemaItem& row : firstRows) {
        if (!m_connection->isTable(row.name))
            rowsOfNewTables << &row;
    }
    execute(QStringLiteral("CREATE TABLE IF NOT EXISTS SavedQueries (Name TEXT PRIMARY KEY COLLATE NOCASE, "
                           "SqlText TEXT NOT NULL)"));
    for (const SchemaItem& item : schema) {
        if (item.kind == SchemaItem::Kind::SavedQuery)
            execute(QStringLiteral("INSERT OR IGNORE INTO SavedQueries (Name, SqlText) VALUES (?, ?)"),
                    {item.name, item.sql});
        else
            execute(item.sql);
    }
    for (const SchemaItem* row : rowsOfNewTables)
        execute(row->sql);
    t.commit();
}

Transaction::Transaction(Database& db) : m_db(db)
{
    m_db.beginTransaction();
}

Transaction::~Transaction()
{
    if (!m_done && m_db.isOpen())
        m_db.rollback();
}

void Transaction::commit()
{
    m_db.commit();
    m_done = true;
}
