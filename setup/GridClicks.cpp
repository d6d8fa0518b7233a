#include "setup/GridClicks.h"

#include <QEvent>
#include <QTableWidget>

GridClicks::GridClicks(QTableWidget* grid, std::function<void()> chosen)
    : QObject(grid)
    , m_grid(grid)
    , m_viewport(grid->viewport())
{
    m_viewport->installEventFilter(this);
    connect(grid, &QTableWidget::currentCellChanged, this, [chosen] { chosen(); });
    connect(grid, &QTableWidget::cellClicked, this, [this, chosen](int row, int column) {
        if (m_beforeClick == QPoint(column, row))
            chosen();
    });
}

bool GridClicks::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_viewport && event->type() == QEvent::MouseButtonPress)
        m_beforeClick = QPoint(m_grid->currentColumn(), m_grid->currentRow());
    return QObject::eventFilter(watched, event);
}
