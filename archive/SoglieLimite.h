#pragma once

#include "archive/ImpostazioniLimiti.h"
#include "platform/Message.h"

#include <QDate>
#include <QList>
#include <QString>
#include <array>

class SettingsStore;

// The earlier warnings of the monthly and yearly limits: when the minutes
// used pass 80 % and then 90 % of a limit, the user is told once in each
// period (the month, the subscription year), however many checks see it.
// The store remembers, for each limit and threshold, the period in which
// it was last told.
class SoglieLimite
{
public:
    // The thresholds, in percent of the limit.
    static constexpr std::array<int, 2> soglie{80, 90};

    // For each threshold, the key of the period in which it was last told ("" never).
    using Ricordo = std::array<QString, soglie.size()>;

    struct Esito
    {
        QList<Message> messaggi; // none or one
        Ricordo ricordo;         // what the store is to remember from now on
    };

    // `nome` is the limit's word in the messages ("Mensile", "Annuo"),
    // `periodo` the key of the current period. Only the highest threshold
    // passed and not yet told in the period is told; the ones below it count
    // as told too. With `giaAvvisato` (the check has just told the user that
    // the limit is near or passed) the thresholds passed are remembered
    // without a message. A limit of 0 or less has no thresholds.
    static Esito valuta(const QString& nome, qint64 limite, qint64 usati, const QString& periodo,
                        const Ricordo& ricordo, bool giaAvvisato);

    // valuta() for `quale`, the monthly or the yearly limit (the others have
    // no thresholds) whose value is `limite`, the period keyed by its first
    // day "dd/mm/yyyy", with what the store remembers; writes back what changed.
    static QList<Message> verifica(SettingsStore& store, const ImpostazioniLimiti::Limite& quale, qint64 limite,
                                   qint64 usati, const QDate& inizioPeriodo, bool giaAvvisato);
};
