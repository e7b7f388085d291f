// Lays down a fresh program database, never overwriting one.
//   gt430-newdb FOLDER     creates FOLDER/GT430.mdb unless it is there

#include "app/ProgramSchema.h"
#include "core/MainDatabase.h"
#include "platform/AppError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: gt430-newdb FOLDER\n");
        return 2;
    }
    const QString path = QDir(QString::fromLocal8Bit(argv[1])).filePath(DatabaseFileName);
    if (QFileInfo::exists(path)) {
        std::printf("%s is already there; left as it is.\n", qPrintable(path));
        return 0;
    }
    try {
        CreateProgramDatabase(path);
    } catch (const AppError& error) {
        std::fprintf(stderr, "gt430-newdb: %s\n", error.what());
        return 1;
    }
    std::printf("Created %s\n", qPrintable(path));
    return 0;
}
