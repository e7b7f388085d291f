#pragma once

#include "platform/db/FieldValue.h"
#include "platform/db/NativeStatement.h"

#include <QByteArrayView>
#include <QString>
#include <QVariantList>

class Database;

// The rows of one statement read once, front to back, none kept: how a fill
// walks a large part of the event log. Values are bound, never written into
// the text.
class ForwardQuery {
public:
    ForwardQuery(Database& db, const QString& sql, const QVariantList& params = {});

    // Runs the statement again from its first row, with these values.
    void restart(const QVariantList& params);

    // Moves to the next row; false after the last.
    bool next();
    int columnCount() const;

    // A column of the current row: as a stored value, or quickly as a number or text.
    QVariant value(int column) const;
    FieldValue field(int column) const { return FieldValue(value(column)); }
    bool isNull(int column) const;
    qint64 integer(int column) const;
    QString text(int column) const;
    // The text's UTF-8 bytes, valid until the next move.
    QByteArrayView bytes(int column) const;

private:
    NativeStatement m_statement;
};
