#include "platform/forms/FrameAnimation.h"

FrameAnimation::FrameAnimation(QWidget* parent, int frameMs) : PictureBox(parent)
{
    m_timer.setInterval(frameMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { showFrame(m_current + 1); });
}

bool FrameAnimation::open(const QStringList& frames)
{
    stop();
    m_frames.clear();
    for (const QString& path : frames) {
        QPixmap frame;
        if (!frame.load(path)) {
            m_frames.clear();
            break;
        }
        m_frames << frame;
    }
    showFrame(0);
    return !m_frames.isEmpty();
}

void FrameAnimation::play()
{
    if (m_frames.size() > 1)
        m_timer.start();
}

void FrameAnimation::stop()
{
    m_timer.stop();
}

void FrameAnimation::showFrame(int index)
{
    if (m_frames.isEmpty()) {
        setPicture(QPixmap());
        return;
    }
    m_current = index % static_cast<int>(m_frames.size());
    setPicture(m_frames.at(m_current));
}
