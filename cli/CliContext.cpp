#include "cli/CliContext.h"

QString CliContext::option(const QString& name) const
{
    const qsizetype at = arguments.indexOf(name);
    return at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1) : QString();
}

bool CliContext::flag(const QString& name) const
{
    return arguments.contains(name);
}
