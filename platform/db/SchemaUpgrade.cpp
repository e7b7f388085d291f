#include "platform/db/SchemaUpgrade.h"

#include "platform/AppError.h"
#include "platform/db/Database.h"

int schemaVersion(Database& db)
{
    Recordset rs = db.openSql(QStringLiteral("PRAGMA user_version"), {}, RecordsetType::Snapshot);
    return rs.field(0).variant().toInt();
}

namespace {

bool hasTable(Database& db, const QString& name)
{
    return db
               .openSql(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?"), {name},
                        RecordsetType::Snapshot)
               .field(0)
               .variant()
               .toInt() > 0;
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
    if (current == latest)
        return;
    // Lays down the table of saved queries when the file has none yet.
    db.ensureSchema({});
    for (const SchemaStep& step : steps.mid(current)) {
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
