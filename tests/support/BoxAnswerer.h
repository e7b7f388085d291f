#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>

// Answers the real boxes, each once, as the user does: while it lives it looks
// every 10 ms for a box up in its own event loop and does `answer` to it.
class BoxAnswerer {
public:
    explicit BoxAnswerer(std::function<void(QMessageBox&)> answer) : m_answer(std::move(answer))
    {
        m_look.setInterval(10);
        QObject::connect(&m_look, &QTimer::timeout, &m_look, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || box == m_answered)
                return;
            m_answered = box;
            m_answer(*box);
        });
        m_look.start();
    }

    void stop() { m_look.stop(); }

private:
    std::function<void(QMessageBox&)> m_answer;
    QPointer<QMessageBox> m_answered;
    QTimer m_look;
};
