#include "cli/CliContext.h"
#include "settings/Conversion.h"
#include "settings/StatoProgramma.h"
#include "tariff/Calendario.h"
#include "tariff/IntervalloScatto.h"

namespace {

int usoErrato(CliContext& context, const char* uso)
{
    context.err << "uso: brenvolo-cli " << uso << '\n';
    return CliExit::Usage;
}

// "DD/MM/YYYY HH.NN.SS": the date and the time of an archived event.
QDateTime momento(const QString& testo)
{
    const QString data = testo.left(10);
    const QString ora = testo.mid(11);
    return QDateTime(strToDate(data), strToTime(ora));
}

int intervallo(CliContext& context)
{
    const char uso[] = "intervallo --quando \"DD/MM/YYYY HH.NN.SS\" --classe N [--festivo 0|1]";
    const QString quando = context.option(QStringLiteral("--quando"));
    const QString classe = context.option(QStringLiteral("--classe"));
    const QString festivo = context.option(QStringLiteral("--festivo"));
    if (quando.isEmpty() || classe.isEmpty() || (context.flag(QStringLiteral("--festivo")) && festivo.isEmpty()))
        return usoErrato(context, uso);
    const int numeroClasse = strToInt(classe);
    const int flag = festivo.isEmpty() ? 0 : strToInt(festivo);
    if (numeroClasse < 1 || numeroClasse > 4 || (flag != 0 && flag != 1))
        return usoErrato(context, uso);
    StatoProgramma stato;
    stato.fromStore(context.store);
    context.out << intervalloScatto(momento(quando), numeroClasse, flag, stato) << '\n';
    return CliExit::Done;
}

int pasquaDellAnno(CliContext& context)
{
    const char uso[] = "pasqua --anno YYYY";
    const QString anno = context.option(QStringLiteral("--anno"));
    if (anno.isEmpty())
        return usoErrato(context, uso);
    const int numero = strToInt(anno);
    if (numero < annoMinimoPasqua || numero > annoMassimoPasqua) {
        context.err
            << QStringLiteral("L'anno deve essere compreso fra %1 e %2").arg(annoMinimoPasqua).arg(annoMassimoPasqua)
            << '\n';
        return usoErrato(context, uso);
    }
    context.out << formatDate(pasqua(numero)) << '\n' << formatDate(pasquetta(numero)) << '\n';
    return CliExit::Done;
}

} // namespace

QList<CliCommand> tariffCommands()
{
    return {{QStringLiteral("intervallo"),
             intervallo,
             {{QStringLiteral("--quando"), QStringLiteral("--classe"), QStringLiteral("--festivo")}}},
            {QStringLiteral("pasqua"), pasquaDellAnno, {{QStringLiteral("--anno")}}}};
}
