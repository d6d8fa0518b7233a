#pragma once

#include "archive/RecordArchivio.h"
#include "settings/StatoProgramma.h"

#include <QStringList>
#include <QtGlobal>
#include <optional>

class BandCache;
class SettingsStore;

// The reductions of the "Agevolata" tariff and the extra unit at answer: read
// here, in one place, by the live meter at every session's start and by
// re-pricing at the start of every statistics pass, so both always use the
// current settings.
struct PricingSettings
{
    int ridTut = 50;        // reduced TUT unit price, percent of the unit price
    int ridTutDopo = 1;     // TUT units after the answer unit still charged at full price
    int ridTel = 50;        // reduced long-distance unit price, percent of the unit price
    int ridTelDopo = 120;   // seconds of a long-distance call charged at full price
    int frazioneScatto = 0; // 1: one further unit at the start of every call

    // "internet"/"ridTut", "ridTutDopo", "ridTel", "ridTelDopo" and
    // "frazione"/"scatto". A percentage outside 0..100, a negative threshold or
    // a frazione other than 0 or 1 is read as its default, and the message for
    // the user is added to `problemi`.
    static PricingSettings fromStore(const SettingsStore& store, QStringList* problemi = nullptr);
    // fromStore for the re-pricing of archived calls, with the unit price
    // "importo"/"costo" checked too: the pass prices at StatoProgramma's
    // CostoScattoBase, "000" when the stored price is not a whole number of
    // lire from 0 up, and the user must hear why every cost is then nothing.
    static PricingSettings forPass(const SettingsStore& store, QStringList* problemi);
};

// One archived call re-priced.
struct CallPrice
{
    int classe = 1; // distance class of the closing record, 1..4
    int tipo = 1;   // tariff type of the closing record: 1 "Normale", 2 "Agevolata"; others cost nothing
    qint64 durata = 0;
    qint64 scatti = 0;
    qint64 costo = 0;           // lire, VAT included
    int intervalloApertura = 0; // tenths of a second, band in force at the opening
    int intervalloChiusura = 0; // tenths of a second, band in force at the closing
    bool cambioFascia = false;  // the two intervals differ: priced in two parts
    qint64 secondiPrima = 0;    // with a band change: opening to the start of the closing band
    qint64 secondiDopo = 0;     // with a band change: start of the closing band to the closing

    bool operator==(const CallPrice&) const = default;
};

// The cost in lire of a call whose units, duration and intervals are already
// known, at `costoScatto` lire a unit: the whole price on the "Normale" type;
// on the "Agevolata" type the answer unit and the units or seconds allowed at
// full price, the rest at the reduced price (truncated to whole lire). A
// tariff type other than 1 or 2 costs 0. Integer arithmetic, every division
// truncating; EConvertError when the cost does not fit in 64 bits.
qint64 costoScatti(const CallPrice& chiamata, qint64 costoScatto, const PricingSettings& impostazioni);

// Prices one call from its opening and closing records at the unit price
// stato.CostoScattoBase. Durations are whole seconds of local wall-clock time;
// the time before the start of the closing band is priced at the opening
// interval, the rest at the closing interval, each part truncated on its own;
// a call of 0 seconds has no units and no cost. Returns nothing for a closing
// record whose class digit is not 1..4. Throws EConvertError when a date, a
// time, a band or the unit price does not convert, or when the cost is too
// large for 64 bits.
std::optional<CallPrice> prezzaChiamata(const RecordArchivio& apertura, const RecordArchivio& chiusura,
                                        const StatoProgramma& stato, const PricingSettings& impostazioni);

// The same with the bands of a pass parsed once (results and errors are identical).
std::optional<CallPrice> prezzaChiamata(const RecordArchivio& apertura, const RecordArchivio& chiusura,
                                        BandCache& fasce, const PricingSettings& impostazioni);

// The same for a call read as the raw bytes of its two archive lines: lines
// in the layout the writers produce are read where they lie, any other is
// decoded and priced as above (results and errors are identical).
std::optional<CallPrice> prezzaChiamata(QByteArrayView apertura, QByteArrayView chiusura, BandCache& fasce,
                                        const PricingSettings& impostazioni);
