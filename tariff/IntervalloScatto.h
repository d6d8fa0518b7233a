#pragma once

#include "settings/StatoProgramma.h"

#include <QDate>
#include <QDateTime>
#include <QString>

// The unit interval in force at `quando`, in tenths of a second, for distance
// class `classe` (1..4) with the forced-holiday flag `festivoForzato` (0/1),
// from the band lists of `stato`. Fractions of a second are dropped; both band
// edges are inclusive and the last matching band of the list wins. Throws
// EConvertError naming a band text that does not parse.
int intervalloScatto(const QDateTime& quando, int classe, int festivoForzato, const StatoProgramma& stato);

// The same for the class and the forced-holiday flag in force (stato.TariffaCorrente, stato.FestivoForzato).
inline int intervalloScatto(const QDateTime& quando, const StatoProgramma& stato)
{
    return intervalloScatto(quando, stato.TariffaCorrente, stato.FestivoForzato, stato);
}

// The band in force for an archived event: its whole band text and its
// identifier ("Fe1".."Fe3", "Sa1".."Sa3", "Fs1", "Fs2").
struct FasciaInVigore
{
    QString fascia;
    QString identificativo;
};

// `dataOra` is the event's "dd/mm/yyyy hh.nn.ss" (19 characters), `festivo`
// the event's forced-holiday digit, `data` the event's date.
FasciaInVigore fasciaInVigore(const QString& dataOra, int festivo, const QDate& data, const StatoProgramma& stato);
