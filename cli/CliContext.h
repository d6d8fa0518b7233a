#pragma once

#include "archive/CalcolaConsumi.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"

#include <QDate>
#include <QStringList>
#include <QTextStream>
#include <functional>

// What every command of brenvolo-cli works from: its own options, the
// settings (a copy of the user's store, or the factory values when it has
// none, with the --imposta overrides), the archive's path and today's date.
struct CliContext
{
    CliContext(QTextStream& output, QTextStream& errors)
        : out(output)
        , err(errors)
    {
    }

    QStringList arguments; // the command's own options, common options removed
    MemorySettingsBackend settings;
    SettingsStore store{settings};
    QString archivio;
    QDate oggi;
    QString dataDirectory;
    QTextStream& out;
    QTextStream& err;

    // The value of "--name VALUE" among the command's options, or an empty string.
    QString option(const QString& name) const;
    bool flag(const QString& name) const;
};

// Exit statuses of brenvolo-cli.
namespace CliExit {
constexpr int Done = 0;
constexpr int No = 1;
constexpr int Usage = 2;
constexpr int ArchiveError = 3;
constexpr int ArchiveMissing = 4;
constexpr int Conversion = 5;
} // namespace CliExit

// The exit status of a statistics pass's outcome.
int exitStatusFor(ConsumiResult::Outcome outcome);

// A message on one line: carriage returns written as \r.
QString oneLine(QString text);

// What a command takes besides the common options: its options with a
// value, its switches, and how many plain arguments (a file name).
struct CliGrammar
{
    QStringList values = {};
    QStringList switches = {};
    int plain = 0;
};

// A command of brenvolo-cli: returns its exit status.
struct CliCommand
{
    QString name;
    std::function<int(CliContext&)> run;
    CliGrammar grammar = {};
};

// How the arguments after the command's name read.
struct CliParse
{
    enum class Outcome
    {
        Run,   // the common options applied to the context, the command's own in its arguments
        Help,  // --help or -h: the usage on standard output
        Usage, // wrong usage: the fault, then the usage on standard error
    };
    Outcome outcome = Outcome::Run;
    QString fault;
};

// Reads `args` against the command's grammar and the common options
// (--archivio, --oggi, --imposta; only --imposta may repeat). An unknown
// option, an option without its value, a repeated option or an argument
// beyond the grammar's is wrong usage. A date of --oggi that does not
// convert throws EConvertError.
CliParse readArguments(const QStringList& args, const CliGrammar& grammar, CliContext& context);

// The commands, each group from its own source file.
QList<CliCommand> settingsCommands();
QList<CliCommand> tariffCommands();
QList<CliCommand> archiveCommands();
QList<CliCommand> statisticsCommands();
QList<CliCommand> limitsCommands();
