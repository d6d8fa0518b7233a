#include "reports/ProiezioneMese.h"

#include "archive/CalcolaConsumi.h"
#include "archive/ImpostazioniLimiti.h"
#include "archive/Mesi.h"
#include "settings/SettingsStore.h"

#include <algorithm>

ProiezioneMese ProiezioneMese::calcola(const QDate& oggi, qint64 secondi, double costo, std::optional<qint64> limite)
{
    ProiezioneMese p;
    p.oggi = oggi;
    p.giorniTrascorsi = oggi.day();
    p.giorniNelMese = oggi.daysInMonth();
    p.secondi = secondi;
    p.costo = costo;
    p.minutiPrevisti = secondi * p.giorniNelMese / p.giorniTrascorsi / 60;
    p.costoPrevisto = costo * p.giorniNelMese / p.giorniTrascorsi;
    p.limite = limite;
    if (limite) {
        const qint64 rimasti = std::max<qint64>(0, *limite - p.minuti());
        p.minutiAlGiorno = rimasti / (p.giorniNelMese - p.giorniTrascorsi + 1);
    }
    return p;
}

std::optional<qint64> ProiezioneMese::limiteMensile(const SettingsStore& store)
{
    ImpostazioniLimiti impostazioni(store);
    const std::optional<qint64> minuti =
        impostazioni.attivo(ImpostazioniLimiti::limite(ImpostazioniLimiti::Periodo::Mensile));
    if (!minuti || *minuti <= 0)
        return std::nullopt;
    return minuti;
}

QStringList ProiezioneMese::righe(const QLocale& locale) const
{
    const QString mese = nomiMesi().value(oggi.month() - 1) + QLatin1Char(' ') + QString::number(oggi.year());
    QStringList r{QStringLiteral("Proiezione a fine %1 (trascorsi %2 giorni su %3)")
                      .arg(mese)
                      .arg(giorniTrascorsi)
                      .arg(giorniNelMese),
                  QStringLiteral("Minuti previsti: %1 (finora %2)   Costo previsto: %3")
                      .arg(minutiPrevisti)
                      .arg(minuti())
                      .arg(costoConsumi(costoPrevisto, locale))};
    if (limite && minutiAlGiorno) {
        if (minuti() >= *limite)
            r.append(QStringLiteral("Limite mensile di %1 minuti già esaurito").arg(*limite));
        else
            r.append(QStringLiteral("Per restare nel limite mensile di %1 minuti: %2 minuti al giorno")
                         .arg(*limite)
                         .arg(*minutiAlGiorno));
    }
    return r;
}
