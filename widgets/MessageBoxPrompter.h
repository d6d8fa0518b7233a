#pragma once

#include "platform/Prompter.h"

// Message boxes owned by the active window.
class MessageBoxPrompter : public Prompter
{
public:
    Button message(const QString& text, const QString& title, Icon icon, Buttons buttons) override;
};
