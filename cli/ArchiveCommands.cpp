#include "archive/ArchivioChiamate.h"
#include "cli/CliContext.h"

namespace {

int valida(CliContext& context)
{
    if (context.arguments.size() != 1 || context.arguments.at(0).startsWith(QLatin1String("--"))) {
        context.err << "uso: brenvolo-cli valida FILE\n";
        return CliExit::Usage;
    }
    return archivioValido(context.arguments.at(0)) ? CliExit::Done : CliExit::No;
}

} // namespace

QList<CliCommand> archiveCommands()
{
    return {{QStringLiteral("valida"), valida}};
}
