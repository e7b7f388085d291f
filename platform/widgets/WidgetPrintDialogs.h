#pragma once

#include "platform/printing/PrintDialogs.h"

// The real printer dialog.
class WidgetPrintDialogs final : public PrintDialogs {
public:
    Choice choosePrinter(int flags) override;
};
