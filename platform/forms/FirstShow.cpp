#include "platform/forms/FirstShow.h"

#include <QEvent>
#include <QWidget>

namespace {

class FirstShowWatch : public QObject {
public:
    FirstShowWatch(QWidget* widget, std::function<void()> action) : QObject(widget), m_action(std::move(action))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            deleteLater();
            m_action();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_action;
};

}

void onFirstShow(QWidget* widget, std::function<void()> action)
{
    if (widget->isVisible())
        action();
    else
        new FirstShowWatch(widget, std::move(action));
}
