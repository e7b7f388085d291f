#pragma once

#include "platform/db/FieldValue.h"

#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <memory>

class Connection;
class Database;

// The rows of one statement read once, front to back, none kept: how a fill
// walks a large part of the event log. Values are bound, never written into
// the text.
class ForwardQuery {
public:
    ForwardQuery(Database& db, const QString& sql, const QVariantList& params = {});

    // Moves to the next row; false after the last.
    bool next();
    FieldValue field(int column) const { return FieldValue(m_query.value(column)); }
    QVariant value(int column) const { return m_query.value(column); }
    int columnCount() const;

private:
    std::shared_ptr<Connection> m_connection;
    QSqlQuery m_query;
};
