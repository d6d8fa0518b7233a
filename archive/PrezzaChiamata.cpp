#include "archive/PrezzaChiamata.h"

#include "archive/Windows1252.h"
#include "settings/Conversion.h"
#include "settings/SettingsCatalogue.h"
#include "settings/SettingsStore.h"
#include "tariff/BandCache.h"

namespace {

constexpr qint64 secondiAlGiorno = 24 * 60 * 60;

// An event of the archive on the local wall clock, as the record states it.
struct Istante
{
    QDate data;
    QTime ora;
    qint64 secondi = 0;    // since the start of the Julian calendar, wall-clock time
    QByteArrayView riga{}; // the line it was read from, while it is at hand
};

// The band in force at an event: its interval for the call's class and its start.
struct FasciaEvento
{
    int intervallo = 0;
    QTime inizio;
};

// Whole lire, or units, in 64 bits: a sum or a product that does not fit (a
// price of billions of lire over a call of centuries) throws instead of
// wrapping around into a wrong cost.
class Lire
{
public:
    explicit Lire(qint64 valore)
        : m_valore(valore)
    {
    }
    qint64 valore() const { return m_valore; }

    friend Lire operator+(Lire a, Lire b)
    {
        return controlla(__builtin_add_overflow(a.m_valore, b.m_valore, &a.m_valore), a);
    }
    friend Lire operator-(Lire a, Lire b)
    {
        return controlla(__builtin_sub_overflow(a.m_valore, b.m_valore, &a.m_valore), a);
    }
    friend Lire operator*(Lire a, Lire b)
    {
        return controlla(__builtin_mul_overflow(a.m_valore, b.m_valore, &a.m_valore), a);
    }
    friend Lire operator/(Lire a, Lire b) { return Lire(a.m_valore / b.m_valore); }

private:
    static Lire controlla(bool traboccato, Lire risultato)
    {
        if (traboccato)
            throw EConvertError(QStringLiteral("costo troppo grande"));
        return risultato;
    }

    qint64 m_valore;
};

qint64 secondiDa(const QDate& data, const QTime& ora)
{
    return data.toJulianDay() * secondiAlGiorno + ora.msecsSinceStartOfDay() / 1000;
}

// The record's date and time, "dd/mm/yyyy hh.nn.ss".
Istante istante(const RecordArchivio& record)
{
    Istante i;
    try {
        i.data = record.giorno();
        i.ora = record.orario();
    } catch (const EConvertError&) {
        throw EConvertError(
            QStringLiteral("'%1' is not a valid date and time").arg(record.data() + QLatin1Char(' ') + record.ora()));
    }
    i.secondi = secondiDa(i.data, i.ora);
    return i;
}

// Whole seconds of a span. Whole days are kept, so a call of 26 hours lasts
// 93,600 s. A negative span (a closing stamped before its opening after the
// clock was put back) counts by its size.
qint64 secondi(qint64 span)
{
    return span < 0 ? -span : span;
}

FasciaEvento fasciaEvento(BandCache& fasce, const Istante& quando, int festivo, int classe)
{
    const BandCache::Found trovata = fasce.inVigore(quando.data, festivo, quando.ora);
    return FasciaEvento{fasce.intervallo(trovata, classe), fasce.fascia(trovata).inizio()};
}

// The digits of the closing record that pricing reads.
struct Cifre
{
    int festivo = 0;
    int classe = 1;
    int tipo = 1;
};

// A call whose class is 1..4 and whose two moments are known.
CallPrice prezza(const Istante& inizio, const Istante& fine, const Cifre& cifre, BandCache& fasce,
                 const PricingSettings& impostazioni)
{
    CallPrice p;
    p.classe = cifre.classe;
    p.tipo = cifre.tipo;
    const FasciaEvento primo = fasciaEvento(fasce, inizio, cifre.festivo, p.classe);
    const FasciaEvento ultimo = fasciaEvento(fasce, fine, cifre.festivo, p.classe);
    p.intervalloApertura = primo.intervallo;
    p.intervalloChiusura = ultimo.intervallo;
    p.cambioFascia = primo.intervallo != ultimo.intervallo;

    const qint64 extra = impostazioni.frazioneScatto == 1 ? 1 : 0;
    if (!p.cambioFascia) {
        p.durata = secondi(fine.secondi - inizio.secondi);
        p.scatti = p.durata * 10 / p.intervalloApertura + 1 + extra;
    } else {
        // Only one band change is considered: everything before the start of
        // the closing band, on the closing date, is priced at the opening interval.
        const qint64 confine = secondiDa(fine.data, ultimo.inizio);
        p.secondiPrima = secondi(confine - inizio.secondi);
        p.secondiDopo = secondi(fine.secondi - confine);
        p.durata = secondi(fine.secondi - inizio.secondi);
        p.scatti = p.secondiPrima * 10 / p.intervalloApertura + p.secondiDopo * 10 / p.intervalloChiusura + 1 + extra;
    }
    if (p.durata == 0) {
        p.scatti = 0;
        return p;
    }
    if (p.tipo == 1 || p.tipo == 2) {
        try {
            p.costo = costoScatti(p, fasce.costoScatto(), impostazioni);
        } catch (const EConvertError&) {
            throw EConvertError(QStringLiteral("Il costo della chiamata del %1 %2 è troppo grande per essere calcolato")
                                    .arg(inizio.data.toString(QStringLiteral("dd/MM/yyyy")),
                                         inizio.ora.toString(QStringLiteral("hh.mm.ss"))));
        }
    }
    return p;
}

// The moment of a line written exactly "dd/mm/yyyy hh.nn.ss" with a real
// date and time; `stessoGiorno` is taken as its date when the line's date is
// written as that one's (a call closed on the day it opened).
std::optional<Istante> istanteEsatto(QByteArrayView riga, const Istante* stessoGiorno = nullptr)
{
    Istante i;
    const bool uguale = stessoGiorno && RecordArchivio::stessaDataIn(riga, stessoGiorno->riga);
    i.data = uguale ? stessoGiorno->data : RecordArchivio::dataIn(riga);
    i.ora = RecordArchivio::oraIn(riga);
    i.riga = riga;
    if (!i.data.isValid() || !i.ora.isValid())
        return std::nullopt;
    i.secondi = secondiDa(i.data, i.ora);
    return i;
}

} // namespace

