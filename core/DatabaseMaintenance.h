#pragma once

#include <QString>
#include <QtGlobal>

class Database;

// Keeping the database file small: compaction and cutting down the raw logs.
namespace DatabaseMaintenance {

inline constexpr qint64 CompactAdvisedAbove = 10000000; // bytes
inline constexpr int ReadCardRowsKept = 500000;
inline constexpr int DoorStatusRowsKept = 50;
inline const QString CompactTargetName = QStringLiteral("GT430_Clear.mdb");

bool compactAdvised(qint64 fileSize);
bool cutAdvised(int readCardRows);
int readCardRows(Database& db);

// Compacts the closed database file into "GT430_Clear.mdb" beside it, checks
// the copy and renames it over the original in one step, holding the original
// for itself all the while; refuses a file that another connection has open.
// On any failure the original is left untouched and the copy removed; the
// failure is thrown.
void compactFile(const QString& databasePath);

// Deletes the oldest rows of the raw log and the door-status log beyond their
// limits (as they stand when it begins), oldest first, in short transactions
// that let the window's thread write between them (the reception goes on
// storing meanwhile): for a connection of its own beside the window.
void cutDown(Database& db);

}
