#include "employees/PictureFiles.h"

#include "core/ProgramFiles.h"
#include "platform/ProgramFolder.h"

#include <QFileInfo>
#include <QImageReader>

QStringList PictureFiles::patterns()
{
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        const QString suffix = QString::fromLatin1(format).toLower();
        for (const QString& s : {suffix, suffix.toUpper()})
            patterns << QStringLiteral("*.") + s;
    }
    patterns.removeDuplicates();
    return patterns;
}

QString PictureFiles::startFolder()
{
    // The same name that CreatePicturesFolder gives it.
    return AddBackslash(ProgramFolder::path()) + QStringLiteral("Pictures");
}

QString PictureFiles::joinPath(const QString& folder, const QString& fileName)
{
    return AddBackslash(folder) + fileName;
}

bool PictureFiles::sameFile(const QString& a, const QString& b)
{
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (!fa.exists() || !fb.exists())
        return false;
    return fa.canonicalFilePath() == fb.canonicalFilePath();
}
