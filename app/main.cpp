#include "app/BrenvoloApplication.h"
#include "app/MessageBoxPrompter.h"
#include "app/Servizi.h"
#include "app/TSingleInstanceGuard.h"
#include "app/TerminationWatcher.h"
#include "app/TfrmInfo.h"
#include "app/TfrmPrincipale.h"
#include "platform/DialUpSources.h"
#include "platform/FlockInstanceLock.h"
#include "platform/IniSettingsBackend.h"
#include "platform/Paths.h"
#include "platform/ProcessShell.h"
#include "platform/QtSounds.h"
#include "platform/SheetWriter.h"
#include "platform/SystemClock.h"
#include "settings/StatoProgramma.h"

#include <QDir>
#include <QFileInfo>
#include <QStyleFactory>

int main(int argc, char** argv)
{
    BrenvoloApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brenvolo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Brenvolo"));
    QApplication::setApplicationVersion(QStringLiteral(BRENVOLO_VERSION));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    MessageBoxPrompter prompter;
    app.setPrompter(&prompter);
    SystemClock clock;
    QtSounds sounds([] { QApplication::beep(); });
    ProcessShell shell;
    FlockInstanceLock instanceLock(Paths::runtimeDirectory());
    IniSettingsBackend settings(Paths::configDirectory());
    const std::unique_ptr<DialUpSource> dialUp = DialUpSources::create(shell);
    SheetWriter sheet(Paths::dataDirectory(), &shell);
    Servizi servizi{clock, prompter, sounds, shell, settings, instanceLock, *dialUp, sheet, Paths::dataDirectory()};

    auto guard = std::make_unique<TSingleInstanceGuard>(instanceLock, prompter,
                                                        QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    guard->setMaxInstance(1);
    guard->setAction(TSingleInstanceGuard::Action::None);
    guard->setTerminationStyle(TSingleInstanceGuard::TerminationStyle::TerminateApplication);
    // A refused copy ends as soon as its event loop starts, having written,
    // dialled, launched and shown nothing.
    if (!guard->check())
        return QApplication::exec();

    const QString rescued = settings.rescueUnreadableFiles();
    if (!rescued.isEmpty())
        prompter.warning(rescued);

    StatoProgramma stato;
    TfrmPrincipale principale(servizi, stato, std::move(guard));
    TfrmInfo info(&principale);

    // Ended from outside while counting, the program still writes the
    // session's closing record before it goes.
    TerminationWatcher termination;
    QObject::connect(&termination, &TerminationWatcher::terminationRequested, &principale,
                     [&principale] { principale.shutDown(); });
    QObject::connect(&principale, &TfrmPrincipale::readyToQuit, &app, [] { QCoreApplication::exit(0); });

    principale.present();
    return QApplication::exec();
}
