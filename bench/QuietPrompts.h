#pragma once

#include "platform/Prompts.h"

// No box may appear while measuring: it would mean a failure on the path.
class QuietPrompts final : public Prompts {
public:
    QuietPrompts() { setPrompts(this); }
    ~QuietPrompts() override { setPrompts(nullptr); }
    QuietPrompts(const QuietPrompts&) = delete;
    QuietPrompts& operator=(const QuietPrompts&) = delete;

    int messageBox(const QString& text, const QString&, int, int) override
    {
        ++shown;
        last = text;
        return MsgBox::Ok;
    }
    std::optional<int> chooseLanguage(const QString&, const QStringList&, int) override { return std::nullopt; }

    int shown = 0;
    QString last;
};
