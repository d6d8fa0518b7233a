#include "platform/ProcessShell.h"

#include "platform/DesktopViewers.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

int ProcessShell::open(const QString& file, ShowMode)
{
    const QFileInfo info(file);
    if (info.exists() && info.isFile() && info.isExecutable())
        return QProcess::startDetached(info.absoluteFilePath(), {}) ? Started : NotFound;
    if (info.exists())
        return view(info.absoluteFilePath());
    // A bare program name found on the PATH.
    const QString program = QStandardPaths::findExecutable(file);
    if (!program.isEmpty())
        return QProcess::startDetached(program, {}) ? Started : NotFound;
    return NotFound;
}

int ProcessShell::run(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments) ? Started : NotFound;
}

int ProcessShell::view(const QString& document)
{
    // xdg-open starts, and succeeds, even where no application takes the
    // document, which then shows nowhere: that is told as not found.
    if (!DesktopViewers::exists(document))
        return NotFound;
    return run(QStringLiteral("xdg-open"), {QFileInfo(document).absoluteFilePath()});
}
