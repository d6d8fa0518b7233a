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

// A command of brenvolo-cli: returns its exit status.
struct CliCommand
{
    QString name;
    std::function<int(CliContext&)> run;
};

// The commands, each group from its own source file.
QList<CliCommand> settingsCommands();
QList<CliCommand> tariffCommands();
QList<CliCommand> archiveCommands();
QList<CliCommand> statisticsCommands();
QList<CliCommand> limitsCommands();
