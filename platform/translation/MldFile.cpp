#include "platform/translation/MldFile.h"

#include "platform/AppError.h"

#include <QFile>

QString MldFile::unescape(const QString& field)
{
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field.at(i);
        if (c != QLatin1Char('\\') || i + 1 == field.size()) {
            out += c;
            continue;
        }
        const QChar next = field.at(++i);
        switch (next.unicode()) {
        case 't': out += QLatin1Char('\t'); break;
        case 'n': out += QLatin1Char('\n'); break;
        case 'r': out += QLatin1Char('\r'); break;
        case '\\': out += QLatin1Char('\\'); break;
        default: out += c; out += next; // not an escape: kept as written
        }
    }
    return out;
}

DictionaryContents MldFile::parse(const QString& text)
{
    DictionaryContents contents;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        QString line = lines.at(n);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList columns = line.split(QLatin1Char('\t'));
        if (contents.languages.isEmpty()) {
            if (columns.first() != QLatin1String("LANGUAGES") || columns.size() < 2)
                raiseError(Err::InvalidCall,
                           QStringLiteral("Dictionary line %1: the LANGUAGES header must come first").arg(n + 1));
            for (int i = 1; i < columns.size(); ++i)
                contents.languages << unescape(columns.at(i));
            continue;
        }
        const QString key = unescape(columns.first());
        QStringList texts;
        for (int i = 1; i < contents.languages.size(); ++i)
            texts << (i < columns.size() ? unescape(columns.at(i)) : QString());
        contents.entries.insert(key, texts);
    }
    if (contents.languages.isEmpty())
        raiseError(Err::InvalidCall, QStringLiteral("The dictionary has no LANGUAGES header"));
    return contents;
}

DictionaryContents MldFile::load(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        raiseError(Err::FileNotFound, QStringLiteral("File not found: %1").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        raiseError(Err::PathFileAccess, QStringLiteral("Cannot read %1").arg(path));
    return parse(QString::fromUtf8(file.readAll()));
}
