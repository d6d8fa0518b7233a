#pragma once

#include "platform/Message.h"

#include <QFlags>
#include <QList>
#include <QString>

// Message boxes: a text, a title, an icon and buttons; returns the button pressed.
class Prompter
{
public:
    using Icon = ::Message::Icon;

    enum class Button
    {
        Ok = 0x1,
        Cancel = 0x2,
        Yes = 0x4,
        No = 0x8
    };
    Q_DECLARE_FLAGS(Buttons, Button)

    virtual ~Prompter() = default;
    virtual Button message(const QString& text, const QString& title, Icon icon, Buttons buttons = Button::Ok) = 0;

    Button show(const Message& m) { return message(m.text, m.title, m.icon); }
    void show(const QList<Message>& messages)
    {
        for (const Message& m : messages)
            show(m);
    }

    // The program's usual boxes.
    void warning(const QString& text) { message(text, QStringLiteral("Attenzione!"), Icon::Warning); }
    void information(const QString& text) { message(text, QStringLiteral("Informazione!"), Icon::Information); }
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Prompter::Buttons)
