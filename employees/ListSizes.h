#pragma once

#include <QList>

// The sizes, in twips, that the register's list windows give their lists.
namespace ListSizes {

// Each column's width for a list `listWidth` twips wide: a unit of one
// hundredth of the list's width less 240 twips, rounded and the remainder of
// the division dropped, times the column's share.
QList<int> columnWidths(double listWidth, const QList<int>& shares);

struct Size {
    int width = 0;
    int height = 0;
};
// A list at (left, top) of a window whose inside is `innerWidth` by
// `innerHeight` twips fills it to 170 twips from the right and 120 from the
// bottom, and is never smaller than 480 by 480.
Size fittedList(double innerWidth, double innerHeight, double left, double top);

}
