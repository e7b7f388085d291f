#include "platform/forms/AnimationBox.h"

#include <QPainter>

namespace {
constexpr int Frames = 16;
}

AnimationBox::AnimationBox(QWidget* parent) : QWidget(parent)
{
    m_timer.setInterval(80);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % Frames;
        update();
    });
}

void AnimationBox::play()
{
    m_frame = 0;
    m_timer.start();
    update();
}

void AnimationBox::stop()
{
    m_timer.stop();
    update();
}

void AnimationBox::paintEvent(QPaintEvent*)
{
    // A sheet of lines, and a magnifier passing over it.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF sheet(width() * 0.15, height() * 0.1, width() * 0.5, height() * 0.8);
    p.setPen(QPen(Qt::darkGray, 1));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    for (int i = 1; i <= 4; ++i) {
        const double y = sheet.top() + sheet.height() * i / 5.0;
        p.drawLine(QPointF(sheet.left() + 4, y), QPointF(sheet.right() - 4, y));
    }
    const double phase = static_cast<double>(m_frame) / Frames;
    const double sweep = phase < 0.5 ? phase * 2 : 2 - phase * 2;
    const double r = std::min(width(), height()) * 0.18;
    const QPointF centre(sheet.left() + sweep * sheet.width(), height() * 0.45);
    p.setPen(QPen(QColor(0x2e, 0x86, 0xde), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, r, r);
    p.drawLine(centre + QPointF(r * 0.7, r * 0.7), centre + QPointF(r * 1.6, r * 1.6));
}
