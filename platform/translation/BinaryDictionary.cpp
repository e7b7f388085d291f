#include "platform/translation/BinaryDictionary.h"

#include "platform/AppError.h"
#include "platform/Log.h"
#include "platform/Prompts.h"
#include "platform/translation/QtStandardTexts.h"

void BinaryDictionary::LoadDictionary()
{
    m_contents = MldFile::load(m_file);
    m_loadedFile = m_file;
}

void BinaryDictionary::setLanguage(int16_t index)
{
    m_language = index;
    QtStandardTexts::follow(index);
}

void BinaryDictionary::setContents(DictionaryContents contents)
{
    m_contents = std::move(contents);
    m_loadedFile = m_file;
}

void BinaryDictionary::ensureLoaded() const
{
    if (m_file == m_loadedFile || m_file.isEmpty())
        return;
    m_loadedFile = m_file; // one attempt per file: a broken file is not read again on every text
    try {
        m_contents = MldFile::load(m_file);
    } catch (const AppError& error) {
        qCWarning(lcGt430) << "The dictionary cannot be read; texts stay as they are:" << error.description();
        m_contents = {};
    }
}

QStringList BinaryDictionary::languages() const
{
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
    ensureLoaded();
    if (m_language <= 0 || text.isEmpty())
        return text;
    QString found = lookup(text);
    if (!found.isEmpty())
        return found;
    // Padded captions ("   Close   ") share the entry of their bare text.
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).isSpace())
        ++begin;
    while (end > begin && text.at(end - 1).isSpace())
        --end;
    if (begin == 0 && end == text.size())
        return text;
    found = lookup(text.mid(begin, end - begin));
    if (found.isEmpty())
        return text;
    return text.left(begin) + found + text.mid(end);
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
