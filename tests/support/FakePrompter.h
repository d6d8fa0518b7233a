#pragma once

#include "platform/Prompter.h"

#include <QList>
#include <QStringList>

// Records every message box and answers from a queue (OK, or the box's
// first button, when the queue is empty). A test that expects no boxes checks
// `shown` is empty.
class FakePrompter : public Prompter
{
public:
    struct Shown
    {
        QString text;
        QString title;
        Icon icon;
        Buttons buttons;
    };

    Button message(const QString& text, const QString& title, Icon icon, Buttons buttons) override
    {
        shown.append({text, title, icon, buttons});
        if (!answers.isEmpty())
            return answers.takeFirst();
        for (Button b : {Button::Ok, Button::Yes, Button::No, Button::Cancel}) {
            if (buttons.testFlag(b))
                return b;
        }
        return Button::Ok;
    }

    QStringList texts() const
    {
        QStringList list;
        for (const Shown& s : shown)
            list.append(s.text);
        return list;
    }

    QList<Shown> shown;
    QList<Button> answers;
};
