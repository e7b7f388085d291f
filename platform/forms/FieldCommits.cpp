#include "platform/forms/FieldCommits.h"

#include <QApplication>
#include <QFocusEvent>
#include <QWidget>

FieldCommits::FieldCommits(QWidget* window, QWidget* parking) : QObject(window), m_window(window), m_parking(parking) {}

void FieldCommits::watch(QWidget* field, Commit commit)
{
    m_fields.insert(field, std::move(commit));
    field->installEventFilter(this);
    for (QWidget* child : field->findChildren<QWidget*>())
        child->installEventFilter(this);
}

QWidget* FieldCommits::fieldOf(QWidget* widget) const
{
    for (QWidget* w = widget; w && w != m_window; w = w->parentWidget()) {
        if (m_fields.contains(w))
            return w;
    }
    return nullptr;
}

bool FieldCommits::run(QWidget* field)
{
    if (m_running || !field)
        return true;
    m_running = true;
    const bool accepted = m_fields.value(field)();
    m_running = false;
    return accepted;
}

bool FieldCommits::commitFocused()
{
    QWidget* field = fieldOf(m_window->focusWidget());
    if (!field)
        return true;
    if (!run(field))
        return false;
    // The value is written; the field is left, so it does not write again.
    m_running = true;
    if (m_parking)
        m_parking->setFocus(Qt::OtherFocusReason);
    m_running = false;
    return true;
}

bool FieldCommits::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::FocusOut || m_running || m_dispatching)
        return QObject::eventFilter(watched, event);
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    QWidget* field = fieldOf(qobject_cast<QWidget*>(watched));
    const bool stillInside = field && fieldOf(QApplication::focusWidget()) == field;
    if (!field || stillInside || reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return QObject::eventFilter(watched, event);
    // The field takes its own leave first (a line edit drops its selection
    // there), so that a refusal can select the text and give the focus back.
    m_dispatching = true;
    QCoreApplication::sendEvent(watched, event);
    m_dispatching = false;
    run(field);
    return true;
}
