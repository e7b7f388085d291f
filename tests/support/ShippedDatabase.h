#pragma once

#include <QList>
#include <QString>

// The files of GT430.mdb that earlier builds laid down, kept as they shipped
// (tests/support/layouts): the starting points of the upgrade tests, never
// made again with today's layout steps.
struct ShippedLayout {
    QString name; // the fixture's file name without ".sql"
    int version = 0;
};

// Every shipped layout, oldest first.
QList<ShippedLayout> shippedLayouts();

// Lays down a new file at `path` as the build of that layout made it, with the
// rows that build gave a new file.
void createShippedDatabase(const QString& path, const ShippedLayout& layout);

// The newest shipped layout of a version.
ShippedLayout shippedLayout(int version);
