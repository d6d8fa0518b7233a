#pragma once

#include <QApplication>

class Prompter;

// The application object. Its notify() is the one place where a failure that
// escapes an event handler (a text that does not convert, above all) reaches
// the user: a message box with the failure's text, and the program goes on.
// The widget library does not unwind its own frames cleanly, so a handler
// called from a widget's signal catches its failures itself and hands them to
// showException() (widgets/ExceptionBox.h), which shows them the same way.
class BrenvoloApplication : public QApplication
{
    Q_OBJECT
public:
    BrenvoloApplication(int& argc, char** argv);

    void setPrompter(Prompter* prompter) { m_prompter = prompter; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Prompter* m_prompter = nullptr;
};
