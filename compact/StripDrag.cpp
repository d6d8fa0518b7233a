#include "compact/StripDrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

StripDrag::StripDrag(QWidget& window, QWidget& handle)
    : QObject(&window)
    , m_window(window)
    , m_handle(handle)
{
    window.installEventFilter(this);
}

bool StripDrag::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_window)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return press(*static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!m_offset || !mouse->buttons().testFlag(Qt::LeftButton))
            return false;
        m_window.move(mouse->globalPosition().toPoint() - *m_offset);
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_offset.reset();
        return false;
    default:
        return false;
    }
}

bool StripDrag::press(const QMouseEvent& mouse)
{
    QWidget* sotto = m_window.childAt(mouse.position().toPoint());
    if (mouse.button() != Qt::LeftButton || (sotto && sotto != &m_handle))
        return false;
    if (QWindow* finestra = m_window.windowHandle(); !finestra || !finestra->startSystemMove())
        m_offset = mouse.globalPosition().toPoint() - m_window.frameGeometry().topLeft();
    return true;
}
