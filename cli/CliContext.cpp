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

int exitStatusFor(ConsumiResult::Outcome outcome)
{
    switch (outcome) {
    case ConsumiResult::Outcome::Done:
        return CliExit::Done;
    case ConsumiResult::Outcome::ArchiveMissing:
        return CliExit::ArchiveMissing;
    case ConsumiResult::Outcome::ConversionError:
        return CliExit::Conversion;
    case ConsumiResult::Outcome::MissingClosure:
    case ConsumiResult::Outcome::ReadError:
    case ConsumiResult::Outcome::OutputError:
        break;
    }
    return CliExit::ArchiveError;
}

QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
}
