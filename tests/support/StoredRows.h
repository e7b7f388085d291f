#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

// What the open program database holds, read straight from it.
namespace StoredRows {

// Every row of a statement, each value as text ("<null>" for Null).
QList<QStringList> rows(const QString& sql, const QVariantList& params = {});
int count(const QString& table);

}
