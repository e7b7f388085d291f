#include "platform/db/PreparedStatement.h"

#include "platform/AppError.h"
#include "platform/db/Connection.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <sqlite3.h>

namespace {

// Qt's driver binds these as Null when they hold no value.
bool heldNothing(const QVariant& v)
{
    if (v.isNull())
        return true;
    switch (v.typeId()) {
    case QMetaType::QString: return v.toString().isNull();
    case QMetaType::QByteArray: return v.toByteArray().isNull();
    case QMetaType::QDate: return v.toDate().isNull();
    case QMetaType::QTime: return v.toTime().isNull();
    case QMetaType::QDateTime: return v.toDateTime().isNull();
    default: return false;
    }
}

}

PreparedStatement::PreparedStatement(Connection& connection, const QString& sql) : m_connection(connection)
{
    m_db = m_connection.handle();
    const QByteArray text = sql.toUtf8();
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(m_db, text.constData(), static_cast<int>(text.size()), &m_statement, &tail) != SQLITE_OK)
        fail();
    // SQLite would leave the rest unread, without a word.
    if (tail && !QByteArrayView(tail, text.constData() + text.size() - tail).trimmed().isEmpty()) {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
        raiseError(Err::DbGeneral, QStringLiteral("Unable to execute multiple statements at a time"));
    }
    m_connection.enlist(this);
}

PreparedStatement::~PreparedStatement()
{
    m_connection.delist(this);
    sqlite3_finalize(m_statement);
}

void PreparedStatement::finalize()
{
    sqlite3_finalize(m_statement);
    m_statement = nullptr;
}

void PreparedStatement::check() const
{
    if (!m_connection.isOpen())
        raiseError(Err::ObjectInvalid);
}

void PreparedStatement::fail() const
{
    raiseSqlError(QString::fromUtf8(sqlite3_errmsg(m_db)));
}

void PreparedStatement::checkBound(int rc) const
{
    if (rc != SQLITE_OK)
        fail();
}

void PreparedStatement::bind(const QVariantList& values)
{
    check();
    sqlite3_reset(m_statement);
    if (values.size() != sqlite3_bind_parameter_count(m_statement))
        raiseError(Err::DbGeneral, QStringLiteral("Parameter count mismatch"));
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& v = values.at(i);
        if (heldNothing(v)) {
            bindNull(i);
            continue;
        }
        switch (v.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Char:
        case QMetaType::UChar: bindInteger(i, v.toLongLong()); break;
        case QMetaType::Double:
        case QMetaType::Float: checkBound(sqlite3_bind_double(m_statement, i + 1, v.toDouble())); break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = v.toByteArray();
            checkBound(sqlite3_bind_blob(m_statement, i + 1, bytes.constData(), static_cast<int>(bytes.size()),
                                         SQLITE_TRANSIENT));
            break;
        }
        default: {
            const QString text = v.toString();
            const void* data = text.isEmpty() ? static_cast<const void*>(u"") : static_cast<const void*>(text.utf16());
            checkBound(
                sqlite3_bind_text16(m_statement, i + 1, data, static_cast<int>(text.size() * 2), SQLITE_TRANSIENT));
            break;
        }
        }
    }
}

void PreparedStatement::bindNull(int position)
{
    checkBound(sqlite3_bind_null(m_statement, position + 1));
}

void PreparedStatement::bindInteger(int position, qint64 value)
{
    checkBound(sqlite3_bind_int64(m_statement, position + 1, value));
}

void PreparedStatement::bindText(int position, const QString& text)
{
    // An empty text is stored as such, not as Null.
    const void* data = text.isEmpty() ? static_cast<const void*>(u"") : static_cast<const void*>(text.utf16());
    checkBound(sqlite3_bind_text16(m_statement, position + 1, data, static_cast<int>(text.size() * 2), SQLITE_STATIC));
}

void PreparedStatement::bindText(int position, QByteArrayView utf8)
{
    const char* data = utf8.isEmpty() ? "" : utf8.data();
    checkBound(sqlite3_bind_text(m_statement, position + 1, data, static_cast<int>(utf8.size()), SQLITE_STATIC));
}

bool PreparedStatement::step()
{
    check();
    // A text of nothing but blanks or comments prepares to no statement at all.
    if (!m_statement)
        return false;
    switch (sqlite3_step(m_statement)) {
    case SQLITE_ROW: return true;
    case SQLITE_DONE: return false;
    default: {
        const QString text = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_reset(m_statement);
        raiseSqlError(text);
    }
    }
}

void PreparedStatement::run()
{
    while (step()) {
    }
    sqlite3_reset(m_statement);
}

void PreparedStatement::reset()
{
    sqlite3_reset(m_statement);
}

int PreparedStatement::columnCount() const
{
    return sqlite3_column_count(m_statement);
}

QVariant PreparedStatement::value(int column) const
{
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_INTEGER: return QVariant(static_cast<qlonglong>(sqlite3_column_int64(m_statement, column)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(m_statement, column));
    case SQLITE_NULL: return QVariant();
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
        return QByteArray(data, sqlite3_column_bytes(m_statement, column));
    }
    default: return text(column);
    }
}

QVariantList PreparedStatement::row() const
{
    QVariantList values;
    const int columns = columnCount();
    values.reserve(columns);
    for (int i = 0; i < columns; ++i)
        values.append(value(i));
    return values;
}

bool PreparedStatement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

qint64 PreparedStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

QString PreparedStatement::text(int column) const
{
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return bytes ? QString::fromUtf8(bytes, sqlite3_column_bytes(m_statement, column)) : QString();
}

QByteArrayView PreparedStatement::bytes(int column) const
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return data ? QByteArrayView(data, sqlite3_column_bytes(m_statement, column)) : QByteArrayView();
}

int PreparedStatement::changes() const
{
    return sqlite3_changes(m_db);
}

qint64 PreparedStatement::lastRowId() const
{
    return sqlite3_last_insert_rowid(m_db);
}
