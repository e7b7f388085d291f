#pragma once

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

// One page of the help: a file "<topic>.html" whose head carries its title,
// its keywords and the context numbers that open it:
//
//   <title>On-line monitor</title>
//   <meta name="keywords" content="on-line monitor; door status; tamper">
//   <meta name="context" content="1020">
//
// Keywords are separated by semicolons, context numbers by blanks or commas.
struct HelpTopic {
    QString id;
    QString title;
    QString file;
    QStringList keywords;
    QList<int> contexts;
};

// One line of the keyword index. A keyword that several topics share gets a
// line for each, labelled with the topic's title.
struct HelpIndexEntry {
    QString keyword;
    QString label;
    QString topic;
};

// The help document: a folder of pages, "contents.html" among them.
class HelpDocument {
public:
    static inline const QString ContentsTopic = QStringLiteral("contents");

    // The document in the program folder for a language: help/ holds English,
    // help/<code>/ a translation (German for language 1). A language whose
    // document is missing gets the English one.
    static QString folderFor(const QString& programFolder, int language);
    // The locale the index of a language is sorted by.
    static QLocale localeFor(int language);

    // Reads the pages of `folder`. A missing contents page is file not found
    // (53), naming the file.
    static HelpDocument load(const QString& folder, const QLocale& locale = QLocale(QLocale::English));

    const QString& folder() const { return m_folder; }
    const QList<HelpTopic>& topics() const { return m_topics; }
    const HelpTopic* topic(const QString& id) const;

    QString contentsPage() const;
    // The page of a topic; the contents for a topic the document lacks.
    QString pageForTopic(const QString& id) const;
    // The page of a context number; the contents for 0 and for numbers the document lacks.
    QString pageForContext(int context) const;

    // The index in alphabetical order; a filter keeps the keywords that contain
    // it, whatever the case.
    QList<HelpIndexEntry> index(const QString& filter = {}) const;
    // The whole index as a page under `title`: a heading for each initial,
    // each line a link to its topic's page.
    QString indexPage(const QString& title) const;

private:
    QString m_folder;
    QLocale m_locale;
    QList<HelpTopic> m_topics;
    QList<HelpIndexEntry> m_index;
};
