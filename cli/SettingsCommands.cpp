#include "cli/CliContext.h"

namespace {

int impostazioni(CliContext& context)
{
    for (const SettingsStore::Entry& entry : context.store.allValues())
        context.out << entry.section << '/' << entry.value << '=' << entry.text << '\n';
    return CliExit::Done;
}

} // namespace

QList<CliCommand> settingsCommands()
{
    return {{QStringLiteral("impostazioni"), impostazioni}};
}
