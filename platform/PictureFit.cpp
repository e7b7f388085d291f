#include "platform/PictureFit.h"

QRectF fitKeepingShape(const QSizeF& picture, const QRectF& box)
{
    if (picture.isEmpty() || box.isEmpty())
        return box;
    QRectF fitted(QPointF(0, 0), picture.scaled(box.size(), Qt::KeepAspectRatio));
    fitted.moveCenter(box.center());
    return fitted;
}
