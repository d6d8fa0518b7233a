#include "platform/DisplayPlatform.h"

namespace DisplayPlatform {

namespace {

bool isSet(const QProcessEnvironment& environment, const QString& name)
{
    return !environment.value(name).isEmpty();
}

// Qt reads "-platform NAME", and "--platform NAME" alike.
bool platformChosen(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("-platform") || argument == QLatin1String("--platform"))
            return true;
    }
    return false;
}

} // namespace

QString forcedPlatform(const QProcessEnvironment& environment, const QStringList& arguments)
{
    const bool wayland = isSet(environment, QStringLiteral("WAYLAND_DISPLAY")) ||
                         environment.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland");
    if (!wayland || !isSet(environment, QStringLiteral("DISPLAY")))
        return {};
    if (isSet(environment, QStringLiteral("QT_QPA_PLATFORM")) || platformChosen(arguments))
        return {};
    return QStringLiteral("xcb");
}

QStringList arguments(int argc, char** argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

} // namespace DisplayPlatform
