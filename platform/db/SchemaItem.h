#pragma once

#include <QList>
#include <QString>

// One piece of the database layout. For Database::ensureSchema, statements are
// written so that running them on a file that already has the piece changes
// nothing (IF NOT EXISTS) and saved queries are stored once and never
// rewritten; in a numbered step (SchemaUpgrade.h) each runs once.
// A row a new table starts with names its table (SchemaItem::firstRows).
struct SchemaItem {
    enum class Kind { Statement, SavedQuery };

    Kind kind = Kind::Statement;
    QString name;
    QString sql;

    static SchemaItem statement(QString sql) { return {Kind::Statement, {}, std::move(sql)}; }
    static SchemaItem firstRows(QString table, QString sql)
    {
        return {Kind::Statement, std::move(table), std::move(sql)};
    }
    // A query with :prmDate or :prmNum placeholders, bound when it is opened.
    static SchemaItem savedQuery(QString name, QString sql)
    {
        return {Kind::SavedQuery, std::move(name), std::move(sql)};
    }
};

using Schema = QList<SchemaItem>;
