#include "platform/forms/PictureBox.h"

#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QLabel(parent)
{
    setMinimumSize(16, 16);
}

PictureBox::PictureBox(const QString& resource, QWidget* parent) : PictureBox(parent)
{
    loadPicture(resource);
}

bool PictureBox::loadPicture(const QString& path)
{
    QPixmap loaded;
    const bool ok = !path.isEmpty() && loaded.load(path);
    setPicture(ok ? loaded : QPixmap());
    return ok;
}

void PictureBox::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), m_picture);
}
