#include "ras/AutomaticCounting.h"

#include "ras/RasTracker.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"

namespace AutomaticCounting {

Action onStatusChange(const StatoProgramma& stato, bool isConnected, bool sessionOpen)
{
    if (stato.ConteggioAutomatico != QLatin1String("0"))
        return Action::None;
    if (isConnected)
        return sessionOpen ? Action::None : Action::Start;
    return sessionOpen ? Action::Stop : Action::None;
}

std::optional<int> classOfText(const QString& text)
{
    const QLatin1String texts[] = {QLatin1String("Tut"), QLatin1String("< 15"), QLatin1String("15 - 30"),
                                   QLatin1String("> 30")};
    for (int i = 0; i < 4; ++i) {
        if (text == texts[i])
            return i + 1;
    }
    return std::nullopt;
}

std::optional<int> classOfEntry(const SettingsStore& store, const QString& entry)
{
    QString classText;
    for (size_t pair = 0; pair < Catalogue::LimitiVoce.size(); ++pair) {
        if (store.read(Catalogue::LimitiVoce[pair]) == entry)
            classText = store.read(Catalogue::LimitiClasse[pair]);
    }
    return classOfText(classText);
}

bool onConnectionStatus(int phase, const QString& connectedEntry, StatoProgramma& stato, SettingsStore& store)
{
    if (phase != RasTracker::PhaseDialling)
        return false;
    store.write(Catalogue::CallerIdNumero, connectedEntry);
    if (const std::optional<int> classe = classOfEntry(store, connectedEntry))
        stato.TariffaCorrente = *classe;
    return true;
}

} // namespace AutomaticCounting
