#pragma once

#include "platform/db/NativeStatement.h"

#include <QByteArrayView>
#include <QString>
#include <QVariantList>

class Database;

// One statement prepared once and run for each set of values: a fill inserts
// every row of its work table through one of these, inside one transaction.
class RepeatedStatement {
public:
    RepeatedStatement(Database& db, const QString& sql);

    // Binds the values to the '?' placeholders in order and runs the statement.
    void run(const QVariantList& values);

    // The same for rows written by the hundred thousand: each placeholder
    // (from 0) is bound by type, then run() runs the statement. A text is not
    // copied: it must stay as it is until run() returns.
    void bindNull(int position);
    void bindInteger(int position, qint64 value);
    void bindText(int position, const QString& text);
    void bindText(int position, QByteArrayView utf8);
    void run();

private:
    NativeStatement m_statement;
};
