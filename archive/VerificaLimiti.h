#pragma once

#include "archive/CalcolaConsumi.h"

#include <QDate>
#include <QString>
#include <functional>

class Prompter;
class SettingsStore;
struct StatoProgramma;

// The limits check: the minutes used today, this month and this
// subscription year, computed from the archive, against the daily, monthly
// and yearly limits whose alarm is on. Its messages are information boxes;
// `dopoArresto` 1 (a check right after a session) silences the daily ones
// only. A pass that stops on a missing closing record ends the whole check
// with "Impossibile verificare i limiti \ra causa di un errore nel file
// tqklog.txt". A setting that does not convert is reported once and its limit
// is left out. Returns how the last pass run ended (Done when all completed).
ConsumiResult::Outcome verificaLimiti(int dopoArresto, const QString& archivio, const QDate& oggi,
                                      StatoProgramma& stato, SettingsStore& store, Prompter& prompter,
                                      const ConsumiHooks& hooks = {});
