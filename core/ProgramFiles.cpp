#include "core/ProgramFiles.h"

#include "core/Messages.h"
#include "platform/ProgramFolder.h"

#include <QDir>

QString AddBackslash(const QString& path)
{
    QString result = path;
    guarded(2905, [&] {
        if (!path.endsWith(QLatin1Char('/')))
            result = path + QLatin1Char('/');
    });
    return result;
}

void CreatePicturesFolder()
{
    guarded(978, [] {
        const QString name = QStringLiteral("Pictures");
        QDir folder(ProgramFolder::path());
        const QStringList entries =
            folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString& entry : entries) {
            if (entry.compare(name, Qt::CaseInsensitive) == 0)
                return;
        }
        // Its pictures are of people: the owner's alone, whatever the umask.
        if (!folder.mkdir(name, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            raiseError(Err::PathFileAccess,
                       QStringLiteral("Cannot create the folder %1").arg(AddBackslash(folder.path()) + name));
    });
}
