#pragma once

#include <QObject>
#include <QPoint>
#include <optional>

class QMouseEvent;
class QWidget;

// Moves a window without a caption bar as a caption bar would: a left press
// on its bare surface or on its handle starts the move, by the window system
// where it can, by hand otherwise (the window follows the mouse while the
// button is down).
class StripDrag : public QObject
{
    Q_OBJECT
public:
    // Watches `window`'s mouse events; `handle` is the child that drags too.
    StripDrag(QWidget& window, QWidget& handle);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A left press on the bare surface or the handle: true when it starts a move.
    bool press(const QMouseEvent& mouse);

    QWidget& m_window;
    QWidget& m_handle;
    // The press point's offset from the window's corner during a move by hand.
    std::optional<QPoint> m_offset;
};
