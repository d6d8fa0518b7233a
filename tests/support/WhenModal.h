#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// Runs `act` once on the modal window of type T as soon as it is the one on
// top: a test reaches a dialog that its opener runs with exec(). The wait
// belongs to `context` and ends with it, so a window that never appears
// leaves nothing behind.
template <typename T> void whenModal(QObject* context, std::function<void(T&)> act)
{
    auto* poll = new QTimer(context);
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, context, [poll, act = std::move(act)] {
        auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!window || !window->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(*window);
    });
    poll->start();
}
