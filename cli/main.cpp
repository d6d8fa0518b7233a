#include "archive/ArchivioLetto.h"
#include "cli/CliContext.h"
#include "platform/IniSettingsBackend.h"
#include "platform/Paths.h"
#include "settings/Conversion.h"

#include <QCoreApplication>
#include <algorithm>
#include <optional>

namespace {

const char usage[] = R"(brenvolo-cli COMMAND [OPTIONS]
brenvolo-cli --help | -h | --version
  consumi --dal DD/MM/YYYY --al DD/MM/YYYY [--json]   totals of a range, as the statistics window shows them;
                                                      the JSON adds the month-end projection of --oggi's month
  esporta --mese NOME --anno YYYY [--xlsx]            one month day by day to <mmm>_<yy>.txt (or .xlsx)
  limiti [--dopo-arresto]                             the limits check; each message on one line
  intervallo --quando "DD/MM/YYYY HH.NN.SS" --classe N [--festivo 0|1]   unit interval in tenths of a second
  pasqua --anno YYYY                                  Easter Sunday and Easter Monday, dd/mm/yyyy, one a line
  valida FILE                                         exit 0 when FILE looks like a call archive, 1 when not
  converti                                            converts an old-format archive, keeping it as tqklog_old.txt
  ripara [--chiusura "TEXT"]                          the first opening record without its closing record and the
                                                      closing record proposed for it; with --chiusura, writes TEXT
                                                      after it as the repair dialog does
  andamento --dal DD/MM/YYYY --al DD/MM/YYYY [--json] per-day rows of a range (per-month beyond 62 days),
                                                      as the statistics window's trend chart shows them
  impostazioni                                        every section/value=text of the store
Common options:
  --archivio FILE            the archive to read (default tqklog.txt in the data directory)
  --oggi DD/MM/YYYY          the date taken as today (default: today)
  --imposta SEZIONE/VALORE=TESTO   overrides one setting in memory only (repeatable)
)";

QList<CliCommand> allCommands()
{
    QList<CliCommand> commands;
    commands += settingsCommands();
    commands += tariffCommands();
    commands += archiveCommands();
    commands += statisticsCommands();
    commands += limitsCommands();
    return commands;
}

// Copies the user's store, or the factory values when it has no section. The
// store is read once, whatever its size.
void loadSettings(CliContext& context)
{
    const IniSettingsBackend user(Paths::configDirectory());
    const QList<IniSettingsBackend::StoredValue> stored = user.valuesBelow(SettingsStore::chiave);
    const bool hasSection = std::any_of(stored.begin(), stored.end(), [](const IniSettingsBackend::StoredValue& v) {
        return v.key.size() > SettingsStore::chiave.size();
    });
    context.store.open();
    if (!hasSection) {
        for (const SettingsStore::Entry& entry : SettingsStore::firstRunDefaults(220))
            context.store.writeText(entry.section, entry.value, entry.text);
        return;
    }
    for (const IniSettingsBackend::StoredValue& value : stored)
        context.settings.setValue(value.key, value.name, value.text);
}

} // namespace

int main(int argc, char** argv)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    if (args.isEmpty()) {
        err << usage;
        return CliExit::Usage;
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        out << usage;
        return CliExit::Done;
    }
    if (name == QLatin1String("--version")) {
        out << "brenvolo-cli " BRENVOLO_VERSION "\n";
        return CliExit::Done;
    }
    // Scripts call the tool often: only the export, whose sheet link lets
    // events run while it waits, pays for an application object.
    std::optional<QCoreApplication> app;
    if (name == QLatin1String("esporta"))
        app.emplace(argc, argv);
    const QList<CliCommand> commands = allCommands();
    const auto command =
        std::find_if(commands.begin(), commands.end(), [&](const CliCommand& c) { return c.name == name; });
    if (command == commands.end()) {
        err << QStringLiteral("comando sconosciuto: %1\n").arg(name) << usage;
        return CliExit::Usage;
    }

    CliContext context(out, err);
    loadSettings(context);
    context.dataDirectory = Paths::dataDirectory();
    context.archivio = ArchivioLetto::attuale(context.dataDirectory);
    context.oggi = QDate::currentDate();
    try {
        const CliParse parse = readArguments(args, command->grammar, context);
        switch (parse.outcome) {
        case CliParse::Outcome::Help:
            out << usage;
            return CliExit::Done;
        case CliParse::Outcome::Usage:
            err << parse.fault << '\n' << usage;
            return CliExit::Usage;
        case CliParse::Outcome::Run:
            break;
        }
        return command->run(context);
    } catch (const EConvertError& error) {
        err << error.message() << '\n';
        return CliExit::Conversion;
    }
}