PricingSettings PricingSettings::fromStore(const SettingsStore& store, QStringList* problemi)
{
    PricingSettings p;
    p.ridTut = store.readInteger(Catalogue::InternetRidTut, problemi);
    p.ridTutDopo = store.readInteger(Catalogue::InternetRidTutDopo, problemi);
    p.ridTel = store.readInteger(Catalogue::InternetRidTel, problemi);
    p.ridTelDopo = store.readInteger(Catalogue::InternetRidTelDopo, problemi);
    p.frazioneScatto = store.readInteger(Catalogue::FrazioneScatto, problemi);
    return p;
}

PricingSettings PricingSettings::forPass(const SettingsStore& store, QStringList* problemi)
{
    store.readPrice(Catalogue::ImportoCosto, problemi);
    return fromStore(store, problemi);
}

qint64 costoScatti(const CallPrice& chiamata, qint64 costoScatto, const PricingSettings& impostazioni)
{
    const Lire n(chiamata.scatti);
    const Lire c(costoScatto);
    const Lire uno(1);
    const Lire cento(100);
    if (chiamata.tipo == 1)
        return (n * c).valore();
    if (chiamata.tipo != 2)
        return 0;

    if (chiamata.classe == 1) {
        const Lire r = c * Lire(impostazioni.ridTut) / cento;
        const Lire dopo(impostazioni.ridTutDopo);
        if (chiamata.scatti <= (dopo + uno).valore())
            return (n * c).valore();
        return (c * (uno + dopo) + (n - uno - dopo) * r).valore();
    }

    const Lire r = c * Lire(impostazioni.ridTel) / cento;
    const qint64 dopo = impostazioni.ridTelDopo;
    if (chiamata.durata <= dopo)
        return (n * c).valore();
    if (!chiamata.cambioFascia) {
        const Lire v(dopo * 10 / chiamata.intervalloApertura);
        return (c + v * c + (n - uno - v) * r).valore();
    }
    // With a band change the reduced part keeps the answer unit: n - v, not n - 1 - v.
    if (chiamata.secondiPrima > dopo) {
        const Lire v(dopo * 10 / chiamata.intervalloApertura);
        return (c + v * c + (n - v) * r).valore();
    }
    const Lire w(chiamata.secondiPrima * 10 / chiamata.intervalloApertura);
    const Lire v((dopo - chiamata.secondiPrima) * 10 / chiamata.intervalloChiusura);
    return (c + (w + v) * c + (n - w - v) * r).valore();
}

std::optional<CallPrice> prezzaChiamata(const RecordArchivio& apertura, const RecordArchivio& chiusura,
                                        const StatoProgramma& stato, const PricingSettings& impostazioni)
{
    BandCache fasce(stato);
    return prezzaChiamata(apertura, chiusura, fasce, impostazioni);
}

std::optional<CallPrice> prezzaChiamata(const RecordArchivio& apertura, const RecordArchivio& chiusura,
                                        BandCache& fasce, const PricingSettings& impostazioni)
{
    const Cifre cifre{chiusura.festivo(), chiusura.classe(), chiusura.tipo()};
    // The writers only write classes 1..4: any other digit has no interval.
    if (cifre.classe < 1 || cifre.classe > 4)
        return std::nullopt;
    const Istante inizio = istante(apertura);
    const Istante fine = istante(chiusura);
    return prezza(inizio, fine, cifre, fasce, impostazioni);
}

std::optional<CallPrice> prezzaChiamata(QByteArrayView apertura, QByteArrayView chiusura, BandCache& fasce,
                                        const PricingSettings& impostazioni)
{
    const Cifre cifre{RecordArchivio::festivoIn(chiusura), RecordArchivio::classeIn(chiusura),
                      RecordArchivio::tipoIn(chiusura)};
    if (cifre.classe < 1 || cifre.classe > 4)
        return std::nullopt;
    const std::optional<Istante> inizio = istanteEsatto(apertura);
    const std::optional<Istante> fine = inizio ? istanteEsatto(chiusura, &*inizio) : std::nullopt;
    if (!inizio || !fine)
        return prezzaChiamata(RecordArchivio(Windows1252::decode(apertura)),
                              RecordArchivio(Windows1252::decode(chiusura)), fasce, impostazioni);
    return prezza(*inizio, *fine, cifre, fasce, impostazioni);
}
