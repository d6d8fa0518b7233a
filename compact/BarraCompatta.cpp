#include "compact/BarraCompatta.h"

#include "platform/Sounds.h"
#include "session/CountingSession.h"
#include "settings/Conversion.h"
#include "settings/StatoProgramma.h"

#include <algorithm>

namespace {

const char* const captions[] = {"Tut", "15", "30", ">30"};

QString testoResto(qint64 secondi)
{
    return QStringLiteral("resto: %1").arg(secondi);
}

} // namespace

QString BarraCompatta::captionClasse(int classe)
{
    return QString::fromLatin1(captions[std::clamp(classe, 1, 4) - 1]);
}

int BarraCompatta::classeSuccessiva(int classe)
{
    return classe >= 4 || classe < 1 ? 1 : classe + 1;
}

QString BarraCompatta::fileSuono(const StatoProgramma& stato, Suono suono)
{
    const QString& file = stato.SuonoFile.at(static_cast<size_t>(suono));
    if (file.isEmpty() || file == QLatin1String("N/D"))
        return {};
    return file;
}

void BarraCompatta::suona(Sounds& sounds, const StatoProgramma& stato, Suono suono)
{
    const QString file = fileSuono(stato, suono);
    if (file.isEmpty())
        sounds.beep();
    else
        sounds.play(file);
}

BarraCompatta::Suono BarraCompatta::suonoAvviso(ControlloLimitiInDiretta::Avviso avviso)
{
    return avviso == ControlloLimitiInDiretta::Avviso::Collegamento ? Suono::DurataCollegamento
                                                                    : Suono::DurataGiornaliera;
}

void BarraCompatta::start(const QDateTime& adesso, const QDateTime& inizio, const CostMeter* meter,
                          const ControlloLimitiInDiretta::Limiti& limiti)
{
    m_controllo = ControlloLimitiInDiretta(limiti);
    m_controllo.arma();
    m_InizioSessioneLimiti = adesso;
    m_DecimiSessione = 0;

    m_pannelloInizio = QStringLiteral("inizio : ") + formatTime(inizio.time());
    m_pannelloFine.clear();
    m_digits = QStringLiteral("000000");
    m_gaugeValue = 0;
    m_gaugeRed = false;
    if (!meter) {
        m_resto = testoResto(0);
        return;
    }
    m_cadenza = QString::number(meter->secondiCadenza());
    // An automatic start shows the interval less the delay already elapsed.
    m_resto = testoResto(meter->secondiMancanti());
    m_gaugeMaximum = std::max(1, meter->CadenzaScatto());
    m_mancantiPrecedenti = meter->DecimiMancanti();
    m_digits = meter->digitsText();
}

QList<Message> BarraCompatta::avvia(const SessionStart& sessione, const CostMeter* meter, const SettingsStore& store)
{
    QStringList problemi;
    start(sessione.now, sessione.start, meter, ControlloLimitiInDiretta::leggi(store, &problemi));
    QList<Message> messaggi = sessione.messages;
    for (const QString& problema : problemi)
        messaggi.append({problema});
    return messaggi;
}

BarraCompatta::Passo BarraCompatta::tick(const QDateTime& adesso, const CostMeter& meter, const CostMeter::Tick& tick,
                                         int consumiGiorno)
{
    Passo passo;
    // Counted from the moment of the start, never backdated; a clock set
    // back before it watches nothing until it is reached again.
    m_DecimiSessione = m_InizioSessioneLimiti.msecsTo(adesso) / 100;
    if (m_DecimiSessione >= 0)
        passo.avvisi = m_controllo.verifica(m_DecimiSessione, consumiGiorno);

    // The gauge takes the new interval on the first tick of a new unit.
    if (m_mancantiPrecedenti <= 0)
        m_gaugeMaximum = std::max(1, meter.CadenzaScatto());
    m_mancantiPrecedenti = meter.DecimiMancanti();
    passo.suoniScatto = tick.beeps;
    mostra(meter);
    return passo;
}

void BarraCompatta::mostra(const CostMeter& meter)
{
    m_resto = testoResto(meter.secondiMancanti());
    m_costo = QStringLiteral("%1 -> %2").arg(meter.CostoSessione()).arg(meter.secondiMancanti());
    m_gaugeRed = meter.avviso();
    m_gaugeValue = static_cast<int>(std::clamp<qint64>(meter.DecimiTrascorsi(), 0, m_gaugeMaximum));
    m_cadenza = QString::number(meter.secondiCadenza());
    m_digits = meter.digitsText();
}

void BarraCompatta::stop(const QDateTime& fine)
{
    m_DecimiSessione = 0;
    m_gaugeValue = 0;
    m_gaugeRed = false;
    m_resto = QStringLiteral("resto: 000");
    m_pannelloFine = QStringLiteral("fine   : ") + formatTime(fine.time());
}

BarraCompatta::Arresto BarraCompatta::arresta(const SessionStop& sessione, const QString& archivio,
                                              StatoProgramma& stato, SettingsStore& store)
{
    stop(sessione.end);
    LimitiResult limiti = verificaLimiti(1, archivio, sessione.end.date(), stato, store);
    return {sessione.messages + limiti.messages, std::move(limiti.interrotto)};
}
