#pragma once

#include "platform/Notifier.h"

#include <QList>

// Records the desktop notifications the program sent.
class FakeNotifier : public Notifier
{
public:
    struct Notification
    {
        QString title;
        QString text;
        Urgency urgency = Urgency::Normal;
    };

    void notify(const QString& title, const QString& text, Urgency urgency) override
    {
        sent.append({title, text, urgency});
    }

    QList<Notification> sent;
};
