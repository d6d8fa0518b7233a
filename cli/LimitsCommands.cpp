#include "archive/VerificaLimiti.h"
#include "cli/CliContext.h"
#include "settings/StatoProgramma.h"

namespace {

int limiti(CliContext& context)
{
    StatoProgramma stato;
    stato.fromStore(context.store);
    const int dopoArresto = context.flag(QStringLiteral("--dopo-arresto")) ? 1 : 0;
    const LimitiResult r = verificaLimiti(dopoArresto, context.archivio, context.oggi, stato, context.store);
    // The check's message boxes as lines of text, carriage returns written as \r.
    for (const Message& m : r.messages)
        context.out << oneLine(m.text) << '\n';
    return exitStatusFor(r.outcome);
}

} // namespace

QList<CliCommand> limitsCommands()
{
    return {{QStringLiteral("limiti"), limiti, {{}, {QStringLiteral("--dopo-arresto")}}}};
}
