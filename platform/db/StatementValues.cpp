#include "platform/db/StatementValues.h"

#include "platform/AppError.h"
#include "platform/db/NativeStatement.h"

#include <QDate>
#include <sqlite3.h>

void bindValues(const NativeStatement& statement, const QVariantList& values)
{
    sqlite3_stmt* st = statement.get();
    sqlite3_reset(st);
    if (values.size() != sqlite3_bind_parameter_count(st))
        raiseError(Err::DbGeneral, QStringLiteral("Parameter count mismatch"));
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& v = values.at(i);
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(st, i + 1);
        } else {
            switch (v.typeId()) {
            case QMetaType::Bool:
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Char:
            case QMetaType::UChar: rc = sqlite3_bind_int64(st, i + 1, v.toLongLong()); break;
            case QMetaType::Double:
            case QMetaType::Float: rc = sqlite3_bind_double(st, i + 1, v.toDouble()); break;
            default: {
                const QString text = v.toString();
                const void* data =
                    text.isEmpty() ? static_cast<const void*>(u"") : static_cast<const void*>(text.utf16());
                rc = sqlite3_bind_text16(st, i + 1, data, static_cast<int>(text.size() * 2), SQLITE_TRANSIENT);
                break;
            }
            }
        }
        if (rc != SQLITE_OK)
            statement.fail();
    }
}

QVariant columnValue(const NativeStatement& statement, int column)
{
    sqlite3_stmt* st = statement.get();
    switch (sqlite3_column_type(st, column)) {
    case SQLITE_INTEGER: return QVariant(static_cast<qlonglong>(sqlite3_column_int64(st, column)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(st, column));
    case SQLITE_NULL: return QVariant();
    default: {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(st, column));
        return QString::fromUtf8(bytes, sqlite3_column_bytes(st, column));
    }
    }
}
