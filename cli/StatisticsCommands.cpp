#include "archive/CalcolaConsumi.h"
#include "cli/CliContext.h"
#include "platform/SheetWriter.h"
#include "platform/SystemClock.h"
#include "reports/Esportazione.h"
#include "reports/TExcel.h"
#include "settings/Conversion.h"

#include <QRegularExpression>
#include <optional>

namespace {

// The pass's messages on stderr, one a line; the exit status of its outcome.
int esito(CliContext& context, const ConsumiResult& r)
{
    for (const Prompter::Message& m : r.messages())
        context.err << oneLine(m.text) << '\n';
    return exitStatusFor(r.outcome);
}

QString jsonText(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\') + c;
        else if (c.unicode() < 0x20)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('"');
}

QString json(const ConsumiTotals& t, const ConsumiTexts& s)
{
    const auto& u = t.ultimoCollegamento;
    const auto& g = t.ultimaGiornata;
    return QStringLiteral("{\"scatti\": %1, \"costo\": %2, \"collegamenti\": %3, \"secondi\": %4, \"durata\": %5, "
                          "\"ultimo_collegamento\": {\"scatti\": %6, \"costo\": %7, \"secondi\": %8, \"tempo\": %9}, ")
               .arg(t.scatti)
               .arg(qRound64(t.costo))
               .arg(t.collegamenti)
               .arg(t.secondi)
               .arg(jsonText(s.durata))
               .arg(u.scatti)
               .arg(qRound64(u.costo))
               .arg(u.secondi)
               .arg(jsonText(s.ultimoTempo)) +
           QStringLiteral("\"ultima_giornata\": {\"scatti\": %1, \"costo\": %2, \"secondi\": %3, \"tempo\": %4, "
                          "\"collegamenti\": %5}}")
               .arg(g.scatti)
               .arg(qRound64(g.costo))
               .arg(g.secondi)
               .arg(jsonText(s.giornataTempo))
               .arg(g.collegamenti);
}

void etichette(QTextStream& out, const ConsumiTexts& s)
{
    out << "Generale\n"
        << "  DUR. COLLEGAMENTI: " << s.durata << '\n'
        << "  SCATTI NEL PERIODO: " << s.scatti << '\n'
        << "  COSTO DEL PERIODO: " << s.costo << '\n'
        << QStringLiteral("  N° COLLEGAMENTI: ") << s.collegamenti << '\n'
        << "Ultimo collegamento\n"
        << "  SCATTI: " << s.ultimoScatti << '\n'
        << "  COSTO: " << s.ultimoCosto << '\n'
        << "  TEMPO: " << s.ultimoTempo << '\n'
        << "Ultima giornata\n"
        << "  SCATTI: " << s.giornataScatti << '\n'
        << "  COSTO: " << s.giornataCosto << '\n'
        << "  TEMPO: " << s.giornataTempo << '\n'
        << "  COLLEG: " << s.giornataCollegamenti << '\n';
}

int consumi(CliContext& context)
{
    const QString dal = context.option(QStringLiteral("--dal"));
    const QString al = context.option(QStringLiteral("--al"));
    if (dal.isEmpty() || al.isEmpty()) {
        context.err << "uso: brenvolo-cli consumi --dal DD/MM/YYYY --al DD/MM/YYYY [--json]\n";
        return CliExit::Usage;
    }
    const QDate inizio = strToDate(dal);
    const QDate fine = strToDate(al);
    if (inizio > fine) {
        context.err << "La data finale deve essere uguale o successiva a quella iniziale\n";
        return CliExit::Usage;
    }
    StatoProgramma stato;
    stato.fromStore(context.store);
    const ConsumiResult r =
        calcolaConsumi(context.archivio, ConsumiMode::Statistics, inizio, fine, stato, context.store);
    if (r.outcome != ConsumiResult::Outcome::Done)
        return esito(context, r);
    const ConsumiTexts testi = ConsumiTexts::from(r.totals);
    if (context.flag(QStringLiteral("--json")))
        context.out << json(r.totals, testi) << '\n';
    else
        etichette(context.out, testi);
    return esito(context, r);
}

// The year of --anno: four digits within the export dialog's years.
std::optional<int> annoEsportazione(const QString& testo)
{
    static const QRegularExpression quattroCifre(QStringLiteral("^[0-9]{4}$"));
    if (!quattroCifre.match(testo).hasMatch())
        return std::nullopt;
    const int anno = testo.toInt();
    if (anno < Esportazione::primoAnno || anno > Esportazione::ultimoAnno)
        return std::nullopt;
    return anno;
}

int esporta(CliContext& context)
{
    const QString mese = context.option(QStringLiteral("--mese"));
    const QString testoAnno = context.option(QStringLiteral("--anno"));
    if (mese.isEmpty() || testoAnno.isEmpty()) {
        context.err << "uso: brenvolo-cli esporta --mese NOME --anno YYYY [--xlsx]\n";
        return CliExit::Usage;
    }
    const std::optional<int> anno = annoEsportazione(testoAnno);
    if (!anno) {
        context.err << QStringLiteral("L'anno deve essere compreso fra %1 e %2: %3\n")
                           .arg(Esportazione::primoAnno)
                           .arg(Esportazione::ultimoAnno)
                           .arg(testoAnno);
        return CliExit::Usage;
    }
    if (!Esportazione::periodo(mese, *anno)) {
        context.err << QStringLiteral("Mese non valido: %1 (da gennaio a dicembre, in minuscolo)\n").arg(mese);
        return CliExit::Usage;
    }
    StatoProgramma stato;
    stato.fromStore(context.store);
    const Esportazione esportazione(context.archivio, context.dataDirectory, stato, context.store);

    // The sheet writer saves the sheet without opening it: the tool prints where it is.
    SheetWriter writer(context.dataDirectory);
    const SystemClock clock;
    TExcel excel(writer, clock);
    const bool foglio = context.flag(QStringLiteral("--xlsx"));
    if (foglio) {
        const Esportazione::Collegamento c = esportazione.collega(excel);
        if (!c.collegato) {
            context.err << c.messaggi.value(0).text << '\n';
            return CliExit::ArchiveError;
        }
    }
    const Esportazione::Esito fatto = esportazione.esporta(mese, *anno, foglio ? &excel : nullptr);
    if (fatto.outcome != ConsumiResult::Outcome::Done) {
        for (const Prompter::Message& m : fatto.messaggi)
            context.err << oneLine(m.text) << '\n';
        return exitStatusFor(fatto.outcome);
    }
    context.out << (foglio ? writer.savedPath() : fatto.file) << '\n';
    return CliExit::Done;
}

} // namespace

QList<CliCommand> statisticsCommands()
{
    return {{QStringLiteral("consumi"), consumi}, {QStringLiteral("esporta"), esporta}};
}
