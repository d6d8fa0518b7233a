#include "settings/StatoProgramma.h"

#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"

#include <algorithm>

namespace {

QStringList readList(const SettingsStore& store, const QString& section, const QString& prefix, int count)
{
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list.append(store.readText(section, prefix + QString::number(i), QStringLiteral("000")));
    return list;
}

} // namespace

void StatoProgramma::fromStore(const SettingsStore& store)
{
    ModoVisualizzazione = store.readInteger(QStringLiteral("visualizza"), QStringLiteral("tipo"), 0);
    if (ModoVisualizzazione < 0 || ModoVisualizzazione > 3)
        ModoVisualizzazione = 0;
    const QString positionSection =
        ModoVisualizzazione == 2 ? QStringLiteral("posizioneFine") : QStringLiteral("posizione");
    Posizione = QPoint(store.readInteger(positionSection, QStringLiteral("PosX"), 0),
                       store.readInteger(positionSection, QStringLiteral("PosY"), 0));
    ComposizioneAutomatica =
        store.readText(QStringLiteral("connessione"), QStringLiteral("automatico"), QStringLiteral("OFF"));
    ConteggioAutomatico =
        store.readText(QStringLiteral("Limiti"), QStringLiteral("RadioGroup4_ItemIndex"), QStringLiteral("0"));

    feriali = readList(store, QStringLiteral("feriali"), QStringLiteral("fascia"), 3);
    sabato = readList(store, QStringLiteral("sabato"), QStringLiteral("fascia"), 3);
    festivi = readList(store, QStringLiteral("festivi"), QStringLiteral("fascia"), 2);
    festivita = readList(store, QStringLiteral("festivita"), QStringLiteral("FEST"), 9);
    CostoScatto = store.readText(QStringLiteral("importo"), QStringLiteral("costo"), QStringLiteral("000"));
    CostoScattoBase = CostoScatto;
    RitardoAvvio = std::clamp(store.readInteger(QStringLiteral("ritardo"), QStringLiteral("secondi"), 12), 0, 59);
    TariffaCorrente = store.readInteger(QStringLiteral("tariffa"), QStringLiteral("flag5"), 1);
    if (TariffaCorrente < 1 || TariffaCorrente > 4)
        TariffaCorrente = 1;
    TipoTariffaInternet = store.readInteger(QStringLiteral("tariffa"), QStringLiteral("flag6"), 1);

    const QStringList events = SettingsStore::soundEvents();
    for (size_t i = 0; i < SuonoFile.size(); ++i)
        SuonoFile[i] = store.soundFile(events.at(static_cast<int>(i)));
}

StatoProgramma StatoProgramma::fromFactoryDefaults()
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    store.writeFirstRunDefaults(220);
    StatoProgramma stato;
    stato.fromStore(store);
    return stato;
}
