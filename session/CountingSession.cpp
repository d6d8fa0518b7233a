#include "session/CountingSession.h"

#include "archive/ArchivioChiamate.h"
#include "archive/ArchivioLetto.h"
#include "archive/SessionMarker.h"
#include "meter/ClockJump.h"
#include "platform/Clock.h"
#include "settings/Conversion.h"
#include "settings/StatoProgramma.h"

#include <QScopedValueRollback>
#include <algorithm>

CountingSession::CountingSession(Servizi& servizi, StatoProgramma& stato, QObject* parent)
    : QObject(parent)
    , m_servizi(servizi)
    , m_stato(stato)
    , m_store(servizi.settings)
{
    m_battito.setInterval(1000);
    connect(&m_battito, &QTimer::timeout, this, [this] { battito(m_servizi.clock.now()); });
}

void CountingSession::setNomeConnessione(std::function<QString()> nomeConnessione)
{
    m_nomeConnessione = std::move(nomeConnessione);
}

bool CountingSession::isRunning() const
{
    return m_stato.ConteggioInCorso == 1;
}

QString CountingSession::archivePath() const
{
    return ArchivioLetto::attuale(m_servizi.dataDirectory);
}

QDateTime CountingSession::inizioSessione(const StatoProgramma& stato, const QDateTime& adesso,
                                          const std::optional<QDateTime>& ultimaChiusura)
{
    if (stato.AvvioAutomatico == QLatin1String("OFF"))
        return adesso;
    const QDateTime anticipato = adesso.addSecs(-std::clamp(stato.RitardoAvvio, 0, 59));
    if (!ultimaChiusura || *ultimaChiusura <= anticipato)
        return anticipato;
    return std::min(*ultimaChiusura, adesso);
}

