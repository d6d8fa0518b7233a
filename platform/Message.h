#pragma once

#include <QString>

// A message box as the engine reports it: the engine never shows one, it
// returns these and a window (or the command-line tool) shows them through
// the Prompter.
struct Message
{
    enum class Icon
    {
        None,
        Information,
        Warning,
        Critical,
        Question
    };

    QString text;
    QString title = QStringLiteral("Attenzione!");
    Icon icon = Icon::Warning;

    bool operator==(const Message&) const = default;
};
