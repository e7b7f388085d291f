#pragma once

#include "platform/Prompts.h"

#include <memory>

class QMessageBox;
class QWidget;

// The real modal boxes and dialogs.
class WidgetPrompts final : public Prompts {
public:
    // The box messageBox shows, ready to be shown.
    static std::unique_ptr<QMessageBox> makeMessageBox(const QString& text, const QString& title, int kind, int buttons,
                                                       QWidget* parent = nullptr);

    int messageBox(const QString& text, const QString& title, int kind, int buttons) override;
    std::optional<int> chooseLanguage(const QString& title, const QStringList& languages, int current) override;
};
