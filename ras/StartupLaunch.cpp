#include "ras/StartupLaunch.h"

#include "platform/Shell.h"
#include "ras/DialUpSource.h"
#include "settings/SettingsStore.h"

namespace StartupLaunch {

namespace {

constexpr QLatin1String nessuno("NESSUNO");

} // namespace

void dialProvider(const SettingsStore& store, DialUpSource& dialUp)
{
    dialUp.dial(store.readText(QStringLiteral("connessione"), QStringLiteral("provider"), nessuno));
}

void launchPrograms(const SettingsStore& store, Shell& shell)
{
    const struct
    {
        const char* value;
        Shell::ShowMode mode;
    } programs[] = {
        {"browser", Shell::ShowMode::Normal},
        {"mail", Shell::ShowMode::Minimized},
        {"altro", Shell::ShowMode::Minimized},
    };
    for (const auto& program : programs) {
        const QString path = store.readText(QStringLiteral("esegui"), QLatin1String(program.value), nessuno);
        if (path == nessuno || path.isEmpty())
            continue;
        shell.open(path, program.mode);
    }
}

void run(const QString& composizioneAutomatica, const SettingsStore& store, DialUpSource& dialUp, Shell& shell)
{
    if (composizioneAutomatica == QLatin1String("ON"))
        dialProvider(store, dialUp);
    launchPrograms(store, shell);
}

} // namespace StartupLaunch
