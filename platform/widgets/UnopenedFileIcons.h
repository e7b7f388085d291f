#pragma once

#include <QAbstractFileIconProvider>

// The icons and kinds a file dialog shows, told from the name alone. Qt's own
// provider reads a file's first bytes to know its kind, and so opens and
// closes the database's own files (GT430.mdb-shm, -wal) when the dialog lists
// the program folder: a close of any handle to a file drops every lock the
// process holds on it, SQLite's included, and the database would no longer
// be guarded against another program.
class UnopenedFileIcons final : public QAbstractFileIconProvider {
public:
    using QAbstractFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};
