#include "archive/SoglieLimite.h"

#include "settings/Conversion.h"
#include "settings/SettingsStore.h"

namespace {

// True when `usati` is above `percento` % of `limite` (limite > 0), without
// multiplying the limit, which may be any number the store holds.
bool oltre(qint64 usati, qint64 limite, int percento)
{
    const qint64 quota = limite / 100 * percento + limite % 100 * percento / 100;
    return usati > quota;
}

QString testo(const QString& nome, int percento, qint64 usati, qint64 limite)
{
    const QString soglia = percento == 80 ? QStringLiteral("l'80%") : QStringLiteral("il %1%").arg(percento);
    return QStringLiteral("Limite %1 utilizzato oltre %2: %3 minuti su %4").arg(nome, soglia).arg(usati).arg(limite);
}

} // namespace

SoglieLimite::Esito SoglieLimite::valuta(const QString& nome, qint64 limite, qint64 usati, const QString& periodo,
                                         const Ricordo& ricordo, bool giaAvvisato)
{
    Esito esito{{}, ricordo};
    if (limite <= 0)
        return esito;
    for (size_t i = soglie.size(); i-- > 0;) {
        if (!oltre(usati, limite, soglie[i]))
            continue;
        if (ricordo[i] != periodo && !giaAvvisato)
            esito.messaggi.append(
                {testo(nome, soglie[i], usati, limite), QStringLiteral("Informazione!"), Message::Icon::Information});
        for (size_t j = 0; j <= i; ++j)
            esito.ricordo[j] = periodo;
        break;
    }
    return esito;
}

QList<Message> SoglieLimite::verifica(SettingsStore& store, const ImpostazioniLimiti::Limite& quale, qint64 limite,
                                      qint64 usati, const QDate& inizioPeriodo, bool giaAvvisato)
{
    if (!quale.soglie)
        return {};
    const auto& valori = *quale.soglie;
    Ricordo ricordo;
    for (size_t i = 0; i < ricordo.size(); ++i)
        ricordo[i] = store.read(valori[i]);
    const Esito esito =
        valuta(QLatin1String(quale.nome), limite, usati, formatDate(inizioPeriodo), ricordo, giaAvvisato);
    for (size_t i = 0; i < ricordo.size(); ++i) {
        if (esito.ricordo[i] != ricordo[i])
            store.write(valori[i], esito.ricordo[i]);
    }
    return esito.messaggi;
}
