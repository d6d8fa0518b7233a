#pragma once

#include "archive/CalcolaConsumi.h"

// The statistics pass done the plainest way, as the check on scanConsumi:
// the archive read from its start once for every day of the range
// (LettoreArchivio::chiamateDelGiorno), each call priced with the band
// lookups that re-read every band text, and the totals built in the order
// the days and their calls come. Same arguments and results as scanConsumi.
ConsumiResult referenceScanConsumi(const QString& archivio, const QDate& dal, const QDate& al,
                                   const StatoProgramma& stato, const PricingSettings& prezzi,
                                   ConsumiRowSink* righe = nullptr);
