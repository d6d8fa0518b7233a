#include "ras/TRasMonitor.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/UiTestRegistry.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const QString casa = QStringLiteral("Casa");

TRasMonitor* monitor(Program& p)
{
    return p.window->findChild<TRasMonitor*>(QStringLiteral("ConnessioneRas"));
}

// A program with automatic counting, the entry Casa in the numbers table as class 2.
void automaticProgram(Program& p, const QString& mode = QStringLiteral("0"))
{
    p.configured(QStringLiteral("limiti"), QStringLiteral("RadioGroup4_ItemIndex"), mode);
    p.configured(QStringLiteral("limiti"), QStringLiteral("ComboBox3_Text"), casa);
    p.configured(QStringLiteral("limiti"), QStringLiteral("ComboBox2_Text"), QStringLiteral("< 15"));
}

} // namespace

class TestConnessioneRas : public QObject
{
    Q_OBJECT
private slots:
    void connectionStartsAndStopsASessionWithinOnePoll()
    {
        Program p;
        automaticProgram(p);
        p.at(QDateTime(QDate(1999, 12, 6), QTime(21, 30, 5)));
        p.start();
        QVERIFY(monitor(p)->DoTimer());

        p.dialUp.oneConnection(casa, DialUpSource::OpenPort);
        monitor(p)->poll();
        QCOMPARE(p.stato.TariffaCorrente, 2);
        QVERIFY(p.button("SpeedButton3")->isChecked());
        QCOMPARE(p.stato.ConteggioInCorso, 0);

        p.dialUp.oneConnection(casa, DialUpSource::Connected);
        monitor(p)->poll();
        QCOMPARE(p.stato.ConteggioInCorso, 1);
        QVERIFY(p.button("SpeedButton7")->isChecked());
        // Backdated by the start delay (12 s), with the connection's entry.
        QCOMPARE(p.records(), QList<QByteArray>{"06/12/1999 21.29.53 collegamento Aperto  021 Casa"});
        QCOMPARE(p.store.readText(QStringLiteral("callerId"), QStringLiteral("numero"), QString()), casa);

        p.at(QDateTime(QDate(1999, 12, 6), QTime(21, 42, 10)));
        p.dialUp.hangUp();
        monitor(p)->poll();
        QCOMPARE(p.stato.ConteggioInCorso, 0);
        QVERIFY(p.button("SpeedButton8")->isChecked());
        QCOMPARE(p.records().last(), QByteArray("06/12/1999 21.42.10 collegamento Chiuso  021"));
    }

    void manualStopWhileConnectedIsFollowedByANewStart()
    {
        Program p;
        automaticProgram(p);
        p.start();
        p.dialUp.oneConnection(casa, DialUpSource::Connected);
        monitor(p)->poll();
        QCOMPARE(p.stato.ConteggioInCorso, 1);

        p.button("SpeedButton8")->click();
        QCOMPARE(p.stato.ConteggioInCorso, 0);
        monitor(p)->poll();
        QCOMPARE(p.stato.ConteggioInCorso, 1);
        QCOMPARE(p.records().size(), 3);
    }

    void manualCountingNeverStartsButStillPicksTheClass()
    {
        Program p;
        automaticProgram(p, QStringLiteral("1"));
        p.start();
        p.dialUp.oneConnection(casa, DialUpSource::OpenPort);
        monitor(p)->poll();
        p.dialUp.oneConnection(casa, DialUpSource::Connected);
        monitor(p)->poll();
        QCOMPARE(p.stato.TariffaCorrente, 2);
        QCOMPARE(p.stato.ConteggioInCorso, 0);

        // A session started by hand is not stopped by the line dropping either.
        p.button("SpeedButton7")->click();
        p.dialUp.hangUp();
        monitor(p)->poll();
        QCOMPARE(p.stato.ConteggioInCorso, 1);
        p.button("SpeedButton8")->click();
    }

