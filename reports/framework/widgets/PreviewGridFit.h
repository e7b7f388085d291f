#pragma once

#include <QList>
#include <QObject>

class QTableView;

// Keeps the columns of a preview grid as wide as their headings and the values
// on the screen (never more rows than those: a report may hold a year of a
// site), at least their least widths, and spread over the grid's width
// (previewColumnWidths). It fits again when the rows, the headings, the
// scrolled position or the grid's size change; a column grows while the same
// rows stay in the grid, so that it does not jump back and forth on scrolling.
// The user does not drag the columns.
class PreviewGridFit final : public QObject {
public:
    explicit PreviewGridFit(QTableView& grid);

    // The least width of each column in pixels; 0 hides the column.
    void setLeastWidths(QList<int> pixels);
    void refit();
    // How wide the grid must be to show its columns whole, fitted to the rows
    // from the top that `height` pixels hold: its frame and vertical scroll bar included.
    int wantedWidth(int height) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitOnce();
    QList<int> leastWidths() const;
    // The widest of the heading and the values of rows top to bottom.
    int contentWidth(int column, int top, int bottom) const;
    int widestShownValue(int column, int top, int bottom) const;

    QTableView& m_grid;
    QObject* m_viewport;
    QList<int> m_least;
    QList<int> m_content;
    bool m_fitting = false;
    bool m_again = false;
};
