#pragma once

#include "platform/translation/MldFile.h"

#include <QMutex>
#include <QString>
#include <QStringList>
#include <cstdint>

// The program's dictionary: the English texts it shows, prints and writes, and
// their translations. Language 0 is English (the keys themselves); language n
// is column n of the dictionary file. An index with no column shows English.
// Work beside the window's thread (a report's fill) translates too, while the
// window may change the language.
class BinaryDictionary {
public:
    BinaryDictionary();

    QString dictionaryFile() const;
    // The file is read by LoadDictionary, or at the first translation after it changed.
    void setDictionaryFile(const QString& path);
    // Throws when the file is missing or malformed; the texts then stay as they were.
    void LoadDictionary();

    int16_t Language() const;
    // Qt's own texts follow (standard buttons and dialogs).
    void setLanguage(int16_t index);
    QStringList languages() const;

    // A text without a translation comes back as it is.
    QString Translate(const QString& text) const;
    // The English text behind a text of any language of the dictionary; a
    // text that is no translation comes back as it is.
    QString englishOf(const QString& text) const;

    // Changes whenever the language or the texts change: a window translated
    // at another revision may show texts that are no longer current.
    quint64 revision() const;
    // Shows a modal box through the prompts layer and returns the button pressed.
    int TranslatedMsgBox(const QString& text, const QString& title, int kind, int buttons) const;
    // True when the user chose; `index` then holds the choice.
    bool ChooseLanguage(const QString& title, int16_t& index) const;

    // For tests and the start-up: contents without a file.
    void setContents(DictionaryContents contents);

private:
    void ensureLoaded() const;
    void takeContents(DictionaryContents contents) const;
    QString lookup(const QString& key) const;

    // Each dictionary's own; a dictionary assigned to another keeps its lock.
    struct Lock {
        Lock() = default;
        Lock(const Lock&) {}
        Lock& operator=(const Lock&) { return *this; }
        QMutex mutex;
    };
    mutable Lock m_lock;
    QString m_file;
    mutable QString m_loadedFile;
    mutable DictionaryContents m_contents;
    // Translation -> English, the first key in sort order where texts share one.
    mutable QHash<QString, QString> m_english;
    int16_t m_language = 0;
    mutable quint64 m_revision;
};

// One dictionary serves the whole program under both of its names.
BinaryDictionary& BinaryDict();
BinaryDictionary& StartDict();
