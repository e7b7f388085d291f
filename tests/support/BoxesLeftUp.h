#pragma once

#include "platform/Prompts.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <utility>

// Nobody at the screen: every box stays up, in an event loop of its own as a
// modal box runs one, until a timer closes it after `upMs` (with 0, until the
// test calls closeBox()). The inner prompts answer and keep what was shown.
class BoxesLeftUp final : public Prompts {
public:
    BoxesLeftUp(Prompts& inner, int upMs) : m_inner(inner), m_upMs(upMs) {}

    int messageBox(const QString& text, const QString& title, int kind, int buttons) override
    {
        const int answer = m_inner.messageBox(text, title, kind, buttons);
        ++up;
        mostUpAtOnce = std::max(mostUpAtOnce, up);
        QEventLoop box;
        QEventLoop* under = std::exchange(m_box, &box);
        if (m_upMs > 0)
            QTimer::singleShot(m_upMs, &box, &QEventLoop::quit);
        box.exec();
        m_box = under;
        --up;
        return answer;
    }
    std::optional<int> chooseLanguage(const QString& title, const QStringList& languages, int current) override
    {
        return m_inner.chooseLanguage(title, languages, current);
    }

    // The box on top is closed, as by OK.
    void closeBox()
    {
        if (m_box)
            m_box->quit();
    }

    int up = 0;
    int mostUpAtOnce = 0;

private:
    Prompts& m_inner;
    int m_upMs;
    QEventLoop* m_box = nullptr;
};
