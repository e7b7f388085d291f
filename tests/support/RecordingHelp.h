#pragma once

#include "platform/help/HelpService.h"

#include <QStringList>

// Keeps what the program asked of the help: "contents", "index", "context 9",
// "topic frmOnline".
class RecordingHelp final : public HelpService {
public:
    void showContents() override { calls << QStringLiteral("contents"); }
    void showIndex() override { calls << QStringLiteral("index"); }
    void showContext(int context) override { calls << QStringLiteral("context %1").arg(context); }
    void showTopic(const QString& topic) override { calls << QStringLiteral("topic ") + topic; }

    QStringList calls;
};
