#pragma once

#include <QString>

// Desktop notifications: a short message the desktop shows outside the
// program's windows, so a user whose windows sit in the tray still sees it.
class Notifier
{
public:
    enum class Urgency
    {
        Low,
        Normal,
        Critical
    };

    virtual ~Notifier() = default;
    // Shows a notification and returns at once, never waiting for the desktop.
    // The text may hold carriage returns as line breaks; it is shown as plain
    // text. Without a notification server nothing is shown and nothing fails.
    virtual void notify(const QString& title, const QString& text, Urgency urgency = Urgency::Normal) = 0;
};
