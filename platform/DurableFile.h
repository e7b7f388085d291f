#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

// Files that survive a crash or a power cut: a new content is written beside
// the old file, synced, and renamed over it; the rename is synced in the folder.
// A failure leaves the old file as it was and throws "path/file access" (75).
namespace DurableFile {

// Replaces the file (or creates it) with `bytes`; the file gets `permissions`.
void write(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions);

// Creates an empty file that only its owner may read and write; fails when
// something of that name is already there.
void createPrivate(const QString& path);

// Forces a written file onto the disk.
void sync(const QString& path);

// Renames `from` over `to` in one step and syncs their folder.
void replace(const QString& from, const QString& to);

}
