#pragma once

#include <QString>

// The folder that holds the executable: the database, the password file, the
// dictionary and the help live there. Tests point it at a temporary folder.
namespace ProgramFolder {
QString path();
void setPathForTests(const QString& folder);
}
