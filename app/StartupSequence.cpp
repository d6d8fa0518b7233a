#include "app/StartupSequence.h"

#include "archive/ArchivioChiamate.h"
#include "archive/ArchivioLetto.h"
#include "archive/CopiaVerificata.h"
#include "platform/Clock.h"
#include "ras/StartupLaunch.h"
#include "settings/Conversion.h"
#include "settings/SettingsBackend.h"
#include "settings/SettingsRepair.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"
#include "tariff/Calendario.h"
#include "tariff/FasciaOraria.h"

#include <QDir>

namespace {

Message avviso(const QString& testo)
{
    return {testo, QStringLiteral("Attenzione!"), Message::Icon::Warning};
}

Message informazione(const QString& testo)
{
    return {testo, QStringLiteral("Informazione!"), Message::Icon::Information};
}

} // namespace

StartupSequence::StartupSequence(Servizi& servizi, StatoProgramma& stato, SettingsStore& store, Tell tell)
    : m_servizi(servizi)
    , m_stato(stato)
    , m_store(store)
    , m_tell(std::move(tell))
{
}

QString StartupSequence::caption(const QDate& today, const QLocale& locale)
{
    return locale.dayName(today.dayOfWeek(), QLocale::LongFormat) + QLatin1Char(' ') + formatShortDate(today);
}

QString StartupSequence::archivePath() const
{
    return ArchivioLetto::attuale(m_servizi.dataDirectory);
}

StartupSequence::Finestra StartupSequence::prepara(int posCostiX)
{
    apriImpostazioni(posCostiX);
    leggiStato();
    if (festivoAllAvvio(m_servizi.clock.now().date(), m_stato.festivita))
        m_stato.FestivoForzato = 1;
    preparaArchivio();
    return finestra();
}

// A store that cannot be saved gets the factory values in memory, with the
// store's own message instead of the welcome; a damaged or half-written one
// gets its missing values back.
void StartupSequence::apriImpostazioni(int posCostiX)
{
    const QStringList copie = m_servizi.settings.rescueUnreadableFiles();
    const bool salvabile = m_store.open();
    m_store.registerSoundEvents();
    if (m_store.isFirstRun() && salvabile && copie.isEmpty()) {
        m_tell(avviso(QStringLiteral("Inizializzazione alla prima esecuzione")));
        m_store.writeFirstRunDefaults(posCostiX);
        m_tell(informazione(QStringLiteral("Grazie per aver scelto Brenvolo")));
        return;
    }
    const QString riparazione = SettingsRepair::run(m_store, copie, posCostiX, &FasciaOraria::valida).messaggio();
    if (!riparazione.isEmpty())
        m_tell(avviso(riparazione));
}

void StartupSequence::leggiStato()
{
    QStringList problemi;
    m_stato.fromStore(m_store, &problemi);
    for (const QString& problema : problemi)
        m_tell(avviso(problema));
    rinunciaAlTray();
}

// An icon nobody can see would leave a hidden window no way back: this run
// goes minimised instead. The setting stays, for a desktop with a tray.
void StartupSequence::rinunciaAlTray()
{
    if (!m_stato.modo(Visualizzazione::Tray) || (m_servizi.trayAvailable && m_servizi.trayAvailable()))
        return;
    m_stato.ModoVisualizzazione = Visualizzazione::Ridotto;
    m_tell(
        informazione(QStringLiteral("Il desktop non ha un'area di notifica in cui mostrare l'icona di Brenvolo.\r"
                                    "Brenvolo si avvia ridotto a icona: i costi restano nella finestra principale.")));
}

// The archive and the exports are addressed by bare names in the data directory.
void StartupSequence::preparaArchivio()
{
    QDir().mkpath(m_servizi.dataDirectory);
    if (QDir::currentPath() != QDir(m_servizi.dataDirectory).absolutePath())
        QDir::setCurrent(m_servizi.dataDirectory);

    ArchivioChiamate archivio(archivePath());
    if (!archivio.exists()) {
        m_tell(avviso(QStringLiteral("Creazione archivio chiamate")));
        QString error;
        if (!archivio.create(&error) && !archivio.exists())
            m_tell(avviso(QStringLiteral("Impossibile creare l'archivio chiamate: %1").arg(error)));
    }
    QString errore;
    if (m_store.isOn(Catalogue::VisualizzaBackup) && archivio.exists() && !copiaArchivio(archivio.path(), &errore))
        m_tell(avviso(QStringLiteral("Impossibile aggiornare la copia di sicurezza %1: %2.\r"
                                     "La copia precedente è rimasta com'era.")
                          .arg(QDir::toNativeSeparators(nomeCopiaDiSicurezza(archivio.path())), errore)));
}

StartupSequence::Finestra StartupSequence::finestra() const
{
    Finestra f;
    f.caption = caption(m_servizi.clock.now().date(), QLocale::system());
    if (!m_stato.modo(Visualizzazione::Barra)) {
        f.posizione = m_stato.Posizione;
        f.vediCosti = m_stato.costiForzati() || m_store.isOn(Catalogue::VediCostiAttivo);
        f.vediCostiBloccato = m_stato.costiForzati();
    }
    f.classe = m_stato.TariffaCorrente;
    f.festivo = m_stato.FestivoForzato == 1;
    return f;
}

LimitiResult StartupSequence::verificaLimiti()
{
    LimitiResult limiti = ::verificaLimiti(0, archivePath(), m_servizi.clock.now().date(), m_stato, m_store);
    notificaLimiti(m_servizi.notifier, limiti.messages);
    for (const Message& m : limiti.messages)
        m_tell(m);
    return limiti;
}

void StartupSequence::primaVisione()
{
    // In compact mode the compact strip dials and launches; in tray and
    // minimised modes nothing is.
    if (m_stato.modo(Visualizzazione::Normale))
        StartupLaunch::run(m_stato.ComposizioneAutomatica, m_store, m_servizi.dialUp, m_servizi.shell);
}
