#include "platform/ProgramFolder.h"

#include <QCoreApplication>

namespace {
QString& overridePath()
{
    static QString folder;
    return folder;
}
}

QString ProgramFolder::path()
{
    if (!overridePath().isEmpty())
        return overridePath();
    return QCoreApplication::applicationDirPath();
}

void ProgramFolder::setPathForTests(const QString& folder)
{
    overridePath() = folder;
}
