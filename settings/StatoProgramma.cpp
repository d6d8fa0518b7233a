#include "settings/StatoProgramma.h"

#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"

namespace {

template <size_t N> QStringList readList(const SettingsStore& store, const std::array<Setting, N>& settings)
{
    QStringList list;
    for (const Setting& setting : settings)
        list.append(store.read(setting));
    return list;
}

} // namespace

void StatoProgramma::fromStore(const SettingsStore& store, QStringList* problemi)
{
    ModoVisualizzazione = static_cast<Visualizzazione>(store.readInteger(Catalogue::VisualizzaTipo));
    const bool barra = modo(Visualizzazione::Barra);
    Posizione = QPoint(store.readInteger(barra ? Catalogue::PosizioneFinePosX : Catalogue::PosizionePosX),
                       store.readInteger(barra ? Catalogue::PosizioneFinePosY : Catalogue::PosizionePosY));
    ComposizioneAutomatica = store.read(Catalogue::ConnessioneAutomatico);
    ConteggioAutomatico = store.read(Catalogue::LimitiRadioGroup4);

    feriali = readList(store, Catalogue::Feriali);
    sabato = readList(store, Catalogue::Sabato);
    festivi = readList(store, Catalogue::Festivi);
    festivita = readList(store, Catalogue::Festivita);
    CostoScatto = store.readPrice(Catalogue::ImportoCosto, problemi);
    CostoScattoBase = CostoScatto;
    RitardoAvvio = store.readClamped(Catalogue::RitardoSecondi);
    TariffaCorrente = store.readInteger(Catalogue::TariffaFlag5);
    TipoTariffaInternet = store.readInteger(Catalogue::TariffaFlag6, problemi);

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
