#include "platform/widgets/UnopenedFileIcons.h"

#include <QFileInfo>

QIcon UnopenedFileIcons::icon(const QFileInfo& info) const
{
    return icon(info.isDir() ? Folder : File);
}

QString UnopenedFileIcons::type(const QFileInfo& info) const
{
    if (info.isDir())
        return QStringLiteral("Folder");
    return info.suffix().isEmpty() ? QStringLiteral("File") : info.suffix() + QStringLiteral(" File");
}
