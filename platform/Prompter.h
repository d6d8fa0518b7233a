#pragma once

#include <QFlags>
#include <QString>

// Message boxes: a text, a title, an icon and buttons; returns the button pressed.
class Prompter
{
public:
    enum class Icon
    {
        None,
        Information,
        Warning,
        Critical,
        Question
    };
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

    // The program's usual boxes.
    void warning(const QString& text) { message(text, QStringLiteral("Attenzione!"), Icon::Warning); }
    void information(const QString& text) { message(text, QStringLiteral("Informazione!"), Icon::Information); }
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Prompter::Buttons)