// The moment of the archive's last record when it is a closing record.
std::optional<QDateTime> CountingSession::ultimaChiusura() const
{
    const std::optional<RecordArchivio> ultimo = ultimoRecord(archivePath());
    if (!ultimo || !ultimo->chiusura())
        return std::nullopt;
    try {
        return QDateTime(ultimo->giorno(), ultimo->orario());
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

bool CountingSession::startAutomatic()
{
    if (isOpen())
        return false;
    // The flag in memory decides the backdating: a store that cannot be
    // written loses only the copy kept for the next run.
    m_stato.AvvioAutomatico = QStringLiteral("ON");
    m_store.writeSwitch(Catalogue::RitardoFlagAuto, true);
    return start();
}

bool CountingSession::start()
{
    if (isOpen())
        return false;
    {
        const QScopedValueRollback<bool> transition(m_inTransition, true);
        SessionStart s;
        s.now = m_servizi.clock.now();
        s.automatic = m_stato.AvvioAutomatico != QLatin1String("OFF");
        s.start = inizioSessione(m_stato, s.now, s.automatic ? ultimaChiusura() : std::nullopt);
        s.nomeConnessione = m_nomeConnessione ? m_nomeConnessione() : QString();
        QStringList problemi;
        s.meter = CostMeter::Settings::fromStore(m_store, &problemi);
        for (const QString& problema : problemi)
            s.messages.append({problema});

        m_stato.RiduzioneTeleAttiva = 0;
        m_stato.ConteggioInCorso = 1;
        m_avviata = s.now;
        m_ultimoBattito = s.now;
        m_battito.start();
        const QString apertura = recordApertura(s.start, m_stato.FestivoForzato, m_stato.TariffaCorrente,
                                                m_stato.TipoTariffaInternet, s.nomeConnessione);
        const AppendResult record = ArchivioChiamate(archivePath()).appendRecord(apertura);
        s.messages += record.messages();
        // Only a session whose opening record is in the archive can be closed after a crash.
        m_segnoFallito = false;
        if (record.written) {
            m_apertura = apertura;
            if (const std::optional<Message> fallito = segnaMomento(s.now))
                s.messages.append(*fallito);
        }
        emit started(s);
    }
    afterTransition();
    return true;
}

bool CountingSession::stop()
{
    return stopAt(m_servizi.clock.now(), {});
}

bool CountingSession::stopAt(const QDateTime& end, const QList<Message>& messages)
{
    if (!isRunning() || m_inTransition)
        return false;
    {
        const QScopedValueRollback<bool> transition(m_inTransition, true);
        m_stato.RiduzioneTeleAttiva = 0;
        m_stato.AvvioAutomatico = QStringLiteral("OFF");
        m_store.writeSwitch(Catalogue::RitardoFlagAuto, false);
        m_stato.CostoScatto = m_store.readPrice(Catalogue::ImportoCosto);

        SessionStop s;
        s.end = end;
        m_stato.ConteggioInCorso = 0;
        const AppendResult record =
            ArchivioChiamate(archivePath())
                .appendRecord(recordChiusura(s.end, m_stato.FestivoForzato, m_stato.TariffaCorrente,
                                             m_stato.TipoTariffaInternet));
        s.messages = messages + record.messages();
        m_battito.stop();
        m_apertura.clear();
        // Without its closing record the session stays one to close at the next start.
        if (record.written)
            SessionMarker(m_servizi.dataDirectory).rimuovi();
        emit stopped(s);
    }
    afterTransition();
    return true;
}

void CountingSession::meterTicked(const CostMeter::Tick& tick)
{
    if (tick.riduzioneTele && isRunning())
        m_stato.RiduzioneTeleAttiva = 1;
}

void CountingSession::battito(const QDateTime& adesso)
{
    if (!isRunning())
        return;
    // Also while a start's or a stop's messages are open, so that the time
    // they stay open is never taken for a jump.
    const QDateTime ultimo = std::exchange(m_ultimoBattito, adesso);
    if (ClockJump::between(ultimo, adesso)) {
        stopAtClockJump(m_avviata, ultimo, adesso);
        return;
    }
    if (m_inTransition || m_apertura.isEmpty())
        return;
    if (m_segnato.secsTo(adesso) >= 10 || adesso < m_segnato) {
        if (const std::optional<Message> fallito = segnaMomento(adesso))
            emit avviso(*fallito);
    }
}

void CountingSession::stopAtClockJump(const QDateTime& startedAt, const QDateTime& lastMoment, const QDateTime& now)
{
    if (!isRunning() || startedAt != m_avviata)
        return;
    // Should the closing record not be written, the session closed at the
    // next start is closed at the same moment.
    if (!m_apertura.isEmpty())
        segnaMomento(lastMoment);
    const auto momento = [](const QDateTime& quando) {
        return formatDate(quando.date()) + QLatin1Char(' ') + formatTime(quando.time());
    };
    const QString testo = QStringLiteral("L'orologio del computer è saltato da %1 a %2 (il computer è stato "
                                         "sospeso, o l'ora è stata cambiata): il conteggio si è fermato a %1, "
                                         "l'ultimo momento contato.")
                              .arg(momento(lastMoment), momento(now));
    stopAtWhenPossible({lastMoment, {Message{testo}}});
}

void CountingSession::stopForSleep()
{
    stopAtWhenPossible({m_servizi.clock.now(), {}});
}

void CountingSession::stopAtWhenPossible(const PendingStop& stop)
{
    if (m_inTransition) {
        m_pendingStop = stop;
        return;
    }
    stopAt(stop.end, stop.messages);
}

std::optional<Message> CountingSession::segnaMomento(const QDateTime& adesso)
{
    m_segnato = adesso;
    // A moment that cannot be written (a full disk) makes the repair's
    // proposal less precise: the session goes on, and the user is told once.
    const SessionMarker marker(m_servizi.dataDirectory);
    QString errore;
    if (marker.scrivi(m_apertura, adesso, &errore) || std::exchange(m_segnoFallito, true))
        return std::nullopt;
    return Message{QStringLiteral("Impossibile salvare lo stato della chiamata in %1: %2.\r"
                                  "Se il programma si chiudesse di colpo, la chiamata sarebbe chiusa\r"
                                  "all'ultimo momento salvato.")
                       .arg(marker.path(), errore)};
}

// What was asked while a start or a stop was under way, done now that it has finished.
void CountingSession::afterTransition()
{
    if (const std::optional<PendingStop> pending = std::exchange(m_pendingStop, std::nullopt))
        stopAtWhenPossible(*pending);
    if (m_stopRequested) {
        m_stopRequested = false;
        stopWhenPossible();
    }
    if (m_finishRequested && !isOpen()) {
        m_finishRequested = false;
        emit finished();
    }
}

void CountingSession::stopWhenPossible()
{
    if (m_inTransition) {
        m_stopRequested = true;
        return;
    }
    stop();
}

void CountingSession::finish()
{
    m_finishRequested = true;
    stopWhenPossible();
    if (!m_inTransition)
        afterTransition();
}

void CountingSession::close()
{
    m_store.writeSwitch(Catalogue::RitardoFlagAuto, false);
}
