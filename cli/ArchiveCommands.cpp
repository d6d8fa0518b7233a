#include "archive/ArchivioChiamate.h"
#include "cli/CliContext.h"
#include "reports/ConversioneArchivio.h"
#include "reports/CorrezioneChiusura.h"

#include <QFile>

namespace {

int valida(CliContext& context)
{
    if (context.arguments.size() != 1) {
        context.err << "uso: brenvolo-cli valida FILE\n";
        return CliExit::Usage;
    }
    return archivioValido(context.arguments.at(0)) ? CliExit::Done : CliExit::No;
}

int converti(CliContext& context)
{
    if (!context.arguments.isEmpty()) {
        context.err << "uso: brenvolo-cli converti [--archivio FILE]\n";
        return CliExit::Usage;
    }
    const ConversioneArchivio::Risultato r = ConversioneArchivio(context.archivio).esegui();
    switch (r.esito) {
    case ConversioneArchivio::Esito::Convertito:
        context.out << r.messaggio << '\n';
        return CliExit::Done;
    case ConversioneArchivio::Esito::ArchivioMancante:
        context.err << r.messaggio << '\n';
        return CliExit::ArchiveMissing;
    case ConversioneArchivio::Esito::NonRiuscita:
        break;
    }
    context.err << oneLine(r.messaggio) << '\n';
    return CliExit::ArchiveError;
}

// Without --chiusura: the first opening record without its closing record
// and the closing record proposed for it, one a line (exit 3, as every
// command that meets it). With --chiusura: that closing record written the
// way the repair dialog writes it.
int ripara(CliContext& context)
{
    const QStringList& a = context.arguments;
    const bool conChiusura = a.size() == 2 && a.at(0) == QLatin1String("--chiusura");
    if (!a.isEmpty() && !conChiusura) {
        context.err << "uso: brenvolo-cli ripara [--chiusura \"TESTO\"] [--archivio FILE]\n";
        return CliExit::Usage;
    }
    if (!QFile::exists(context.archivio)) {
        context.err << "Archivio chiamate inesistente!\n";
        return CliExit::ArchiveMissing;
    }
    QString errore;
    const std::optional<CorrezioneChiusura> correzione = CorrezioneChiusura::cerca(context.archivio, &errore);
    if (!correzione) {
        if (!errore.isEmpty()) {
            context.err << "Impossibile leggere l'archivio chiamate " << context.archivio << ": " << errore << '\n';
            return CliExit::ArchiveError;
        }
        context.out << "Nessuna chiusura mancante\n";
        return conChiusura ? CliExit::No : CliExit::Done;
    }
    if (!conChiusura) {
        context.out << correzione->apertura() << '\n' << correzione->chiusuraProposta() << '\n';
        context.err << oneLine(RecordArchivio(correzione->apertura()).messaggioChiusuraMancante()) << '\n';
        return CliExit::ArchiveError;
    }
    const CorrezioneChiusura::Risultato r = correzione->correggi(a.at(1));
    switch (r.esito) {
    case CorrezioneChiusura::Esito::Corretta:
        context.out << correzione->apertura() << '\n' << a.at(1) << '\n';
        return CliExit::Done;
    case CorrezioneChiusura::Esito::Rifiutata:
        context.err << oneLine(r.messaggio) << '\n';
        return CliExit::Conversion;
    case CorrezioneChiusura::Esito::NonRiuscita:
        break;
    }
    context.err << oneLine(r.messaggio) << '\n';
    return CliExit::ArchiveError;
}

} // namespace

QList<CliCommand> archiveCommands()
{
    return {{QStringLiteral("valida"), valida, {{}, {}, 1}},
            {QStringLiteral("converti"), converti},
            {QStringLiteral("ripara"), ripara, {{QStringLiteral("--chiusura")}}}};
}
