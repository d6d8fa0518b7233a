// Every read of the settings over an arbitrary settings file, through the
// INI backend the program uses: each value of the catalogue by its kind, the
// start-up snapshot, the pricing, meter and limits settings, the numbers
// table, the listing, the command-line tool's copy of the store and the
// rescue of an unreadable file.
//
// Input: Software.ini, a form feed, AppEvents.ini.

#include "archive/ControlloLimitiInDiretta.h"
#include "archive/ImpostazioniLimiti.h"
#include "archive/PrezzaChiamata.h"
#include "meter/CostMeter.h"
#include "platform/IniSettingsBackend.h"
#include "ras/AutomaticCounting.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"
#include "tests/fuzz/FuzzSupport.h"

#include <QDir>

namespace {

bool limite(const Setting& s)
{
    return QLatin1String(s.section) == QLatin1String("limiti");
}

// Each value read the ways its readers read it.
void catalogo(const SettingsStore& store)
{
    ImpostazioniLimiti limiti(store);
    for (const Setting& s : Catalogue::all) {
        QStringList problemi;
        switch (s.kind) {
        case Setting::Kind::Integer: {
            const int numero = store.readInteger(s, &problemi);
            if (!s.inRange(numero) && s.inRange(s.defaultInteger()))
                FuzzSupport::fail(QStringLiteral("%1\\%2 read as %3").arg(s.sectionName(), s.valueName()).arg(numero));
            if (!s.inRange(store.readClamped(s)))
                FuzzSupport::fail(
                    QStringLiteral("%1\\%2 clamped out of its range").arg(s.sectionName(), s.valueName()));
            break;
        }
        case Setting::Kind::Switch:
            store.isOn(s);
            break;
        case Setting::Kind::Price:
            store.readPrice(s, &problemi);
            break;
        case Setting::Kind::Text:
            if (!limite(s))
                store.read(s);
            break;
        }
    }
    for (const ImpostazioniLimiti::Limite& l : ImpostazioniLimiti::tabella()) {
        limiti.allarme(l);
        limiti.addebito(l);
        limiti.minuti(l);
        limiti.consumo(l);
    }
    limiti.prezzoOreAggiuntive();
    limiti.anticipo();
    limiti.inizioAnno();
    for (const Setting& voce : Catalogue::LimitiVoce)
        AutomaticCounting::classOfEntry(store, store.read(voce));
    for (const QString& evento : SettingsStore::soundEvents())
        store.soundFile(evento);
}

void letture(const SettingsStore& store)
{
    QStringList problemi;
    StatoProgramma stato;
    stato.fromStore(store, &problemi);
    if (stato.TipoTariffaInternet < 1 || stato.TipoTariffaInternet > 2 || stato.TariffaCorrente < 1 ||
        stato.TariffaCorrente > 4 || stato.RitardoAvvio < 0 || stato.RitardoAvvio > 59)
        FuzzSupport::fail(QStringLiteral("snapshot out of range: class %1, type %2, delay %3")
                              .arg(stato.TariffaCorrente)
                              .arg(stato.TipoTariffaInternet)
                              .arg(stato.RitardoAvvio));
    PricingSettings::fromStore(store, &problemi);
    CostMeter::Settings::fromStore(store, &problemi);
    ControlloLimitiInDiretta::leggi(store, &problemi);
    store.isFirstRun();
}

// brenvolo-cli works from a copy of the store in memory: it must read what the program reads.
void copia(const IniSettingsBackend& ini, const SettingsStore& store)
{
    MemorySettingsBackend memoria;
    memoria.copyFrom(ini, SettingsStore::chiave);
    const SettingsStore copiato(memoria);
    for (const Setting& s : Catalogue::all) {
        if (copiato.read(s) != store.read(s))
            FuzzSupport::fail(QStringLiteral("%1\\%2: the program reads «%3», the tool «%4»")
                                  .arg(s.sectionName(), s.valueName(), store.read(s), copiato.read(s)));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSupport::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QList<QByteArray> parti = FuzzSupport::parts(data, size, 2);
    const QDir dir(FuzzSupport::freshDirectory());
    FuzzSupport::writeFile(dir.filePath(QStringLiteral("Software.ini")), parti.at(0));
    if (!parti.at(1).isEmpty())
        FuzzSupport::writeFile(dir.filePath(QStringLiteral("AppEvents.ini")), parti.at(1));

    IniSettingsBackend ini(dir.path());
    ini.rescueUnreadableFiles();
    const SettingsStore store(ini);
    catalogo(store);
    letture(store);
    store.allValues();
    copia(ini, store);
    return 0;
}
