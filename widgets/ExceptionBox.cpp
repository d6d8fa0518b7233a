#include "widgets/ExceptionBox.h"

#include "platform/Prompter.h"
#include "settings/Conversion.h"

#include <QCoreApplication>

void showException(Prompter& prompter, const std::exception& error)
{
    const auto* conversion = dynamic_cast<const EConvertError*>(&error);
    const QString text = conversion ? conversion->message() : QString::fromLocal8Bit(error.what());
    prompter.message(text, QCoreApplication::applicationName(), Prompter::Icon::Critical);
}
