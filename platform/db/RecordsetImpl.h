#pragma once

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

#include <QHash>
#include <QVector>
#include <memory>

struct Recordset::Impl {
    struct Row {
        qint64 rowid = -1;
        QVector<QVariant> values;
        bool loaded = false;
        bool deleted = false;
    };
    enum class Mode { Idle, Editing, Adding };

    std::shared_ptr<Connection> connection;
    QString table;
    // A dynaset of `table`: its rows carry their rowid and are read again by it.
    bool updatable = false;
    QStringList columns;
    QVector<Row> rows;
    qsizetype pos = 0;
    int live = 0;
    Mode mode = Mode::Idle;
    QHash<int, QVariant> pending;
    bool open = true;

    void start();
    void check() const;
    Row& current();
    void load(Row& row);
    int columnIndex(const QString& name) const;
    void arrive();
    void leaveEdit();
    void store();
    void refresh(Row& row);
    bool findByKey(const QString& condition, const QVariantList& params);
    bool findByValues(const QString& condition, const QVariantList& params);
};

QString quoteIdentifier(const QString& name);
