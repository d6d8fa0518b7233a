#pragma once

#include "platform/Prompter.h"

#include <QList>
#include <QStringList>
#include <optional>

// Reports a message box no test expected as a failure of the running test.
// Each test program defines it for its framework (gtest_failure.cpp, ui_main.cpp).
void reportUnexpectedBox(const QString& text, const QString& title);

// Records every message box. A test declares the boxes it expects before they
// appear, with expect() (the whole text) or expectContaining() (a part of it);
// each expectation answers one box, with its own answer or else the box's OK
// (or its first button). A box that no expectation matches fails the test.
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

    FakePrompter& expect(const QString& text, std::optional<Button> answer = std::nullopt)
    {
        m_expected.append({text, false, answer});
        return *this;
    }
    FakePrompter& expectContaining(const QString& part, std::optional<Button> answer = std::nullopt)
    {
        m_expected.append({part, true, answer});
        return *this;
    }

    Button message(const QString& text, const QString& title, Icon icon, Buttons buttons) override
    {
        shown.append({text, title, icon, buttons});
        std::optional<Button> answer;
        bool expected = false;
        for (qsizetype i = 0; i < m_expected.size(); ++i) {
            const Expected& e = m_expected.at(i);
            if (e.part ? text.contains(e.text) : text == e.text) {
                expected = true;
                answer = e.answer;
                m_expected.removeAt(i);
                break;
            }
        }
        if (!expected)
            reportUnexpectedBox(text, title);
        if (answer)
            return *answer;
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

    // The expected boxes that have not appeared yet.
    QStringList pending() const
    {
        QStringList list;
        for (const Expected& e : m_expected)
            list.append(e.text);
        return list;
    }

    QList<Shown> shown;

private:
    struct Expected
    {
        QString text;
        bool part;
        std::optional<Button> answer;
    };
    QList<Expected> m_expected;
};
