#include "app/BrenvoloApplication.h"
#include "app/TSingleInstanceGuard.h"
#include "app/TfrmInfo.h"
#include "app/TfrmPrincipale.h"
#include "platform/CanberraSounds.h"
#include "platform/DBusNotifier.h"
#include "platform/DialUpSources.h"
#include "platform/DisplayPlatform.h"
#include "platform/FlockInstanceLock.h"
#include "platform/IniSettingsBackend.h"
#include "platform/LogindSleepWatcher.h"
#include "platform/Paths.h"
#include "platform/ProcessShell.h"
#include "platform/Prompter.h"
#include "platform/ReplacingFile.h"
#include "platform/Servizi.h"
#include "platform/SheetWriter.h"
#include "platform/SystemClock.h"
#include "platform/TerminationWatcher.h"
#include "ras/DialUpCounting.h"
#include "session/CountingSession.h"
#include "settings/ReportingSettingsBackend.h"
#include "settings/StatoProgramma.h"
#include "widgets/Glyphs.h"
#include "widgets/MessageBoxPrompter.h"
#include "widgets/QtCatalogue.h"

#include <QDir>
#include <QFileInfo>
#include <QStyleFactory>
#include <QSystemTrayIcon>
#include <QTimer>
#include <cstdio>
#include <optional>

namespace {

// In a Wayland session the compact strip could not stay on top: the program
// runs through XWayland unless the user chose a platform.
void choosePlatform(int argc, char** argv)
{
    const QString platform = DisplayPlatform::forcedPlatform(QProcessEnvironment::systemEnvironment(),
                                                             DisplayPlatform::arguments(argc, argv));
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform.toLocal8Bit());
}

void nameApplication()
{
    QApplication::setApplicationName(QStringLiteral("Brenvolo"));
    // No display name: the platform would add it to every window's title, and
    // message boxes carry exactly their own titles.
    QApplication::setApplicationVersion(QStringLiteral(BRENVOLO_VERSION));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Every window, the first-run boxes included, carries the program's icon;
    // the desktop matches the windows to the program's menu entry by its id.
    QApplication::setWindowIcon(Glyphs::application());
    QGuiApplication::setDesktopFileName(QStringLiteral(BRENVOLO_APP_ID));
}

// The main window's guard: one copy, no box of its own, the application
// ended. A copy that may run gets no value; one that may not, the status it
// ends with: 0 when another copy runs, 1 when the lock cannot be taken (told
// in a box and on standard error).
std::optional<int> refusal(TSingleInstanceGuard& guard, Prompter& prompter)
{
    guard.setMaxInstance(1);
    guard.setAction(TSingleInstanceGuard::Action::None);
    guard.setTerminationStyle(TSingleInstanceGuard::TerminationStyle::TerminateApplication);
    const TSingleInstanceGuard::Outcome outcome = guard.check();
    if (!outcome.refused)
        return std::nullopt;
    if (outcome.unavailable && outcome.message)
        std::fprintf(stderr, "%s\n",
                     qPrintable(QString(outcome.message->text).replace(QLatin1Char('\r'), QLatin1Char(' '))));
    if (outcome.message)
        prompter.show(*outcome.message);
    if (outcome.unavailable)
        return 1;
    guard.terminate();
    return QApplication::exec();
}

// The admitted program: its state, its one counting session and its main
// window, and what ends or pauses a session from outside; returns when the
// main window has closed.
int run(BrenvoloApplication& app, Servizi& servizi, Prompter& prompter, std::unique_ptr<TSingleInstanceGuard> guard)
{
    StatoProgramma stato;
    CountingSession session(servizi, stato);
    // Shown once the heartbeat that found it has returned.
    QObject::connect(
        &session, &CountingSession::avviso, &session, [&prompter](const Message& m) { prompter.show(m); },
        Qt::QueuedConnection);
    TfrmPrincipale principale(servizi, stato, session, std::move(guard));
    // The about box, never shown at start, is made once the event loop runs:
    // building it does not delay the main window.
    std::unique_ptr<TfrmInfo> info;
    QTimer::singleShot(0, &principale, [&info, &principale] { info = std::make_unique<TfrmInfo>(&principale); });

    // Ended from outside while counting, or by the end of the desktop
    // session, the program still writes the session's closing record.
    TerminationWatcher termination;
    QObject::connect(&termination, &TerminationWatcher::terminationRequested, &principale,
                     [&principale] { principale.shutDown(); });
    // A suspend closes the running session at its moment; awake, counting
    // follows the connection again.
    LogindSleepWatcher sleep(QDBusConnection::systemBus());
    QObject::connect(&sleep, &LogindSleepWatcher::prepareForSleep, principale.dialUpCounting(),
                     &DialUpCounting::prepareForSleep);
#ifndef QT_NO_SESSIONMANAGER
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &session, &CountingSession::stopWhenPossible);
#endif
    // The program ends when its main window closes, not when the last visible
    // window does: with the windows hidden in the tray, a closed message box
    // would end it in the middle of a session.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&principale, &TfrmPrincipale::readyToQuit, &app, [] { QCoreApplication::exit(0); });

    principale.present();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    choosePlatform(argc, argv);
    BrenvoloApplication app(argc, argv);
    nameApplication();
    installQtCatalogue(app);

    MessageBoxPrompter prompter;
    app.setPrompter(&prompter);
    SystemClock clock;
    CanberraSounds sounds([] { QApplication::beep(); });
    ProcessShell shell;
    FlockInstanceLock instanceLock(Paths::runtimeDirectory());
    IniSettingsBackend store(Paths::configDirectory());
    // A store left readable by others (copied in, restored from a backup) is
    // the user's alone again before anything reads its password.
    store.makePrivate();
    ReportingSettingsBackend settings(store, Paths::configDirectory());
    // Told once, when the event loop runs, never in the middle of a session's start.
    settings.setOnFirstFailure([&prompter](const QString& message) {
        QTimer::singleShot(0, [&prompter, message] { prompter.warning(message); });
    });
    const std::unique_ptr<DialUpSource> dialUp = DialUpSources::create(shell);
    SheetWriter sheet(Paths::dataDirectory(), &shell);
    // What an export killed before it finished left beside its file; one of
    // the last minutes may still be brenvolo-cli's, at work.
    ReplacingFile::removeLeftovers(Paths::dataDirectory(), QDateTime::currentDateTime().addSecs(-5 * 60));
    DBusNotifier notifier;
    Servizi servizi{clock,        prompter, sounds, shell,    settings,
                    instanceLock, *dialUp,  sheet,  notifier, Paths::dataDirectory()};
    servizi.trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };

    auto guard = std::make_unique<TSingleInstanceGuard>(instanceLock,
                                                        QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    // A refused copy ends as soon as its event loop starts, having written,
    // dialled, launched and shown nothing but the guard's own box, if any.
    if (const std::optional<int> status = refusal(*guard, prompter))
        return *status;

    return run(app, servizi, prompter, std::move(guard));
}
