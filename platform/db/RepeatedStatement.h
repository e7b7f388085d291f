#pragma once

#include "platform/db/PreparedStatement.h"

#include <QByteArrayView>
#include <QString>
#include <QVariantList>
#include <memory>

class Database;

// One statement prepared once and run for each set of values: a fill inserts
// every row of its work table through one of these, inside one transaction.
// Its statement is its own, and holds the connection.
class RepeatedStatement {
public:
    RepeatedStatement(Database& db, const QString& sql);

    // Binds the values to the '?' placeholders in order and runs the statement.
    void run(const QVariantList& values)
    {
        m_statement.bind(values);
        m_statement.run();
    }

    // The same for rows written by the hundred thousand: each placeholder
    // (from 0) is bound by type, then run() runs the statement. A text is not
    // copied: it must stay as it is until run() returns.
    void bindNull(int position) { m_statement.bindNull(position); }
    void bindInteger(int position, qint64 value) { m_statement.bindInteger(position, value); }
    void bindText(int position, const QString& text) { m_statement.bindText(position, text); }
    void bindText(int position, QByteArrayView utf8) { m_statement.bindText(position, utf8); }
    void run() { m_statement.run(); }

private:
    std::shared_ptr<Connection> m_connection;
    PreparedStatement m_statement;
};
