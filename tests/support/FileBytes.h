#pragma once

#include <QByteArray>
#include <QString>

// The whole of a file as written, or "<no file>" when it cannot be read.
QByteArray fileBytes(const QString& path);
