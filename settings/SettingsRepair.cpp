#include "settings/SettingsRepair.h"

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

} // namespace

SettingsRepair SettingsRepair::run(SettingsStore& store, const QStringList& copie, int posCostiX)
{
    SettingsRepair repair;
    repair.copie = copie;
    repair.ripristinati = store.missingFirstRunValues(posCostiX);
    for (const SettingsStore::Entry& entry : repair.ripristinati)
        repair.salvati = store.writeText(entry.section, entry.value, entry.text) && repair.salvati;
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
    return righe.join(QLatin1Char('\r'));
}
