#include "settings/SettingsRepair.h"

#include "settings/SettingsCatalogue.h"

#include <algorithm>
#include <span>

namespace {

// What a section holds, in the user's words.
QString descrizione(const QString& sezione)
{
    static const QList<QPair<const char*, const char*>> nomi = {
        {"importo", "costo dello scatto"},
        {"ritardo", "ritardo dell'avvio automatico"},
        {"tariffa", "classe e tipo di tariffa"},
        {"internet", "riduzioni per Internet"},
        {"suono", "avvisi sonori"},
        {"frazione", "scatto alla risposta"},
        {"InizioConteggio", "data di inizio del conteggio"},
        {"visualizza", "modo di visualizzazione e backup"},
        {"VediCosti", "finestra dei costi"},
        {"NonModificare", "impostazioni interne"},
        {"Posizione", "posizione delle finestre"},
        {"PosizioneFine", "posizione della barra"},
        {"connessione", "connessione automatica"},
        {"esegui", "programmi da avviare"},
        {"festivita", "festività"},
        {"feriali", "fasce orarie dei giorni feriali"},
        {"sabato", "fasce orarie del sabato"},
        {"festivi", "fasce orarie dei giorni festivi"},
    };
    for (const auto& [nome, testo] : nomi) {
        if (sezione.compare(QLatin1String(nome), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(testo);
    }
    return sezione;
}

// The bands that are there (not among `mancanti`) but do not read.
QList<SettingsRepair::FasciaGuasta> guasteIn(const SettingsStore& store, const QList<SettingsStore::Entry>& mancanti,
                                             const std::function<bool(const QString&)>& valida)
{
    const auto manca = [&mancanti](const Setting& fascia) {
        return std::any_of(mancanti.begin(), mancanti.end(), [&fascia](const SettingsStore::Entry& e) {
            return e.section == fascia.sectionName() && e.value == fascia.valueName();
        });
    };
    QList<SettingsRepair::FasciaGuasta> guaste;
    for (const auto& lista : {std::span<const Setting>(Catalogue::Feriali), std::span<const Setting>(Catalogue::Sabato),
                              std::span<const Setting>(Catalogue::Festivi)}) {
        for (const Setting& fascia : lista) {
            const QString testo = store.read(fascia);
            if (!manca(fascia) && !valida(testo))
                guaste.append({{fascia.sectionName(), fascia.valueName(), QLatin1String(fascia.firstRun)}, testo});
        }
    }
    return guaste;
}

} // namespace

SettingsRepair SettingsRepair::run(SettingsStore& store, const QStringList& copie, int posCostiX,
                                   const std::function<bool(const QString&)>& fasciaValida)
{
    SettingsRepair repair;
    repair.copie = copie;
    repair.ripristinati = store.missingFirstRunValues(posCostiX);
    if (fasciaValida)
        repair.fasceGuaste = guasteIn(store, repair.ripristinati, fasciaValida);
    for (const SettingsStore::Entry& entry : repair.ripristinati)
        repair.salvati = store.writeText(entry.section, entry.value, entry.text) && repair.salvati;
    for (const FasciaGuasta& guasta : repair.fasceGuaste)
        repair.salvati =
            store.writeText(guasta.fabbrica.section, guasta.fabbrica.value, guasta.fabbrica.text) && repair.salvati;
    return repair;
}

QString SettingsRepair::messaggio() const
{
    QStringList righe;
    if (!copie.isEmpty())
        righe << QStringLiteral("Il file delle impostazioni non era leggibile.\rNe è stata salvata una copia in:")
              << copie;
    if (!ripristinati.isEmpty() && salvati) {
        QStringList sezioni;
        for (const SettingsStore::Entry& entry : ripristinati) {
            const QString testo = descrizione(entry.section);
            if (!sezioni.contains(testo))
                sezioni.append(testo);
        }
        righe << QStringLiteral("Alcune impostazioni mancavano e sono tornate ai valori predefiniti:");
        for (const QString& sezione : sezioni)
            righe << QStringLiteral("- %1").arg(sezione);
    }
    if (!fasceGuaste.isEmpty() && salvati) {
        righe << QStringLiteral("Alcune fasce orarie non erano valide e sono tornate ai valori predefiniti:");
        for (const FasciaGuasta& guasta : fasceGuaste)
            righe << QStringLiteral("- %1, %2: era '%3'")
                         .arg(descrizione(guasta.fabbrica.section), guasta.fabbrica.value, guasta.testo);
    }
    return righe.join(QLatin1Char('\r'));
}
