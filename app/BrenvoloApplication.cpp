#include "app/BrenvoloApplication.h"

#include "widgets/ExceptionBox.h"

#include <QtGlobal>

BrenvoloApplication::BrenvoloApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool BrenvoloApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        if (m_prompter)
            showException(*m_prompter, error);
        else
            qWarning("%s", error.what());
    }
    return false;
}
