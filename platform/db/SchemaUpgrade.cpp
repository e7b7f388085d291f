#include "platform/db/SchemaUpgrade.h"

#include "platform/AppError.h"
#include "platform/Log.h"
#include "platform/db/Database.h"

#include <QSet>

int schemaVersion(Database& db)
{
    Recordset rs = db.openSql(QStringLiteral("PRAGMA user_version"));
    return rs.field(0).variant().toInt();
}

namespace {

bool hasTable(Database& db, const QString& name)
{
    return db.openSql(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?"), {name})
               .field(0)
               .variant()
               .toInt() > 0;
}

void runSteps(Database& db, const SchemaSteps& steps, const Schema& firstRows)
{
    if (steps.isEmpty())
        return;
    // Lays down the table of saved queries when the file has none yet.
    db.ensureSchema({});
    for (const SchemaStep& step : steps) {
        Transaction t(db);
        QList<const SchemaItem*> rowsOfNewTables;
        for (const SchemaItem& row : firstRows) {
            if (!hasTable(db, row.name))
                rowsOfNewTables << &row;
        }
        for (const SchemaItem& item : step.items) {
            if (item.kind == SchemaItem::Kind::SavedQuery)
                db.execute(QStringLiteral("INSERT OR REPLACE INTO SavedQueries (Name, SqlText) VALUES (?, ?)"),
                           {item.name, item.sql});
            else
                db.execute(item.sql);
        }
        for (const SchemaItem* row : rowsOfNewTables) {
            if (hasTable(db, row->name))
                db.execute(row->sql);
        }
        db.execute(QStringLiteral("PRAGMA user_version = %1").arg(step.version));
        t.commit();
    }
}

struct LayoutPiece {
    QString type;
    QString name;
    QString sql;
};

// The tables, indexes and views of a file, in the order they were made.
QList<LayoutPiece> piecesOf(Database& db)
{
    QList<LayoutPiece> pieces;
    Recordset rs = db.openSql(QStringLiteral("SELECT type, name, sql FROM sqlite_master WHERE sql IS NOT NULL AND "
                                             "name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid"));
    for (; !rs.eof(); rs.moveNext())
        pieces << LayoutPiece{rs.field(0).toText(), rs.field(1).toText(), rs.field(2).toText()};
    return pieces;
}

QList<QPair<QString, QString>> savedQueriesOf(Database& db)
{
    QList<QPair<QString, QString>> queries;
    if (!hasTable(db, QStringLiteral("SavedQueries")))
        return queries;
    Recordset rs = db.openSql(QStringLiteral("SELECT Name, SqlText FROM SavedQueries ORDER BY Name"));
    for (; !rs.eof(); rs.moveNext())
        queries << qMakePair(rs.field(0).toText(), rs.field(1).toText());
    return queries;
}

QSet<QString> lowerNames(const QStringList& names)
{
    QSet<QString> set;
    for (const QString& name : names)
        set.insert(name.toLower());
    return set;
}

// A file at the latest version can still have lost a piece of it (a table
// dropped by hand or by another tool): what the steps would have laid down
// and the file lacks is added again, a table with the rows a new file starts
// with, all in one transaction.
void restoreLostPieces(Database& db, const SchemaSteps& steps, const Schema& firstRows)
{
    auto whole = Database::createInMemory();
    runSteps(*whole, steps, {});
    QStringList present;
    for (const LayoutPiece& piece : piecesOf(db))
        present << piece.name;
    const QSet<QString> standing = lowerNames(present);
    QList<LayoutPiece> lost;
    for (const LayoutPiece& piece : piecesOf(*whole)) {
        if (!standing.contains(piece.name.toLower()))
            lost << piece;
    }
    QStringList presentQueries;
    for (const auto& query : savedQueriesOf(db))
        presentQueries << query.first;
    const QSet<QString> storedQueries = lowerNames(presentQueries);
    QList<QPair<QString, QString>> lostQueries;
    for (const auto& query : savedQueriesOf(*whole)) {
        if (!storedQueries.contains(query.first.toLower()))
            lostQueries << query;
    }
    whole->close();
    if (lost.isEmpty() && lostQueries.isEmpty())
        return;

    QStringList added;
    Transaction t(db);
    QSet<QString> tables;
    for (const LayoutPiece& piece : lost) {
        db.execute(piece.sql);
        if (piece.type == QLatin1String("table"))
            tables.insert(piece.name.toLower());
        added << piece.type + QLatin1Char(' ') + piece.name;
    }
    for (const SchemaItem& row : firstRows) {
        if (tables.contains(row.name.toLower()))
            db.execute(row.sql);
    }
    for (const auto& query : lostQueries) {
        db.execute(QStringLiteral("INSERT INTO SavedQueries (Name, SqlText) VALUES (?, ?)"),
                   {query.first, query.second});
        added << QStringLiteral("query ") + query.first;
    }
    t.commit();
    qCWarning(lcGt430).noquote() << QStringLiteral(
                                        "The database %1 lacked pieces of its layout; added, each table with "
                                        "the rows a new database starts with: %2")
                                        .arg(db.path(), added.join(QStringLiteral(", ")));
}

}

void upgradeSchema(Database& db, const SchemaSteps& steps, const Schema& firstRows)
{
    for (qsizetype i = 0; i < steps.size(); ++i) {
        if (steps[i].version != i + 1)
            raiseError(Err::InvalidCall, QStringLiteral("The layout steps are not numbered 1, 2, ... in order."));
    }
    const int current = schemaVersion(db);
    const int latest = static_cast<int>(steps.size());
    if (current > latest)
        raiseError(Err::UnrecognizedDbFormat,
                   QStringLiteral("The database '%1' was made by a newer version of the program (layout %2; "
                                  "this version knows layouts up to %3).")
                       .arg(db.path())
                       .arg(current)
                       .arg(latest));
    if (current < latest)
        runSteps(db, steps.mid(current), firstRows);
    restoreLostPieces(db, steps, firstRows);
}
