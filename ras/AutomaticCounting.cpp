#include "ras/AutomaticCounting.h"

#include "ras/RasTracker.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"

namespace AutomaticCounting {

namespace {

// The numbers table: entry name and class text of each of the five pairs.
struct Pair
{
    const char* entryValue;
    const char* classValue;
    const char* defaultEntry;
};

const Pair numbersTable[] = {
    {"ComboBox3_Text", "ComboBox2_Text", "1"},   {"ComboBox5_Text", "ComboBox7_Text", "2"},
    {"ComboBox8_Text", "ComboBox10_Text", "3"},  {"ComboBox11_Text", "ComboBox13_Text", "4"},
    {"ComboBox14_Text", "ComboBox16_Text", "5"},
};

} // namespace

Action onStatusChange(const StatoProgramma& stato, bool isConnected, bool sessionOpen)
{
    if (stato.ConteggioAutomatico != QLatin1String("0"))
        return Action::None;
    if (isConnected)
        return sessionOpen ? Action::None : Action::Start;
    return sessionOpen ? Action::Stop : Action::None;
}

void markAutomaticStart(StatoProgramma& stato, SettingsStore& store)
{
    stato.AvvioAutomatico = QStringLiteral("ON");
    store.writeText(QStringLiteral("ritardo"), QStringLiteral("flagAuto"), QStringLiteral("ON"));
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
    const QString section = QStringLiteral("Limiti");
    QString classText;
    for (const Pair& pair : numbersTable) {
        const QString name = store.readText(section, QLatin1String(pair.entryValue), QLatin1String(pair.defaultEntry));
        if (name == entry)
            classText = store.readText(section, QLatin1String(pair.classValue), QStringLiteral("TuT"));
    }
    return classOfText(classText);
}

bool onConnectionStatus(int phase, const QString& connectedEntry, StatoProgramma& stato, SettingsStore& store)
{
    if (phase != RasTracker::PhaseDialling)
        return false;
    store.writeText(QStringLiteral("callerId"), QStringLiteral("numero"), connectedEntry);
    if (const std::optional<int> classe = classOfEntry(store, connectedEntry))
        stato.TariffaCorrente = *classe;
    return true;
}

} // namespace AutomaticCounting
