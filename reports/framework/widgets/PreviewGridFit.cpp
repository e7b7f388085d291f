#include "reports/framework/widgets/PreviewGridFit.h"

#include "reports/framework/PreviewColumnWidths.h"

#include <QAbstractItemDelegate>
#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <algorithm>

PreviewGridFit::PreviewGridFit(QTableView& grid) : QObject(&grid), m_grid(grid), m_viewport(grid.viewport())
{
    m_grid.horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_viewport->installEventFilter(this);
    QAbstractItemModel* model = m_grid.model();
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        m_content.clear();
        refit();
    });
    connect(model, &QAbstractItemModel::rowsInserted, this, &PreviewGridFit::refit);
    connect(model, &QAbstractItemModel::dataChanged, this, &PreviewGridFit::refit);
    connect(model, &QAbstractItemModel::layoutChanged, this, &PreviewGridFit::refit);
    connect(model, &QAbstractItemModel::headerDataChanged, this, &PreviewGridFit::refit);
    connect(m_grid.verticalScrollBar(), &QScrollBar::valueChanged, this, &PreviewGridFit::refit);
}

void PreviewGridFit::setLeastWidths(QList<int> pixels)
{
    m_least = std::move(pixels);
    m_content.clear();
    refit();
}

bool PreviewGridFit::eventFilter(QObject* watched, QEvent* event)
{
    // The viewport's events come also while the grid is being destroyed: compare, ask nothing.
    if (watched == m_viewport && event->type() == QEvent::Resize)
        refit();
    return QObject::eventFilter(watched, event);
}

// Setting the widths may show or hide a scroll bar, which resizes the grid
// again: that fit is made once this one is done.
void PreviewGridFit::refit()
{
    if (m_fitting) {
        m_again = true;
        return;
    }
    m_fitting = true;
    for (int round = 0; round < 3; ++round) {
        m_again = false;
        fitOnce();
        if (!m_again)
            break;
    }
    m_fitting = false;
}

void PreviewGridFit::fitOnce()
{
    const int columns = m_grid.model()->columnCount();
    const int rows = m_grid.model()->rowCount();
    const int top = m_grid.rowAt(0);
    int bottom = m_grid.rowAt(m_grid.viewport()->height() - 1);
    if (bottom < 0)
        bottom = rows - 1;
    const QList<int> least = leastWidths();
    m_content.resize(columns, 0);
    for (int c = 0; c < columns; ++c) {
        if (least.at(c) > 0)
            m_content[c] = std::max(m_content.at(c), contentWidth(c, top, bottom));
    }
    const QList<int> widths = previewColumnWidths(least, m_content, m_grid.viewport()->width());
    for (int c = 0; c < columns; ++c) {
        m_grid.setColumnHidden(c, widths.at(c) == 0);
        if (widths.at(c) > 0 && m_grid.columnWidth(c) != widths.at(c))
            m_grid.setColumnWidth(c, widths.at(c));
    }
}

int PreviewGridFit::wantedWidth(int height) const
{
    const int rows = m_grid.model()->rowCount();
    const int rowHeight = std::max(1, m_grid.verticalHeader()->defaultSectionSize());
    const int shown = std::min(rows, height / rowHeight + 1);
    const QList<int> least = leastWidths();
    QList<int> content(least.size(), 0);
    for (int c = 0; c < least.size(); ++c) {
        if (least.at(c) > 0)
            content[c] = contentWidth(c, shown > 0 ? 0 : -1, shown - 1);
    }
    int wanted = 2 * m_grid.frameWidth();
    for (int width : previewColumnWidths(least, content, 0))
        wanted += width;
    if (shown < rows)
        wanted += m_grid.verticalScrollBar()->sizeHint().width();
    return wanted;
}

QList<int> PreviewGridFit::leastWidths() const
{
    const int columns = m_grid.model()->columnCount();
    QList<int> least(columns, 0);
    for (int c = 0; c < columns && c < m_least.size(); ++c)
        least[c] = m_least.at(c);
    return least;
}

int PreviewGridFit::contentWidth(int column, int top, int bottom) const
{
    const int heading = m_grid.horizontalHeader()->sectionSizeHint(column);
    return std::max(heading, top < 0 ? 0 : widestShownValue(column, top, bottom));
}

int PreviewGridFit::widestShownValue(int column, int top, int bottom) const
{
    QStyleOptionViewItem option;
    option.initFrom(&m_grid);
    option.font = m_grid.font();
    option.fontMetrics = m_grid.fontMetrics();
    option.widget = &m_grid;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    int widest = 0;
    for (int row = top; row <= bottom; ++row) {
        const QModelIndex index = m_grid.model()->index(row, column);
        widest = std::max(widest, m_grid.itemDelegateForIndex(index)->sizeHint(option, index).width());
    }
    // The grid's line between the columns.
    return widest + (m_grid.showGrid() ? 1 : 0);
}
