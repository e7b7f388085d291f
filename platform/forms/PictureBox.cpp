#include "platform/forms/PictureBox.h"

#include "platform/PictureFit.h"

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
    // A square picture stays square, whatever the shape of its box.
    const QSizeF shown = m_picture.deviceIndependentSize();
    painter.drawPixmap(fitKeepingShape(shown, QRectF(rect())), m_picture, QRectF(m_picture.rect()));
}
