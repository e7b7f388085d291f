#pragma once

#include "platform/Prompts.h"

#include <algorithm>
#include <functional>
#include <utility>

// Nobody is at the screen: the first box stays up while `whileUp` runs (the
// ticks that come meanwhile), then every box is answered by `inner`, which
// keeps them. Counts how many boxes were ever up at once.
class AwayPrompts final : public Prompts {
public:
    AwayPrompts(Prompts& inner, std::function<void()> whileUp) : m_inner(inner), m_whileUp(std::move(whileUp)) {}

    int messageBox(const QString& text, const QString& title, int kind, int buttons) override
    {
        ++m_up;
        mostUpAtOnce = std::max(mostUpAtOnce, m_up);
        if (std::function<void()> away = std::exchange(m_whileUp, {}))
            away();
        const int answer = m_inner.messageBox(text, title, kind, buttons);
        --m_up;
        return answer;
    }
    std::optional<int> chooseLanguage(const QString& title, const QStringList& languages, int current) override
    {
        return m_inner.chooseLanguage(title, languages, current);
    }

    int mostUpAtOnce = 0;

private:
    Prompts& m_inner;
    std::function<void()> m_whileUp;
    int m_up = 0;
};
