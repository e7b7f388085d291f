#pragma once

#include "platform/files/SaveFileDialogs.h"

// The real save dialog.
class WidgetSaveFileDialogs final : public SaveFileDialogs {
public:
    std::optional<QString> chooseSaveFile(const Request& request) override;
};
