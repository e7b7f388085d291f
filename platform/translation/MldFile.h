#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

// The dictionary "GT430.mld": UTF-8 text, one line each.
//
//   # a comment line (also blank lines are skipped)
//   LANGUAGES<TAB>English<TAB>Deutsch        the header, before any entry
//   English key<TAB>Deutsche Übersetzung     one entry a line
//
// Column 0 is the English text the program asks for; column n holds its text in
// language n of the header. An empty or missing column means "no translation":
// the English text is shown. Inside a column, \t \n \r and \\ stand for a tab,
// a line feed, a carriage return and a backslash, so keys may hold any of them
// and blanks at either end are kept.
struct DictionaryContents {
    QStringList languages;
    QHash<QString, QStringList> entries; // key -> texts of languages 1..n-1
};

namespace MldFile {

// Throws file not found (53) or a numbered failure naming the bad line.
DictionaryContents load(const QString& path);
DictionaryContents parse(const QString& text);

// A column's text with its \t \n \r and \\ read.
QString unescape(const QString& field);

}
