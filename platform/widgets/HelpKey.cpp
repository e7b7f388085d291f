#include "platform/widgets/HelpKey.h"

#include "platform/help/HelpService.h"

#include <QKeySequence>
#include <QShortcut>
#include <QVariant>
#include <QWidget>

namespace {
constexpr const char* TopicProperty = "helpTopic";
constexpr const char* ContextProperty = "helpContext";
const QString ShortcutName = QStringLiteral("gt430HelpKey");
}

void HelpKey::install(QWidget* window, const QString& topic)
{
    window->setProperty(TopicProperty, topic);
    if (window->findChild<QShortcut*>(ShortcutName, Qt::FindDirectChildrenOnly))
        return;
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
    key->setObjectName(ShortcutName);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, window, [window] { press(window); });
}

void HelpKey::setContext(QWidget* window, int context)
{
    window->setProperty(ContextProperty, context);
}

QString HelpKey::topic(const QWidget* window)
{
    return window->property(TopicProperty).toString();
}

int HelpKey::context(const QWidget* window)
{
    return window->property(ContextProperty).toInt();
}

void HelpKey::press(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (const int number = context(w); number != 0) {
            helpService().showContext(number);
            return;
        }
        if (const QString name = topic(w); !name.isEmpty()) {
            helpService().showTopic(name);
            return;
        }
    }
    helpService().showContents();
}
