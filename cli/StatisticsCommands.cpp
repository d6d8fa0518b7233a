#include "archive/CalcolaConsumi.h"
#include "cli/CliContext.h"
#include "platform/SheetWriter.h"
#include "platform/SystemClock.h"
#include "reports/AndamentoConsumi.h"
#include "reports/Esportazione.h"
#include "reports/TExcel.h"
#include "settings/Conversion.h"
#include "settings/SettingsCatalogue.h"

#include <QRegularExpression>
#include <optional>

namespace {

// The pass's messages on stderr, one a line; the exit status of its outcome.
int esito(CliContext& context, const ConsumiResult& r)
{
    for (const Message& m : r.messages())
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

// A whole number, or null when there is none.
QString jsonNumber(const std::optional<qint64>& n)
{
    return n ? QString::number(*n) : QStringLiteral("null");
}

QString json(const std::optional<ProiezioneMese>& p)
{
    if (!p)
        return QStringLiteral("null");
    return QStringLiteral("{\"mese\": %1, \"giorni_trascorsi\": %2, \"giorni_nel_mese\": %3, \"minuti\": %4, "
                          "\"costo\": %5, \"minuti_previsti\": %6, \"costo_previsto\": %7, "
                          "\"limite_mensile\": %8, \"minuti_al_giorno\": %9}")
        .arg(jsonText(p->oggi.toString(QStringLiteral("MM/yyyy"))))
        .arg(p->giorniTrascorsi)
        .arg(p->giorniNelMese)
        .arg(p->minuti())
        .arg(qRound64(p->costo))
        .arg(p->minutiPrevisti)
        .arg(qRound64(p->costoPrevisto))
        .arg(jsonNumber(p->limite), jsonNumber(p->minutiAlGiorno));
}

QString json(const ConsumiTotals& t, const ConsumiTexts& s, const std::optional<ProiezioneMese>& p)
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
                          "\"collegamenti\": %5}, \"proiezione\": %6}")
               .arg(g.scatti)
               .arg(qRound64(g.costo))
               .arg(g.secondi)
               .arg(jsonText(s.giornataTempo))
               .arg(g.collegamenti)
               .arg(json(p));
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

// The range of --dal and --al, in order; nothing after the usage or the order was told.
std::optional<std::pair<QDate, QDate>> periodo(CliContext& context, const char* comando)
{
    const QString dal = context.option(QStringLiteral("--dal"));
    const QString al = context.option(QStringLiteral("--al"));
    if (dal.isEmpty() || al.isEmpty()) {
        context.err << "uso: brenvolo-cli " << comando << " --dal DD/MM/YYYY --al DD/MM/YYYY [--json]\n";
        return std::nullopt;
    }
    const QDate inizio = strToDate(dal);
    const QDate fine = strToDate(al);
    if (inizio > fine) {
        context.err << "La data finale deve essere uguale o successiva a quella iniziale\n";
        return std::nullopt;
    }
    return std::pair(inizio, fine);
}

// A unit price that is no price would cost every call nothing: the tool
// refuses it as a value that does not convert, where the windows only warn.
std::optional<ConsumiResult> prezzoNonValido(const CliContext& context)
{
    QStringList problemi;
    context.store.readPrice(Catalogue::ImportoCosto, &problemi);
    if (problemi.isEmpty())
        return std::nullopt;
    ConsumiResult r;
    r.outcome = ConsumiResult::Outcome::ConversionError;
    r.message = problemi.first();
    return r;
}

// The statistics pass of the window's "&Calcola", its days handed to `andamento`.
ConsumiResult passata(CliContext& context, const std::pair<QDate, QDate>& giorni, AndamentoConsumi& andamento)
{
    if (std::optional<ConsumiResult> rifiuto = prezzoNonValido(context))
        return *rifiuto;
    StatoProgramma stato;
    stato.fromStore(context.store);
    ConsumiHooks hooks;
    hooks.righe = &andamento;
    return calcolaConsumi(context.archivio, ConsumiMode::Statistics, giorni.first, giorni.second, stato, context.store,
                          hooks);
}

int consumi(CliContext& context)
{
    const std::optional<std::pair<QDate, QDate>> giorni = periodo(context, "consumi");
    if (!giorni)
        return CliExit::Usage;
    AndamentoConsumi andamento(giorni->first, giorni->second, context.oggi);
    const ConsumiResult r = passata(context, *giorni, andamento);
    if (r.outcome != ConsumiResult::Outcome::Done)
        return esito(context, r);
    const ConsumiTexts testi = ConsumiTexts::from(r.totals);
    if (context.flag(QStringLiteral("--json")))
        context.out << json(r.totals, testi, andamento.proiezione(ProiezioneMese::limiteMensile(context.store)))
                    << '\n';
    else
        etichette(context.out, testi);
    return esito(context, r);
}

// Written as it is made: a range of all the calendar has 120,000 months.
void stampaJson(QTextStream& out, const AndamentoConsumi& andamento)
{
    out << "{\"raggruppamento\": " << jsonText(andamento.mensile() ? QStringLiteral("mese") : QStringLiteral("giorno"))
        << ", \"righe\": [";
    const char* separatore = "";
    for (const AndamentoConsumi::Barra& b : andamento.barre()) {
        out << separatore
            << QStringLiteral("{\"dal\": %1, \"al\": %2, \"scatti\": %3, \"costo\": %4, \"secondi\": %5, "
                              "\"minuti\": %6}")
                   .arg(jsonText(formatDate(b.dal)), jsonText(formatDate(b.al)))
                   .arg(b.scatti)
                   .arg(qRound64(b.costo))
                   .arg(b.secondi)
                   .arg(b.minuti());
        separatore = ", ";
    }
    out << "]}\n";
}

// One line a bar: the day (dd/mm/yyyy) or the month (mm/yyyy), units, whole lire, whole minutes.
void stampaRighe(QTextStream& out, const AndamentoConsumi& andamento)
{
    for (const AndamentoConsumi::Barra& b : andamento.barre()) {
        out << (andamento.mensile() ? b.dal.toString(QStringLiteral("MM/yyyy")) : formatDate(b.dal)) << ';' << b.scatti
            << ';' << qRound64(b.costo) << ';' << b.minuti() << '\n';
    }
}

int andamento(CliContext& context)
{
    const std::optional<std::pair<QDate, QDate>> giorni = periodo(context, "andamento");
    if (!giorni)
        return CliExit::Usage;
    AndamentoConsumi barre(giorni->first, giorni->second, context.oggi);
    const ConsumiResult r = passata(context, *giorni, barre);
    if (r.outcome != ConsumiResult::Outcome::Done)
        return esito(context, r);
    if (context.flag(QStringLiteral("--json")))
        stampaJson(context.out, barre);
    else
        stampaRighe(context.out, barre);
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
    if (const std::optional<ConsumiResult> rifiuto = prezzoNonValido(context))
        return esito(context, *rifiuto);
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
        for (const Message& m : fatto.messaggi)
            context.err << oneLine(m.text) << '\n';
        return exitStatusFor(fatto.outcome);
    }
    context.out << (foglio ? writer.savedPath() : fatto.file) << '\n';
    return CliExit::Done;
}

} // namespace

QList<CliCommand> statisticsCommands()
{
    const CliGrammar periodo{{QStringLiteral("--dal"), QStringLiteral("--al")}, {QStringLiteral("--json")}};
    return {{QStringLiteral("consumi"), consumi, periodo},
            {QStringLiteral("esporta"),
             esporta,
             {{QStringLiteral("--mese"), QStringLiteral("--anno")}, {QStringLiteral("--xlsx")}}},
            {QStringLiteral("andamento"), andamento, periodo}};
}
