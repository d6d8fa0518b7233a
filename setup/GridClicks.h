#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

class QTableWidget;

// Tells when the user chooses a cell of a grid: the selection moves to
// another cell (a click or a key), or a click lands on the cell already
// selected, which shows it again. Owned by the grid.
class GridClicks : public QObject
{
public:
    GridClicks(QTableWidget* grid, std::function<void()> chosen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableWidget* m_grid;
    // Kept: the grid's own viewport() must not be asked while the grid is being destroyed.
    QObject* m_viewport;
    // The cell selected when the mouse button went down.
    QPoint m_beforeClick{-1, -1};
};
