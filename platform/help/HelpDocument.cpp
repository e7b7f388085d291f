#include "platform/help/HelpDocument.h"

#include "platform/AppError.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>

namespace {

const QString Contents = QStringLiteral("contents.html");

const QHash<QString, uint>& namedCharacters()
{
    static const QHash<QString, uint> names{{QStringLiteral("amp"), '&'},   {QStringLiteral("lt"), '<'},
                                            {QStringLiteral("gt"), '>'},    {QStringLiteral("quot"), '"'},
                                            {QStringLiteral("apos"), '\''}, {QStringLiteral("nbsp"), 0xA0}};
    return names;
}

// The few character references a page head uses.
QString decodeEntities(const QString& text)
{
    static const QRegularExpression reference(QStringLiteral("&(#x[0-9A-Fa-f]+|#[0-9]+|[A-Za-z]+);"));
    QString out;
    qsizetype last = 0;
    for (const auto& m : reference.globalMatch(text)) {
        out += text.mid(last, m.capturedStart() - last);
        const QString name = m.captured(1);
        bool ok = false;
        uint code = 0;
        if (name.startsWith(QLatin1String("#x"))) {
            code = name.mid(2).toUInt(&ok, 16);
        } else if (name.startsWith(QLatin1Char('#'))) {
            code = name.mid(1).toUInt(&ok, 10);
        } else {
            const auto named = namedCharacters().constFind(name);
            ok = named != namedCharacters().cend();
            code = ok ? *named : 0;
        }
        if (ok && code > 0 && code <= 0x10FFFF) {
            const char32_t c = code;
            out += QString::fromUcs4(&c, 1);
        } else {
            out += m.captured(0);
        }
        last = m.capturedEnd();
    }
    out += text.mid(last);
    return out;
}

HelpTopic readTopic(const QFileInfo& page)
{
    HelpTopic topic;
    topic.id = page.completeBaseName();
    topic.file = page.absoluteFilePath();

    QFile file(topic.file);
    if (!file.open(QIODevice::ReadOnly))
        raiseError(Err::PathFileAccess, QStringLiteral("Cannot read %1").arg(topic.file));
    QString head = QString::fromUtf8(file.readAll());
    const qsizetype end = head.indexOf(QLatin1String("</head>"), 0, Qt::CaseInsensitive);
    if (end >= 0)
        head.truncate(end);

    static const QRegularExpression title(QStringLiteral("<title[^>]*>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    if (const auto m = title.match(head); m.hasMatch())
        topic.title = decodeEntities(m.captured(1)).simplified();
    if (topic.title.isEmpty())
        topic.title = topic.id;

    static const QRegularExpression meta(QStringLiteral("<meta\\b([^>]*)>"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression attribute(QStringLiteral("([A-Za-z-]+)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)')"));
    for (const auto& m : meta.globalMatch(head)) {
        QString name;
        QString content;
        for (const auto& a : attribute.globalMatch(m.captured(1))) {
            const QString value = a.captured(2).isNull() ? a.captured(3) : a.captured(2);
            if (a.captured(1).compare(QLatin1String("name"), Qt::CaseInsensitive) == 0)
                name = value.toLower();
            else if (a.captured(1).compare(QLatin1String("content"), Qt::CaseInsensitive) == 0)
                content = decodeEntities(value);
        }
        if (name == QLatin1String("keywords")) {
            for (const QString& keyword : content.split(QLatin1Char(';'))) {
                const QString k = keyword.simplified();
                if (!k.isEmpty() && !topic.keywords.contains(k))
                    topic.keywords << k;
            }
        } else if (name == QLatin1String("context")) {
            static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
            for (const QString& number : content.split(separators, Qt::SkipEmptyParts)) {
                bool ok = false;
                const int context = number.toInt(&ok);
                if (ok && context != 0)
                    topic.contexts << context;
            }
        }
    }
    return topic;
}

}

QString HelpDocument::folderFor(const QString& programFolder, int language)
{
    const QDir english(QDir(programFolder).filePath(QStringLiteral("help")));
    if (language == 1) {
        const QDir german(english.filePath(QStringLiteral("de")));
        if (german.exists(Contents))
            return german.path();
    }
    return english.path();
}

QLocale HelpDocument::localeFor(int language)
{
    return QLocale(language == 1 ? QLocale::German : QLocale::English);
}

HelpDocument HelpDocument::load(const QString& folder, const QLocale& locale)
{
    const QDir dir(folder);
    if (!dir.exists(Contents))
        raiseError(Err::FileNotFound, QStringLiteral("File not found: %1").arg(dir.filePath(Contents)));

    HelpDocument document;
    document.m_folder = dir.absolutePath();
    document.m_locale = locale;
    const QFileInfoList pages = dir.entryInfoList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    for (const QFileInfo& page : pages)
        document.m_topics << readTopic(page);

    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    for (const HelpTopic& topic : std::as_const(document.m_topics))
        for (const QString& keyword : topic.keywords)
            document.m_index << HelpIndexEntry{keyword, keyword, topic.id};
    std::stable_sort(
        document.m_index.begin(), document.m_index.end(),
        [&](const HelpIndexEntry& a, const HelpIndexEntry& b) { return collator.compare(a.keyword, b.keyword) < 0; });
    // A keyword shared by several topics names each topic on its line.
    for (qsizetype i = 0; i < document.m_index.size(); ++i) {
        const bool shared =
            (i > 0 && collator.compare(document.m_index[i - 1].keyword, document.m_index[i].keyword) == 0) ||
            (i + 1 < document.m_index.size() &&
             collator.compare(document.m_index[i + 1].keyword, document.m_index[i].keyword) == 0);
        if (shared)
            document.m_index[i].label =
                document.m_index[i].keyword + QStringLiteral(" – ") + document.topic(document.m_index[i].topic)->title;
    }
    return document;
}

const HelpTopic* HelpDocument::topic(const QString& id) const
{
    for (const HelpTopic& t : m_topics)
        if (t.id == id)
            return &t;
    return nullptr;
}

QString HelpDocument::contentsPage() const
{
    return QDir(m_folder).filePath(Contents);
}

QString HelpDocument::pageForTopic(const QString& id) const
{
    const HelpTopic* t = topic(id);
    return t ? t->file : contentsPage();
}

QString HelpDocument::pageForContext(int context) const
{
    if (context != 0)
        for (const HelpTopic& t : m_topics)
            if (t.contexts.contains(context))
                return t.file;
    return contentsPage();
}

QList<HelpIndexEntry> HelpDocument::index(const QString& filter) const
{
    const QString wanted = filter.simplified();
    if (wanted.isEmpty())
        return m_index;
    QList<HelpIndexEntry> kept;
    for (const HelpIndexEntry& entry : m_index)
        if (entry.keyword.contains(wanted, Qt::CaseInsensitive))
            kept << entry;
    return kept;
}

QString HelpDocument::indexPage(const QString& title) const
{
    const auto link = [](const QString& file) { return QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded); };
    QString html = QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n"
                                  "<link rel=\"stylesheet\" type=\"text/css\" href=\"%2\">\n</head>\n<body>\n"
                                  "<h1>%1</h1>\n")
                       .arg(title.toHtmlEscaped(), link(QDir(m_folder).filePath(QStringLiteral("help.css"))));
    QString initial;
    for (const HelpIndexEntry& entry : m_index) {
        const QString first = m_locale.toUpper(entry.label.left(1));
        if (first != initial) {
            if (!initial.isEmpty())
                html += QStringLiteral("</p>\n");
            initial = first;
            html += QStringLiteral("<h2>%1</h2>\n<p>").arg(initial.toHtmlEscaped());
        } else {
            html += QStringLiteral("<br>\n");
        }
        html +=
            QStringLiteral("<a href=\"%1\">%2</a>").arg(link(pageForTopic(entry.topic)), entry.label.toHtmlEscaped());
    }
    if (!initial.isEmpty())
        html += QStringLiteral("</p>\n");
    return html + QStringLiteral("</body>\n</html>\n");
}
