// Counts sessions one after another until killed, the way the program does:
// each one through the real counting session, so its opening and closing
// records go through the real archive writer, its last known moment through
// the real state file, and ritardo\flagAuto through the real settings store
// (an automatic start writes "ON", every stop "OFF"). It prints "aperto" once
// a session's opening record is written and "chiuso" once its closing record
// is. With a number N as argument it stops a minute into its Nth session,
// once that moment is kept, prints "segnato" and waits, its session open, for the kill.
#include "platform/IniSettingsBackend.h"
#include "platform/Paths.h"
#include "session/CountingSession.h"
#include "settings/ReportingSettingsBackend.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeDialUpSource.h"
#include "tests/support/FakeInstanceLock.h"
#include "tests/support/FakeNotifier.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/FakeSheetTransport.h"
#include "tests/support/FakeShell.h"
#include "tests/support/FakeSounds.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

void reportUnexpectedBox(const QString& text, const QString& title)
{
    std::fprintf(stderr, "unexpected message box: %s: %s\n", qPrintable(title), qPrintable(text));
    std::exit(2);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int fermaDopo = argc > 1 ? std::atoi(argv[1]) : -1;

    IniSettingsBackend ini(Paths::configDirectory());
    ReportingSettingsBackend settings(ini, Paths::configDirectory());
    SettingsStore store(settings);
    store.open();
    if (store.isFirstRun())
        store.writeFirstRunDefaults(220);

    // Each run goes on in time from where the archive stands, a minute a record.
    const QString data = Paths::dataDirectory();
    const qint64 righe = QFileInfo(data + QStringLiteral("/tqklog.txt")).size() / 44;
    FakeClock clock(QDateTime(QDate(1999, 12, 6), QTime(0, 0)).addSecs(righe * 120));
    FakePrompter prompter;
    FakeSounds sounds;
    FakeShell shell;
    FakeInstanceLock lock;
    FakeDialUpSource dialUp;
    FakeSheetTransport sheet;
    FakeNotifier notifier;
    Servizi servizi{clock, prompter, sounds, shell, settings, lock, dialUp, sheet, notifier, data};
    StatoProgramma stato;
    stato.fromStore(store);
    CountingSession session(servizi, stato);
    session.setNomeConnessione([] { return QStringLiteral("Casa"); });

    for (int i = 1;; ++i) {
        if (!session.startAutomatic())
            return 3;
        std::puts("aperto");
        std::fflush(stdout);
        // Beats less than a minute apart, as the session's timer gives them:
        // a longer gap would be a jump of the clock, which ends the session.
        clock.advance(30 * 1000);
        session.battito(clock.now());
        clock.advance(31 * 1000);
        session.battito(clock.now());
        if (i == fermaDopo) {
            std::puts("segnato");
            std::fflush(stdout);
            for (;;)
                pause();
        }
        clock.advance(30 * 1000);
        if (!session.stop())
            return 3;
        std::puts("chiuso");
        std::fflush(stdout);
        clock.advance(29 * 1000);
    }
}
