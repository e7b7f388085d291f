#pragma once

#include "platform/Prompts.h"

// The real modal boxes and dialogs.
class WidgetPrompts final : public Prompts {
public:
    int messageBox(const QString& text, const QString& title, int kind, int buttons) override;
    std::optional<int> chooseLanguage(const QString& title, const QStringList& languages,
                                      int current) override;
};
