#pragma once

class BinaryDictionary;
class QWidget;

// Translates the captions of one window: its title, labels, buttons, frames,
// tool tips, tabs, combo and list box items, list columns, menus and toolbar
// actions. Each text keeps its English key, so a second pass or a switch of
// language starts again from English rather than from a translation. A text
// the program has set since the last pass becomes the new key: its English
// text when it is a translation of the dictionary (set in the language of that
// moment), else the text itself.
class FormTranslator {
public:
    explicit FormTranslator(const BinaryDictionary& dictionary);
    void TranslateForm(QWidget* window) const;
    // True when the window was translated before and the dictionary's
    // language or texts have changed since.
    bool isBehind(const QWidget* window) const;

private:
    const BinaryDictionary& m_dictionary;
};
