#include "ras/StartupLaunch.h"

#include "platform/DialUpSource.h"
#include "platform/Shell.h"
#include "settings/SettingsStore.h"

namespace StartupLaunch {

namespace {

constexpr QLatin1String nessuno("NESSUNO");

} // namespace

void dialProvider(const SettingsStore& store, DialUpSource& dialUp)
{
    dialUp.dial(store.read(Catalogue::ConnessioneProvider));
}

void launchPrograms(const SettingsStore& store, Shell& shell)
{
    const struct
    {
        const Setting& value;
        Shell::ShowMode mode;
    } programs[] = {
        {Catalogue::EseguiBrowser, Shell::ShowMode::Normal},
        {Catalogue::EseguiMail, Shell::ShowMode::Minimized},
        {Catalogue::EseguiAltro, Shell::ShowMode::Minimized},
    };
    for (const auto& program : programs) {
        const QString path = store.read(program.value);
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
