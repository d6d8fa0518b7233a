#include "meter/CostMeter.h"

#include "settings/Conversion.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"
#include "tariff/IntervalloScatto.h"

#include <optional>

namespace {

constexpr int DigitsModulo = 1000000;

// A unit price is a whole, non-negative number of lire.
std::optional<qint64> lire(const QString& text)
{
    const std::optional<int> value = tryStrToInt(text);
    if (!value || *value < 0)
        return std::nullopt;
    return *value;
}

// Whole tenths of a second from `da` to `a` (milliseconds since the epoch),
// truncated. Recomputed from the two instants every time, so a late or
// missed tick loses nothing.
qint64 decimi(qint64 da, qint64 a)
{
    return (a - da) / 100;
}

} // namespace

CostMeter::Settings CostMeter::Settings::fromStore(const SettingsStore& store, QStringList* problemi)
{
    Settings s;
    s.prezzi = PricingSettings::fromStore(store, problemi);
    s.beep = store.isOn(Catalogue::SuonoBeep);
    s.inizio = store.readInteger(Catalogue::SuonoInizio);
    s.costo = store.readPrice(Catalogue::ImportoCosto, problemi);
    return s;
}

CostMeter::CostMeter(StatoProgramma& stato, const Settings& settings, const QDateTime& adesso, const QDateTime& inizio)
    : m_stato(stato)
    , m_settings(settings)
    , m_testoPrezzo(settings.costo)
{
    m_stato.CostoScatto = settings.costo;
    m_stato.CostoScattoBase = settings.costo;
    m_prezzoNonValido = !lire(settings.costo).has_value();

    m_DecimiCompletati = 0;
    const qint64 prezzoIniziale = prezzo();
    addebita(prezzoIniziale + prezzoIniziale * (m_settings.prezzi.frazioneScatto == 1 ? 1 : 0));

    const int intervallo = intervalloScatto(inizio, m_stato);
    applicaRiduzioni();

    m_CadenzaScatto = intervallo;
    m_InizioIntervallo = inizio;
    m_inizioIntervalloMs = inizio.toMSecsSinceEpoch();
    m_DecimiTrascorsi = 0;
    // What the caption shows at once: for an automatic start the interval
    // less the delay already elapsed.
    m_DecimiMancanti = m_CadenzaScatto - decimi(m_inizioIntervalloMs, adesso.toMSecsSinceEpoch());
}

CostMeter::Tick CostMeter::tick(qint64 adesso)
{
    Tick result;
    const qint64 e = decimi(m_inizioIntervalloMs, adesso);

    // The warning colour ends on the tick after a unit fell.
    if (m_DecimiMancanti <= 0)
        m_avviso = false;
    m_DecimiMancanti = m_CadenzaScatto - e;
    m_DecimiTrascorsi = e;

    if (secondiMancanti() <= m_settings.inizio) {
        m_avviso = true;
        if (m_settings.beep)
            ++result.beeps;
    }
    if (e < m_CadenzaScatto)
        return result;

    result.scattoCaduto = true;
    if (m_settings.beep)
        ++result.beeps;
    addebita(prezzo());
    m_DecimiCompletati += e;
    if (!m_riduzioneTele && m_DecimiCompletati / 10 > m_settings.prezzi.ridTelDopo) {
        m_riduzioneTele = true;
        result.riduzioneTele = true;
    }

    // The new interval starts at this tick, not when the old one should have
    // ended: the lateness of a tick is not carried over.
    m_inizioIntervalloMs = adesso;
    m_InizioIntervallo = QDateTime::fromMSecsSinceEpoch(adesso);
    try {
        m_CadenzaScatto = intervalloScatto(m_InizioIntervallo, m_stato);
    } catch (const EConvertError& error) {
        result.errore = error.message();
    }
    applicaRiduzioni();
    return result;
}

void CostMeter::close()
{
    m_CostoSessione = 0;
    m_DecimiCompletati = 0;
    m_digits = 0;
}

QString CostMeter::digitsText() const
{
    return QStringLiteral("%1").arg(m_digits, 6, 10, QLatin1Char('0'));
}

// The reduced ("Agevolata") tariff, always in this order: TUT once the session
// has cost ridTutDopo base prices, long distance once the completed intervals
// passed ridTelDopo seconds. A lowered price stays until the stop re-reads it.
void CostMeter::applicaRiduzioni()
{
    if (m_stato.TipoTariffaInternet != 2)
        return;
    const qint64 base = lire(m_stato.CostoScattoBase).value_or(0);
    const PricingSettings& r = m_settings.prezzi;
    if (m_stato.TariffaCorrente == 1 && m_CostoSessione >= base * r.ridTutDopo)
        m_stato.CostoScatto = QString::number(base * r.ridTut / 100);
    if (m_stato.TariffaCorrente != 1 && m_riduzioneTele)
        m_stato.CostoScatto = QString::number(base * r.ridTel / 100);
}

void CostMeter::addebita(qint64 importo)
{
    m_CostoSessione += importo;
    m_digits = static_cast<int>((m_digits + importo) % DigitsModulo);
}

qint64 CostMeter::prezzo() const
{
    return lire(m_stato.CostoScatto).value_or(0);
}
