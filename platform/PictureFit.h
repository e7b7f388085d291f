#pragma once

#include <QRectF>
#include <QSizeF>

// Where a picture is drawn in a box: as large as the box allows, keeping its
// shape, in the middle of the box. An empty picture fills the box.
QRectF fitKeepingShape(const QSizeF& picture, const QRectF& box);
