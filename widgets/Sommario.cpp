#include "widgets/Sommario.h"

#include "platform/HelpFile.h"
#include "platform/Prompter.h"
#include "platform/Servizi.h"
#include "platform/Shell.h"

#include <QCoreApplication>
#include <QDir>

namespace Sommario {

void apri(QWidget*, Servizi& servizi, StatoProgramma&)
{
    apri(servizi.shell, servizi.prompter, HelpFile::locate(QCoreApplication::applicationDirPath()));
}

bool apri(Shell& shell, Prompter& prompter, const QString& guida)
{
    if (guida.isEmpty()) {
        prompter.warning(QStringLiteral("La guida di Brenvolo (%1) non è stata trovata.\r"
                                        "Reinstallare il programma per ripristinarla.")
                             .arg(HelpFile::fileName()));
        return false;
    }
    if (shell.open(guida, Shell::ShowMode::Normal) > 32)
        return true;
    prompter.warning(QStringLiteral("Impossibile aprire la guida.\r"
                                    "Manca un programma per aprire le pagine web:\r"
                                    "installare xdg-utils e un browser.\r\r"
                                    "La guida si trova in:\r%1")
                         .arg(QDir::toNativeSeparators(guida)));
    return false;
}

} // namespace Sommario
