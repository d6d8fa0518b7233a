#pragma once

#include "archive/CalcolaConsumi.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

class Notifier;
class SettingsStore;
struct StatoProgramma;

// What the limits check found, for the window (or brenvolo-cli) to show.
struct LimitiResult
{
    ConsumiResult::Outcome outcome = ConsumiResult::Outcome::Done; // how the last pass run ended
    QList<Message> messages;                                       // in the order they are to be shown
    // The pass that stopped on a missing closing record: its unpaired opening
    // record and the archive it read, from which the repair starts.
    std::optional<ConsumiResult> interrotto;
};

// The limits check: the minutes used today, this month and this
// subscription year, computed from the archive, against the daily, monthly
// and yearly limits whose alarm is on. Its messages are information boxes;
// `dopoArresto` 1 (a check right after a session) silences the daily ones
// only. A pass that stops on a missing closing record ends the whole check
// with its own message, then "Impossibile verificare i limiti \ra causa di un
// errore nel file tqklog.txt". A setting that does not convert is told once
// and its limit is left out. The monthly and yearly limits also warn once a
// period when their minutes pass 80 % and 90 % (SoglieLimite). It shows
// nothing itself.
LimitiResult verificaLimiti(int dopoArresto, const QString& archivio, const QDate& oggi, StatoProgramma& stato,
                            SettingsStore& store);

// Sends the limits' own messages (not the errors met on the way) as desktop
// notifications too, so a user whose windows sit in the tray sees them.
void notificaLimiti(Notifier& notifier, const QList<Message>& messages);
