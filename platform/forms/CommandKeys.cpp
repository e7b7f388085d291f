#include "platform/forms/CommandKeys.h"

#include <QAction>
#include <QVariant>

namespace {

constexpr const char* KeyProperty = "gt430_commandKey";
// What was written after the tip last, to be taken off again.
constexpr const char* SuffixProperty = "gt430_commandKeySuffix";

}

namespace CommandKeys {

void give(QAction* command, const QKeySequence& key)
{
    if (!command)
        return;
    command->setShortcut(key);
    command->setShortcutContext(Qt::WindowShortcut);
    showInTip(command, key);
}

void showInTip(QAction* command, const QKeySequence& key)
{
    if (!command)
        return;
    const QString tip = tipWithoutKey(command);
    command->setProperty(KeyProperty, key);
    setTip(command, tip.isEmpty() ? tipOfCaption(command->text()) : tip);
}

QString tipOfCaption(QString caption)
{
    caption.remove(QLatin1String("..."));
    caption.remove(QLatin1Char('&'));
    return caption.trimmed();
}

bool hasKey(const QAction* command)
{
    return command->property(KeyProperty).isValid();
}

QString tipWithoutKey(const QAction* command)
{
    QString tip = command->toolTip();
    const QString suffix = command->property(SuffixProperty).toString();
    if (!suffix.isEmpty() && tip.endsWith(suffix))
        tip.chop(suffix.size());
    return tip;
}

void setTip(QAction* command, const QString& tip)
{
    const QKeySequence key = command->property(KeyProperty).value<QKeySequence>();
    const QString suffix =
        key.isEmpty() ? QString() : QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + QLatin1Char(')');
    command->setProperty(SuffixProperty, suffix);
    command->setToolTip(tip + suffix);
}

}
