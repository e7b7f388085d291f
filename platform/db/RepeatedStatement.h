#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <memory>

class Connection;
class Database;

// One statement prepared once and run for each set of values: a fill inserts
// every row of its work table through one of these, inside one transaction.
class RepeatedStatement {
public:
    RepeatedStatement(Database& db, const QString& sql);

    // Binds the values to the '?' placeholders in order and runs the statement.
    void run(const QVariantList& values);

private:
    std::shared_ptr<Connection> m_connection;
    QSqlQuery m_query;
};
