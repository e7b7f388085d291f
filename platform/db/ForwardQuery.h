#pragma once

#include "platform/db/FieldValue.h"
#include "platform/db/PreparedStatement.h"

#include <QByteArrayView>
#include <QString>
#include <QVariantList>
#include <memory>

class Database;

// The rows of one statement read once, front to back, none kept: how a fill
// walks a large part of the event log. Values are bound, never written into
// the text. Its statement is its own, and holds the connection.
class ForwardQuery {
public:
    ForwardQuery(Database& db, const QString& sql, const QVariantList& params = {});

    // Runs the statement again from its first row, with these values.
    void restart(const QVariantList& params) { m_statement.bind(params); }

    // Moves to the next row; false after the last.
    bool next() { return m_statement.step(); }
    int columnCount() const { return m_statement.columnCount(); }

    // A column of the current row: as a stored value, or quickly as a number or text.
    QVariant value(int column) const { return m_statement.value(column); }
    FieldValue field(int column) const { return FieldValue(value(column)); }
    bool isNull(int column) const { return m_statement.isNull(column); }
    qint64 integer(int column) const { return m_statement.integer(column); }
    QString text(int column) const { return m_statement.text(column); }
    // The text's UTF-8 bytes, valid until the next move.
    QByteArrayView bytes(int column) const { return m_statement.bytes(column); }

private:
    std::shared_ptr<Connection> m_connection;
    PreparedStatement m_statement;
};
