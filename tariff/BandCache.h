#pragma once

#include "settings/StatoProgramma.h"
#include "tariff/Calendario.h"
#include "tariff/FasciaOraria.h"

#include <QDate>
#include <QTime>
#include <array>
#include <optional>
#include <vector>

// The one place that finds the band in force: the live meter's interval
// lookup (intervalloScatto), the archived event's band (fasciaInVigore) and
// re-pricing all ask it. Each band list is parsed the first time it is
// needed, so that a statistics pass re-pricing thousands of calls reads the
// band texts once. A list with a band that does not parse fails every lookup
// on that list with that band's conversion message.
class BandCache
{
public:
    explicit BandCache(const StatoProgramma& stato);

    const StatoProgramma& stato() const { return m_stato; }

    // Index into the day's list of the band in force at `ora` on `data` with
    // the forced-holiday digit `festivo`: the last band containing it, the
    // list's last band when none does.
    struct Found
    {
        TipoGiorno giorno;
        qsizetype indice;
    };
    Found inVigore(const QDate& data, int festivo, const QTime& ora);

    const FasciaOraria& fascia(const Found& found) const;
    // Tenths of a second for class 1..4.
    int intervallo(const Found& found, int classe);

    // stato.CostoScattoBase in lire, converted once; EConvertError, the same
    // every time, when it is no whole number.
    qint64 costoScatto();

private:
    struct Band
    {
        FasciaOraria fascia;
        std::array<int, 4> intervalli{}; // 0 until read
    };
    struct List
    {
        bool parsed = false;
        QString error; // the conversion message of the first band that does not parse
        std::vector<Band> bands;
    };

    List& list(TipoGiorno giorno);

    const StatoProgramma& m_stato;
    std::array<List, 3> m_lists;
    std::optional<qint64> m_costoScatto;
    QString m_erroreCosto;
};
