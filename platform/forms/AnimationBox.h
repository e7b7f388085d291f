#pragma once

#include <QTimer>
#include <QWidget>

// The animation control: a small picture that moves while a long task runs.
// The program's clips are named as the window asks for them ("findfile.avi"),
// but the box draws its own frames, so a missing clip costs nothing.
class AnimationBox : public QWidget {
    Q_OBJECT
public:
    explicit AnimationBox(QWidget* parent = nullptr);

    // The clip is named and not read: the box draws its own frames.
    void open(const QString& /*clip*/) {}
    void play();
    void stop();
    bool isPlaying() const { return m_timer.isActive(); }

    QSize sizeHint() const override { return {64, 48}; }
    // A layout never squeezes the picture to nothing.
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer m_timer;
    int m_frame = 0;
};
