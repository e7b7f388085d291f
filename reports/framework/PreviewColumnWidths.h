#pragma once

#include <QList>

// The widths of a preview grid's columns, in pixels. A column is as wide as
// its least width, its heading and the widest value shown, whichever is most;
// a column whose least width is 0 stays hidden (0). Room left over in the grid
// is shared out among the shown columns in proportion to their widths, so the
// columns widen with the window; the last shown column takes what rounding
// leaves. A grid narrower than its columns keeps them whole (it scrolls).
//
// `least` and `content` run in parallel; a column missing from `content` needs
// only its least width.
QList<int> previewColumnWidths(const QList<int>& least, const QList<int>& content, int available);
