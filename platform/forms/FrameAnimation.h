#pragma once

#include "platform/forms/PictureBox.h"

#include <QList>
#include <QPixmap>
#include <QTimer>

// A short silent clip played from its frames, one after the other in a loop.
// A clip that cannot be opened simply shows nothing.
class FrameAnimation : public PictureBox {
    Q_OBJECT
public:
    explicit FrameAnimation(QWidget* parent = nullptr, int frameMs = 150);

    // False when a frame could not be loaded; the animation is then empty.
    bool open(const QStringList& frames);
    void play();
    void stop();
    bool isPlaying() const { return m_timer.isActive(); }

private:
    void showFrame(int index);

    QList<QPixmap> m_frames;
    QTimer m_timer;
    int m_current = 0;
};