    void connectionAlreadyUpAtStartPicksNoClassButCounts()
    {
        Program p;
        automaticProgram(p);
        p.dialUp.oneConnection(casa, DialUpSource::Connected);
        p.start();
        QSignalSpy phases(monitor(p), &TRasMonitor::OnConnectionStatus);
        monitor(p)->poll();
        QCOMPARE(phases.size(), 1);
        QCOMPARE(phases.first().first().toInt(), 2);
        QCOMPARE(p.stato.TariffaCorrente, 1);
        QCOMPARE(p.stato.ConteggioInCorso, 1);
        QVERIFY(p.records().first().endsWith(" 011 Casa"));
        p.button("SpeedButton8")->click();
    }

    void unsetClassLeavesTheButtons()
    {
        Program p;
        automaticProgram(p, QStringLiteral("1"));
        p.configured(QStringLiteral("limiti"), QStringLiteral("ComboBox2_Text"), QStringLiteral("TuT"));
        p.configured(QStringLiteral("tariffa"), QStringLiteral("flag5"), QStringLiteral("4"));
        p.start();
        p.dialUp.oneConnection(casa, DialUpSource::OpenPort);
        monitor(p)->poll();
        QCOMPARE(p.stato.TariffaCorrente, 4);
        QVERIFY(p.button("SpeedButton5")->isChecked());
    }

    // Which modes dial and launch is StartupSequence's: the window does it when first shown.
    void normalModeDialsAndLaunchesAtShow()
    {
        Program p;
        p.configured(QStringLiteral("connessione"), QStringLiteral("automatico"), QStringLiteral("ON"));
        p.configured(QStringLiteral("connessione"), QStringLiteral("provider"), casa);
        p.configured(QStringLiteral("esegui"), QStringLiteral("browser"), QStringLiteral("/usr/bin/browser"));
        p.configured(QStringLiteral("esegui"), QStringLiteral("altro"), QStringLiteral("/opt/altro"));
        p.start();
        QCOMPARE(p.dialUp.dialled, QStringList{casa});
        QCOMPARE(p.shell.opened.size(), 2);
        QCOMPARE(p.shell.opened.at(0).program, QStringLiteral("/usr/bin/browser"));
        QVERIFY(p.shell.opened.at(0).mode == Shell::ShowMode::Normal);
        QCOMPARE(p.shell.opened.at(1).program, QStringLiteral("/opt/altro"));
        QVERIFY(p.shell.opened.at(1).mode == Shell::ShowMode::Minimized);
    }

    void closingStopsThePolling()
    {
        Program p;
        automaticProgram(p);
        p.start();
        QVERIFY(p.window->close());
        QVERIFY(!monitor(p)->DoTimer());
    }

    // In compact mode the connection drives the session all the same: the
    // compact strip shows it, the hidden main window does not.
    void compactModeCountsWithTheConnectionToo()
    {
        Program p;
        automaticProgram(p);
        p.configured(QStringLiteral("visualizza"), QStringLiteral("tipo"), QStringLiteral("2"));
        p.start();
        QList<bool> started; // automatic, for each start
        QObject::connect(&p.session, &CountingSession::started,
                         [&](const SessionStart& start) { started.append(start.automatic); });
        p.dialUp.oneConnection(casa, DialUpSource::OpenPort);
        monitor(p)->poll();
        QCOMPARE(p.stato.TariffaCorrente, 2);
        p.dialUp.oneConnection(casa, DialUpSource::Connected);
        monitor(p)->poll();
        QCOMPARE(started, QList<bool>{true});
        QCOMPARE(p.records(), QList<QByteArray>{"06/12/1999 21.29.53 collegamento Aperto  021 Casa"});
        QVERIFY(!p.window->costWindow());
        QVERIFY(!p.button("SpeedButton7")->isChecked());

        p.dialUp.hangUp();
        monitor(p)->poll();
        QCOMPARE(p.stato.ConteggioInCorso, 0);
        QCOMPARE(p.records().size(), 2);
    }
};

BRENVOLO_UI_TEST(TestConnessioneRas)
#include "TestConnessioneRas.moc"
