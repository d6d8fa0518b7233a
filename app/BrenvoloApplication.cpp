#include "app/BrenvoloApplication.h"

#include "platform/Prompter.h"
#include "settings/Conversion.h"

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

void BrenvoloApplication::showException(Prompter& prompter, const std::exception& error)
{
    const auto* conversion = dynamic_cast<const EConvertError*>(&error);
    const QString text = conversion ? conversion->message() : QString::fromLocal8Bit(error.what());
    prompter.message(text, QApplication::applicationName(), Prompter::Icon::Critical);
}
