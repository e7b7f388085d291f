#include "tests/support/ShippedDatabase.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>
#include <stdexcept>

namespace {

QDir layoutsFolder()
{
    return QDir(QStringLiteral(GT430_SHIPPED_LAYOUTS));
}

}

QList<ShippedLayout> shippedLayouts()
{
    // Each named after its version and the commit of the build that made it, in the order they shipped.
    return {{QStringLiteral("v0-4231cf7"), 0}, {QStringLiteral("v0-3900423"), 0}, {QStringLiteral("v1-f6a7124"), 1},
            {QStringLiteral("v2-c9c168b"), 2}, {QStringLiteral("v3-4d3e663"), 3}, {QStringLiteral("v4-5a311c8"), 4},
            {QStringLiteral("v5-d52b46a"), 5}, {QStringLiteral("v6-544d150"), 6}, {QStringLiteral("v6-d3c606a"), 6},
            {QStringLiteral("v6-6c4760d"), 6}, {QStringLiteral("v7-d8114d2"), 7}};
}

ShippedLayout shippedLayout(int version)
{
    ShippedLayout found{{}, -1};
    for (const ShippedLayout& layout : shippedLayouts()) {
        if (layout.version == version)
            found = layout;
    }
    if (found.version < 0)
        throw std::runtime_error("no shipped layout of version " + std::to_string(version));
    return found;
}

void createShippedDatabase(const QString& path, const ShippedLayout& layout)
{
    QFile fixture(layoutsFolder().filePath(layout.name + QStringLiteral(".sql")));
    if (!fixture.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + fixture.fileName().toStdString());
    const QByteArray statements = fixture.readAll();
    if (QFile::exists(path))
        throw std::runtime_error(path.toStdString() + " is already there");
    sqlite3* db = nullptr;
    const int opened =
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    char* error = nullptr;
    const int ran = opened == SQLITE_OK ? sqlite3_exec(db, statements.constData(), nullptr, nullptr, &error) : opened;
    const std::string message = error ? error : sqlite3_errstr(ran);
    sqlite3_free(error);
    sqlite3_close(db);
    if (ran != SQLITE_OK)
        throw std::runtime_error("cannot lay down " + layout.name.toStdString() + ": " + message);
}
