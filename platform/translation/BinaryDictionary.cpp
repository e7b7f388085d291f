#include "platform/translation/BinaryDictionary.h"

#include "platform/AppError.h"
#include "platform/Log.h"
#include "platform/Prompts.h"
#include "platform/translation/QtStandardTexts.h"

#include <algorithm>
#include <atomic>

namespace {

// One count for every dictionary, so that no two states of any of them share a revision.
quint64 nextRevision()
{
    static std::atomic<quint64> revisions{0};
    return ++revisions;
}

// The text without the blanks around it, and where it starts and ends.
struct Bare {
    qsizetype begin = 0;
    qsizetype end = 0;
};

Bare bareOf(const QString& text)
{
    Bare bare{0, text.size()};
    while (bare.begin < bare.end && text.at(bare.begin).isSpace())
        ++bare.begin;
    while (bare.end > bare.begin && text.at(bare.end - 1).isSpace())
        --bare.end;
    return bare;
}

}

BinaryDictionary::BinaryDictionary() : m_revision(nextRevision()) {}

QString BinaryDictionary::dictionaryFile() const
{
    const QMutexLocker lock(&m_lock.mutex);
    return m_file;
}

void BinaryDictionary::setDictionaryFile(const QString& path)
{
    const QMutexLocker lock(&m_lock.mutex);
    m_file = path;
}

void BinaryDictionary::LoadDictionary()
{
    DictionaryContents contents = MldFile::load(dictionaryFile());
    const QMutexLocker lock(&m_lock.mutex);
    takeContents(std::move(contents));
    m_loadedFile = m_file;
}

int16_t BinaryDictionary::Language() const
{
    const QMutexLocker lock(&m_lock.mutex);
    return m_language;
}

void BinaryDictionary::setLanguage(int16_t index)
{
    {
        const QMutexLocker lock(&m_lock.mutex);
        if (index != m_language)
            m_revision = nextRevision();
        m_language = index;
    }
    QtStandardTexts::follow(index);
}

void BinaryDictionary::setContents(DictionaryContents contents)
{
    const QMutexLocker lock(&m_lock.mutex);
    takeContents(std::move(contents));
    m_loadedFile = m_file;
}

void BinaryDictionary::takeContents(DictionaryContents contents) const
{
    if (contents.languages == m_contents.languages && contents.entries == m_contents.entries)
        return;
    m_contents = std::move(contents);
    m_revision = nextRevision();
    m_english.clear();
    QStringList keys = m_contents.entries.keys();
    std::sort(keys.begin(), keys.end());
    for (const QString& key : keys) {
        for (const QString& text : m_contents.entries.value(key)) {
            if (!text.isEmpty() && text != key && !m_english.contains(text))
                m_english.insert(text, key);
        }
    }
}

quint64 BinaryDictionary::revision() const
{
    const QMutexLocker lock(&m_lock.mutex);
    ensureLoaded();
    return m_revision;
}

void BinaryDictionary::ensureLoaded() const
{
    if (m_file == m_loadedFile || m_file.isEmpty())
        return;
    m_loadedFile = m_file; // one attempt per file: a broken file is not read again on every text
    try {
        takeContents(MldFile::load(m_file));
    } catch (const AppError& error) {
        qCWarning(lcGt430) << "The dictionary cannot be read; texts stay as they are:" << error.description();
        takeContents({});
    }
}

QStringList BinaryDictionary::languages() const
{
    const QMutexLocker lock(&m_lock.mutex);
    ensureLoaded();
    return m_contents.languages.isEmpty() ? QStringList{QStringLiteral("English")} : m_contents.languages;
}

QString BinaryDictionary::lookup(const QString& key) const
{
    const auto it = m_contents.entries.constFind(key);
    if (it == m_contents.entries.cend())
        return {};
    const qsizetype column = m_language - 1;
    return column < it->size() ? it->at(column) : QString();
}

QString BinaryDictionary::Translate(const QString& text) const
{
    const QMutexLocker lock(&m_lock.mutex);
    ensureLoaded();
    if (m_language <= 0 || text.isEmpty())
        return text;
    QString found = lookup(text);
    if (!found.isEmpty())
        return found;
    // Padded captions ("   Close   ") share the entry of their bare text.
    const Bare bare = bareOf(text);
    if (bare.begin == 0 && bare.end == text.size())
        return text;
    found = lookup(text.mid(bare.begin, bare.end - bare.begin));
    if (found.isEmpty())
        return text;
    return text.left(bare.begin) + found + text.mid(bare.end);
}

QString BinaryDictionary::englishOf(const QString& text) const
{
    const QMutexLocker lock(&m_lock.mutex);
    ensureLoaded();
    if (text.isEmpty() || m_contents.entries.contains(text))
        return text;
    const auto it = m_english.constFind(text);
    if (it != m_english.cend())
        return *it;
    const Bare bare = bareOf(text);
    const QString inner = text.mid(bare.begin, bare.end - bare.begin);
    if (inner.size() == text.size() || m_contents.entries.contains(inner))
        return text;
    const auto padded = m_english.constFind(inner);
    if (padded == m_english.cend())
        return text;
    return text.left(bare.begin) + *padded + text.mid(bare.end);
}

int BinaryDictionary::TranslatedMsgBox(const QString& text, const QString& title, int kind, int buttons) const
{
    return prompts().messageBox(text, title, kind, buttons);
}

bool BinaryDictionary::ChooseLanguage(const QString& title, int16_t& index) const
{
    const auto chosen = prompts().chooseLanguage(title, languages(), index);
    if (!chosen)
        return false;
    index = static_cast<int16_t>(*chosen);
    return true;
}

BinaryDictionary& BinaryDict()
{
    static BinaryDictionary dictionary;
    return dictionary;
}

BinaryDictionary& StartDict()
{
    return BinaryDict();
}
