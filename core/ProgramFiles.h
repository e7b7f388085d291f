#pragma once

#include <QString>

// Appends the path separator unless the path already ends with one.
QString AddBackslash(const QString& path);

// Creates the folder "Pictures" in the program folder unless a file or folder
// of that name, in any letter case, is already there. A new folder is its
// owner's alone; one already there keeps its mode.
void CreatePicturesFolder();
