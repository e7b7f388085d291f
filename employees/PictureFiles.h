#pragma once

#include <QString>
#include <QStringList>

// The picture files the chooser offers, and the paths it hands back.
namespace PictureFiles {

// One pattern for every picture format the program can read, in both cases
// ("*.jpg", "*.JPG", ...).
QStringList patterns();

// The folder the chooser opens in: the pictures folder beside the program.
QString startFolder();

// The folder's path, one separator, the file name.
QString joinPath(const QString& folder, const QString& fileName);

// The same file, however the two paths are written.
bool sameFile(const QString& a, const QString& b);

}
