#include "cli/CliContext.h"

#include "settings/Conversion.h"

#include <QSet>

namespace {

bool isCommon(const QString& option)
{
    return option == QLatin1String("--archivio") || option == QLatin1String("--oggi") ||
           option == QLatin1String("--imposta");
}

// "SEZIONE/VALORE=TESTO" into the settings held in memory; false when it is not of that form.
bool impose(const QString& setting, CliContext& context)
{
    const qsizetype slash = setting.indexOf(QLatin1Char('/'));
    const qsizetype equals = setting.indexOf(QLatin1Char('='));
    if (slash <= 0 || equals < slash)
        return false;
    context.store.writeText(setting.left(slash), setting.mid(slash + 1, equals - slash - 1), setting.mid(equals + 1));
    return true;
}

CliParse wrong(const QString& fault)
{
    return {CliParse::Outcome::Usage, fault};
}

// A common option's value, applied to the context.
CliParse applyCommon(const QString& option, const QString& value, CliContext& context)
{
    if (option == QLatin1String("--archivio"))
        context.archivio = value;
    else if (option == QLatin1String("--oggi"))
        context.oggi = strToDate(value);
    else if (!impose(value, context))
        return wrong(QStringLiteral("impostazione non valida: %1 (SEZIONE/VALORE=TESTO)").arg(value));
    return {};
}

} // namespace

CliParse readArguments(const QStringList& args, const CliGrammar& grammar, CliContext& context)
{
    QSet<QString> seen;
    int plain = 0;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--help") || a == QLatin1String("-h"))
            return {CliParse::Outcome::Help, {}};
        const bool withValue = isCommon(a) || grammar.values.contains(a);
        if (withValue || grammar.switches.contains(a)) {
            if (seen.contains(a) && a != QLatin1String("--imposta"))
                return wrong(QStringLiteral("opzione ripetuta: %1").arg(a));
            seen.insert(a);
        } else if (a.size() > 1 && a.startsWith(QLatin1Char('-'))) {
            return wrong(QStringLiteral("opzione sconosciuta: %1").arg(a));
        } else if (++plain > grammar.plain) {
            return wrong(QStringLiteral("argomento in più: %1").arg(a));
        }
        if (!withValue) {
            context.arguments.append(a);
            continue;
        }
        if (i + 1 == args.size() || args.at(i + 1).startsWith(QLatin1String("--")))
            return wrong(QStringLiteral("manca il valore di %1").arg(a));
        const QString& value = args.at(++i);
        if (!isCommon(a)) {
            context.arguments << a << value;
            continue;
        }
        const CliParse common = applyCommon(a, value, context);
        if (common.outcome != CliParse::Outcome::Run)
            return common;
    }
    return {};
}

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
