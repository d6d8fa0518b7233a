#include "app/TrayIcon.h"
#include "meter/TfrmCosto.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/SmallTmpfs.h"
#include "tests/support/UiTestRegistry.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// The state of the controls that a start and a stop switch.
struct Controls
{
    bool avvio, arresto, classes, lamp, costs, statistics, setup, costPosition;
};

Controls controls(Program& p)
{
    return {p.button("SpeedButton7")->isChecked(),
            p.button("SpeedButton8")->isChecked(),
            p.button("SpeedButton3")->isEnabled(),
            p.button("SpeedButton6")->isEnabled(),
            p.action("Visualizzacosti1")->isEnabled(),
            p.action("Statistiche1")->isEnabled(),
            p.action("Setup1")->isEnabled(),
            p.action("Costi1")->isEnabled() && p.action("Entrambe1")->isEnabled()};
}

} // namespace

class TestTfrmPrincipale : public QObject
{
    Q_OBJECT
private slots:
    void firstRunShowsTwoMessagesAndWritesTheDefaults()
    {
        Program p;
        p.prompter.expect(QStringLiteral("Inizializzazione alla prima esecuzione"))
            .expect(QStringLiteral("Grazie per aver scelto Brenvolo"))
            .expect(QStringLiteral("Creazione archivio chiamate"));
        TfrmPrincipale& w = p.start();
        QCOMPARE(p.prompter.texts(), (QStringList{QStringLiteral("Inizializzazione alla prima esecuzione"),
                                                  QStringLiteral("Grazie per aver scelto Brenvolo"),
                                                  QStringLiteral("Creazione archivio chiamate")}));
        QCOMPARE(p.prompter.shown.at(0).title, QStringLiteral("Attenzione!"));
        QCOMPARE(p.prompter.shown.at(1).title, QStringLiteral("Informazione!"));
        QCOMPARE(p.prompter.shown.at(2).title, QStringLiteral("Attenzione!"));
        QVERIFY(QFile::exists(p.archive()));
        QCOMPARE(QFileInfo(p.archive()).size(), 0);
        QCOMPARE(p.store.allValues().size(), 49);
        QCOMPARE(p.store.readInteger(QStringLiteral("posizione"), QStringLiteral("poscostix"), -1), w.width());
        QVERIFY(w.isVisible());
        QVERIFY(p.action("Visualizzacosti1")->isChecked());
        QVERIFY(p.button("SpeedButton2")->isChecked());
        for (const QString& event : SettingsStore::soundEvents())
            QVERIFY(p.settings.keyExists(SettingsStore::chiaveEventi + QLatin1Char('\\') + event));
    }

    void laterRunShowsNoMessage()
    {
        Program p;
        p.configured(QStringLiteral("tariffa"), QStringLiteral("flag5"), QStringLiteral("3"));
        p.start();
        QVERIFY(p.prompter.shown.isEmpty());
        QVERIFY(p.button("SpeedButton4")->isChecked());
        QCOMPARE(p.stato.TariffaCorrente, 3);
        QCOMPARE(p.stato.CostoScatto, QStringLiteral("152"));
    }

    // The weekday's name follows the system's locale: C.UTF-8 in the test run.
    void captionIsWeekdayAndShortDate()
    {
        if (QLocale::system().language() != QLocale::C && QLocale::system().language() != QLocale::English)
            QSKIP("the weekday's name follows the system locale; the tests run under C.UTF-8");
        Program p;
        p.configured(QStringLiteral("tariffa"), QStringLiteral("flag5"), QStringLiteral("1"));
        TfrmPrincipale& w = p.start();
        QCOMPARE(w.windowTitle(), QStringLiteral("Monday 06/12/99"));
    }

    void displayModes_data()
    {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("mainVisible");
        QTest::addColumn<bool>("minimised");
        QTest::addColumn<bool>("compactShown");
        QTest::addColumn<bool>("costsForced");
        QTest::newRow("normale") << "0" << 0 << true << false << false << false;
        QTest::newRow("tray") << "1" << 1 << true << false << false << true;
        QTest::newRow("barra") << "2" << 2 << false << false << true << false;
        QTest::newRow("ridotto") << "3" << 3 << true << true << false << true;
        QTest::newRow("out of range") << "7" << 0 << true << false << false << false;
    }

    void displayModes()
    {
        QFETCH(QString, tipo);
        QFETCH(int, mode);
        QFETCH(bool, mainVisible);
        QFETCH(bool, minimised);
        QFETCH(bool, compactShown);
        QFETCH(bool, costsForced);
        Program p;
        p.configured(QStringLiteral("visualizza"), QStringLiteral("tipo"), tipo);
        p.configured(QStringLiteral("VediCosti"), QStringLiteral("attivo"), QStringLiteral("OFF"));
        TfrmPrincipale& w = p.start();
        QCOMPARE(static_cast<int>(p.stato.ModoVisualizzazione), mode);
        QCOMPARE(w.isVisible(), mainVisible);
        QCOMPARE(w.isMinimized(), minimised);
        QWidget* compact = w.findChild<QWidget*>(QStringLiteral("frmLight"));
        QCOMPARE(compact != nullptr && compact->isVisible(), compactShown);
        if (mode != 2) {
            QCOMPARE(p.action("Visualizzacosti1")->isChecked(), costsForced);
            QCOMPARE(p.action("Visualizzacosti1")->isEnabled(), !costsForced);
        }
        QVERIFY(p.prompter.shown.isEmpty());
    }

    void windowPositionFromTheStore()
    {
        Program p;
        p.configured(QStringLiteral("Posizione"), QStringLiteral("posX"), QStringLiteral("40"));
        p.configured(QStringLiteral("Posizione"), QStringLiteral("posY"), QStringLiteral("30"));
        TfrmPrincipale& w = p.start();
        QCOMPARE(w.pos(), QPoint(40, 30));
    }

    void closeRefusedWhileCounting()
    {
        Program p;
        p.configured(QStringLiteral("ritardo"), QStringLiteral("flagAuto"), QStringLiteral("ON"));
        TfrmPrincipale& w = p.start();
        QSignalSpy ready(&w, &TfrmPrincipale::readyToQuit);
        p.stato.ConteggioInCorso = 1;
        p.prompter.expect(QStringLiteral("Conteggio ancora in corso !"));
        QVERIFY(!w.close());
        QCOMPARE(ready.size(), 0);
        QVERIFY(w.isVisible());
        QCOMPARE(p.prompter.texts(), QStringList{QStringLiteral("Conteggio ancora in corso !")});
        QCOMPARE(p.prompter.shown.at(0).title, QStringLiteral("Impossibile uscire!"));
        QCOMPARE(p.store.readText(QStringLiteral("ritardo"), QStringLiteral("flagauto"), QString()),
                 QStringLiteral("ON"));

        p.stato.ConteggioInCorso = 0;
        QVERIFY(w.close());
        QCOMPARE(ready.size(), 1);
        QCOMPARE(p.store.readText(QStringLiteral("ritardo"), QStringLiteral("flagauto"), QString()),
                 QStringLiteral("OFF"));
    }

    void classButtonsAreExclusiveAndSetTheClass()
    {
        Program p;
        p.configured(QStringLiteral("tariffa"), QStringLiteral("flag5"), QStringLiteral("1"));
        p.start();
        p.button("SpeedButton5")->click();
        QCOMPARE(p.stato.TariffaCorrente, 4);
        QVERIFY(!p.button("SpeedButton2")->isChecked());
        // Only the class in force changes; the store keeps the class chosen at start.
        QCOMPARE(p.store.readText(QStringLiteral("tariffa"), QStringLiteral("flag5"), QString()), QStringLiteral("1"));
    }

    void costsMenuWritesItsSwitch()
    {
        Program p;
        p.configured(QStringLiteral("VediCosti"), QStringLiteral("attivo"), QStringLiteral("ON"));
        p.start();
        p.action("Visualizzacosti1")->trigger();
        QCOMPARE(p.store.readText(QStringLiteral("vedicosti"), QStringLiteral("attivo"), QString()),
                 QStringLiteral("OFF"));
        p.action("Visualizzacosti1")->trigger();
        QCOMPARE(p.store.readText(QStringLiteral("vedicosti"), QStringLiteral("attivo"), QString()),
                 QStringLiteral("ON"));
    }

    void startUpHoliday_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("fest4");
        QTest::addColumn<bool>("holiday");
        // Which days are holidays is StartupSequence's; the window shows it.
        QTest::newRow("Natale") << QDate(1999, 12, 25) << "01/05" << true;
        QTest::newRow("weekday") << QDate(1999, 12, 6) << "01/05" << false;
    }

    void startUpHoliday()
    {
        QFETCH(QDate, today);
        QFETCH(QString, fest4);
        QFETCH(bool, holiday);
        Program p;
        p.at(QDateTime(today, QTime(9, 0)));
        p.configured(QStringLiteral("festivita"), QStringLiteral("FEST4"), fest4);
        TfrmPrincipale& w = p.start();
        QCOMPARE(p.stato.FestivoForzato, holiday ? 1 : 0);
        QCOMPARE(p.action("Forzailconteggiofestivo1")->isChecked(), holiday);
        QCOMPARE(w.palette().color(QPalette::WindowText) == QColor(Qt::red), holiday);
        QVERIFY(w.palette().color(QPalette::Disabled, QPalette::WindowText) != QColor(Qt::red));
    }

    void startUpCreatesTheMissingArchiveAndBacksItUp()
    {
        Program p;
        p.configured(QStringLiteral("visualizza"), QStringLiteral("backup"), QStringLiteral("ON"));
        QFile::remove(p.archive());
        p.prompter.expect(QStringLiteral("Creazione archivio chiamate"));
        p.start();
        QCOMPARE(p.prompter.texts(), QStringList{QStringLiteral("Creazione archivio chiamate")});
        QVERIFY(QFile::exists(p.archive()));
        QVERIFY(QFile::exists(p.dirs.data() + QStringLiteral("/tqklog.tx~")));
        QCOMPARE(QDir::currentPath(), QDir(p.dirs.data()).absolutePath());
    }

    // A full disk at start-up: the backup that cannot be completed leaves the
    // previous one whole, and the user is told.
    void aBackupOnAFullDiskKeepsThePreviousOne()
    {
        Program p;
        SmallTmpfs disco(p.dirs.data());
        if (!disco.mounted())
            QSKIP("mounting a small tmpfs needs root");
        p.configured(QStringLiteral("visualizza"), QStringLiteral("backup"), QStringLiteral("ON"));
        QByteArray righe;
        while (righe.size() < 30 * 1024)
            righe +=
                "06/12/1999 10.00.00 collegamento Aperto  011 \r\n06/12/1999 10.55.00 collegamento Chiuso  011\r\n";
        const QByteArray precedente = righe.left(8 * 1024);
        for (const auto& [path, bytes] :
             {std::pair{p.archive(), righe}, std::pair{p.dirs.data() + QStringLiteral("/tqklog.tx~"), precedente}}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QCOMPARE(file.write(bytes), bytes.size());
        }
        QVERIFY(disco.fill());
        p.prompter.expectContaining(QStringLiteral("Impossibile aggiornare la copia di sicurezza"));
        p.start();
        QCOMPARE(p.prompter.shown.size(), 1);
        QVERIFY(p.prompter.shown.at(0).text.contains(QStringLiteral("tqklog.tx~")));
        QVERIFY(p.prompter.shown.at(0).text.contains(QStringLiteral("La copia precedente è rimasta com'era")));
        QFile copia(p.dirs.data() + QStringLiteral("/tqklog.tx~"));
        QVERIFY(copia.open(QIODevice::ReadOnly));
        QCOMPARE(copia.readAll(), precedente);
        QCOMPARE(p.archiveBytes(), righe);
        QCOMPARE(QDir(p.dirs.data()).entryList(QDir::Files | QDir::Hidden).size(), 3);
    }

    void startUpChecksTheLimits()
    {
        Program p;
        p.configured(QStringLiteral("limiti"), QStringLiteral("RxSpinEdit4_value"), QStringLiteral("60"));
        p.configured(QStringLiteral("limiti"), QStringLiteral("CheckBox6_Checked"), QStringLiteral("True"));
        QFile archive(p.archive());
        archive.open(QIODevice::Append);
        archive.write(
            "06/12/1999 10.00.00 collegamento Aperto  011 \r\n06/12/1999 10.55.00 collegamento Chiuso  011\r\n");
        archive.close();
        p.prompter.expect(QStringLiteral("Limite Giornaliero superato fra 5 minuti"));
        p.start();
        QCOMPARE(p.prompter.texts(), QStringList{QStringLiteral("Limite Giornaliero superato fra 5 minuti")});
        QCOMPARE(p.stato.consumiGiorno, 55);
        // The same warning reaches the desktop, for windows hidden in the tray.
        QCOMPARE(p.notifier.sent.size(), 1);
        QCOMPARE(p.notifier.sent.at(0).title, QStringLiteral("Limiti di utilizzo"));
        QCOMPARE(p.notifier.sent.at(0).text, QStringLiteral("Limite Giornaliero superato fra 5 minuti"));
    }

    void startUpWithinTheLimitsNotifiesNothing()
    {
        Program p;
        p.configured(QStringLiteral("limiti"), QStringLiteral("RxSpinEdit4_value"), QStringLiteral("60"));
        p.configured(QStringLiteral("limiti"), QStringLiteral("CheckBox6_Checked"), QStringLiteral("True"));
        p.start();
        QVERIFY(p.prompter.shown.isEmpty());
        QVERIFY(p.notifier.sent.isEmpty());
    }

    // Without a tray the icon could not be seen and the hidden window never
    // found again: the run goes minimised, says so once, keeps the setting.
    void trayModeWithoutATrayFallsBackToMinimised()
    {
        Program p;
        p.configured(QStringLiteral("visualizza"), QStringLiteral("tipo"), QStringLiteral("1"));
        p.trayAvailable = false;
        p.prompter.expectContaining(QStringLiteral("non ha un'area di notifica"));
        TfrmPrincipale& w = p.start();
        QCOMPARE(p.prompter.shown.size(), 1);
        QCOMPARE(p.prompter.shown.at(0).title, QStringLiteral("Informazione!"));
        QVERIFY(p.stato.modo(Visualizzazione::Ridotto));
        QVERIFY(w.isVisible());
        QVERIFY(w.isMinimized());
        QVERIFY(w.findChild<TrayIcon*>() == nullptr);
        QVERIFY(p.action("Visualizzacosti1")->isChecked());
        QCOMPARE(p.store.readText(QStringLiteral("visualizza"), QStringLiteral("tipo"), QString()),
                 QStringLiteral("1"));

        // Activated again and again, the window stays where the user can reach it.
        w.activateWindow();
        QCoreApplication::processEvents();
        QVERIFY(w.isVisible());
        QCOMPARE(p.prompter.shown.size(), 1);
    }

    void trayModeWithATrayHidesInIt()
    {
        Program p;
        p.configured(QStringLiteral("visualizza"), QStringLiteral("tipo"), QStringLiteral("1"));
        p.start();
        QVERIFY(p.prompter.shown.isEmpty());
        QVERIFY(p.stato.modo(Visualizzazione::Tray));
        QVERIFY(p.window->findChild<TrayIcon*>() != nullptr);
    }

    // The warning at 80 % of the monthly limit comes once: the next start in
    // the same month, with the consumption still past it, says nothing.
    void startUpWarnsAtEightyPercentOnceAMonth()
    {
        Program p;
        p.configured(QStringLiteral("limiti"), QStringLiteral("RxCalcEdit1_value"), QStringLiteral("1000"));
        p.configured(QStringLiteral("limiti"), QStringLiteral("CheckBox7_Checked"), QStringLiteral("True"));
        QFile archive(p.archive());
        archive.open(QIODevice::Append);
        archive.write(
            "01/12/1999 08.00.00 collegamento Aperto  011 \r\n01/12/1999 22.10.00 collegamento Chiuso  011\r\n");
        archive.close();
        const QString avviso = QStringLiteral("Limite Mensile utilizzato oltre l'80%: 850 minuti su 1000");
        p.prompter.expect(avviso);
        p.start();
        QCOMPARE(p.prompter.texts(), QStringList{avviso});

        p.window.reset();
        p.clock.advance(24 * 3600 * 1000);
        p.start();
        QCOMPARE(p.prompter.texts(), QStringList{avviso});

        // It is the store that remembers it.
        p.window.reset();
        p.configured(QStringLiteral("limiti"), QStringLiteral("avvisoMensile80"), QString());
        p.prompter.expect(avviso);
        p.start();
        QCOMPARE(p.prompter.texts(), (QStringList{avviso, avviso}));
    }

    void startUpBacksUpOnlyWhenAsked()
    {
        Program p;
        p.configured(QStringLiteral("visualizza"), QStringLiteral("backup"), QStringLiteral("OFF"));
        p.start();
        QVERIFY(p.prompter.shown.isEmpty());
        QVERIFY(!QFile::exists(p.dirs.data() + QStringLiteral("/tqklog.tx~")));
    }

    void theButtonsRunTheSessionAndThePanelsShowItsTimes()
    {
        Program p;
        p.entry = QStringLiteral("Casa");
        p.configured(QStringLiteral("tariffa"), QStringLiteral("flag5"), QStringLiteral("2"));
        p.start();
        p.button("SpeedButton7")->click();
        QCOMPARE(p.stato.ConteggioInCorso, 1);
        QCOMPARE(p.panel("Panel1")->text(), QStringLiteral("21.30.05"));
        QVERIFY(p.panel("Panel1")->isVisible());
        QVERIFY(p.panel("Panel2")->text().isEmpty());
        p.clock.advance((12 * 60 + 5) * 1000);
        p.button("SpeedButton8")->click();
        QCOMPARE(p.stato.ConteggioInCorso, 0);
        QCOMPARE(p.panel("Panel2")->text(), QStringLiteral("21.42.10"));
        // The records are the session's; the entry the window's monitor sees reaches the opening one.
        QCOMPARE(p.records().size(), 2);
        QVERIFY(p.records().at(0).endsWith(" Casa"));
        QVERIFY(p.prompter.shown.isEmpty());
    }

    void automaticStartAcrossMidnight_data()
    {
        QTest::addColumn<QString>("costs");
        QTest::newRow("costs shown") << "ON";
        QTest::newRow("costs hidden") << "OFF";
    }

    void automaticStartAcrossMidnight()
    {
        QFETCH(QString, costs);
        Program p;
        p.at(QDateTime(QDate(2000, 1, 2), QTime(0, 0, 5)));
        p.configured(QStringLiteral("VediCosti"), QStringLiteral("attivo"), costs);
        p.start();
        // As the connection monitor starts a session: the session backdates
        // it; the window shows the session's beginning and meters from it.
        QVERIFY(p.session.startAutomatic());
        QCOMPARE(p.panel("Panel1")->text(), QStringLiteral("23.59.53"));
        QCOMPARE(p.window->costWindow() != nullptr, costs == QLatin1String("ON"));
        if (TfrmCosto* costo = p.window->costWindow())
            QCOMPARE(costo->meter().InizioIntervallo(), QDateTime(QDate(2000, 1, 1), QTime(23, 59, 53)));
        p.clock.advance(60000);
        p.window->SpeedButton8Click();
        QCOMPARE(p.panel("Panel2")->text(), QStringLiteral("00.01.05"));
    }

    void costsHiddenStillWritesBothRecords()
    {
        Program p;
        p.configured(QStringLiteral("VediCosti"), QStringLiteral("attivo"), QStringLiteral("OFF"));
        p.start();
        p.window->SpeedButton7Click();
        QVERIFY(!p.window->costWindow());
        QVERIFY(!p.action("Costi1")->isEnabled());
        p.clock.advance(1000);
        p.window->SpeedButton8Click();
        QCOMPARE(p.records().size(), 2);
    }

    void controlStates_data()
    {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("costs");
        QTest::newRow("normale, costs") << "0"
                                        << "ON";
        QTest::newRow("normale, no costs") << "0"
                                           << "OFF";
        QTest::newRow("tray") << "1"
                              << "OFF";
        QTest::newRow("ridotto") << "3"
                                 << "OFF";
    }

    void controlStates()
    {
        QFETCH(QString, tipo);
        QFETCH(QString, costs);
        Program p;
        p.configured(QStringLiteral("visualizza"), QStringLiteral("tipo"), tipo);
        p.configured(QStringLiteral("VediCosti"), QStringLiteral("attivo"), costs);
        TfrmPrincipale& w = p.start();
        const bool costsForced = tipo != QLatin1String("0");
        const bool meter = costsForced || costs == QLatin1String("ON");

        const Controls idle = controls(p);
        QVERIFY(!idle.avvio && idle.arresto && idle.classes && !idle.lamp && !idle.costPosition);
        QCOMPARE(idle.costs, !costsForced);

        p.button("SpeedButton7")->click();
        const Controls counting = controls(p);
        QVERIFY(counting.avvio && !counting.arresto && !counting.classes && counting.lamp);
        QVERIFY(!counting.costs && !counting.statistics && !counting.setup);
        QCOMPARE(counting.costPosition, meter);
        QCOMPARE(w.costWindow() != nullptr, meter);
        if (w.costWindow()) {
            QVERIFY(w.costWindow()->timer()->isActive());
            QCOMPARE(w.costWindow()->isVisible(), tipo == QLatin1String("0"));
        }
        QCOMPARE(w.isMinimized(), tipo == QLatin1String("3"));
        if (tipo == QLatin1String("1"))
            QVERIFY(w.findChild<QTimer*>(QStringLiteral("TrayAnimation"))->isActive());

        p.button("SpeedButton8")->click();
        const Controls after = controls(p);
        QVERIFY(!after.avvio && after.arresto && after.classes && !after.lamp && !after.costPosition);
        QCOMPARE(after.costs, !costsForced);
        QVERIFY(!w.costWindow());
        if (tipo == QLatin1String("1"))
            QVERIFY(!w.findChild<QTimer*>(QStringLiteral("TrayAnimation"))->isActive());
        QCOMPARE(p.records().size(), 2);
    }

    void closingRefusedWhileASessionRuns()
    {
        Program p;
        p.configured(QStringLiteral("VediCosti"), QStringLiteral("attivo"), QStringLiteral("ON"));
        TfrmPrincipale& w = p.start();
        w.SpeedButton7Click();
        p.prompter.expect(QStringLiteral("Conteggio ancora in corso !"));
        p.action("Esci1")->trigger();
        QVERIFY(w.isVisible());
        QCOMPARE(p.prompter.texts(), QStringList{QStringLiteral("Conteggio ancora in corso !")});
        QCOMPARE(p.prompter.shown.at(0).title, QStringLiteral("Impossibile uscire!"));
        w.SpeedButton8Click();
        QVERIFY(w.close());
    }

    void startAndStopAreNotReentrant()
    {
        // Tray mode lets pending events run in the middle of a start and a stop.
        Program p;
        p.configured(QStringLiteral("visualizza"), QStringLiteral("tipo"), QStringLiteral("1"));
        TfrmPrincipale& w = p.start();
        int pokes = 0;
        auto poke = [&] {
            QTimer::singleShot(0, &w, [&] {
                ++pokes;
                w.SpeedButton7Click();
                w.SpeedButton8Click();
            });
        };
        poke();
        w.SpeedButton7Click();
        QCOMPARE(pokes, 1);
        QCOMPARE(p.stato.ConteggioInCorso, 1);
        QCOMPARE(p.records().size(), 1);
        QVERIFY(p.button("SpeedButton7")->isChecked());

        poke();
        w.SpeedButton8Click();
        QCOMPARE(pokes, 2);
        QCOMPARE(p.stato.ConteggioInCorso, 0);
        QCOMPARE(p.records().size(), 2);
        QVERIFY(p.button("SpeedButton8")->isChecked());
    }

    void endOfTheDesktopSessionWritesTheClosingRecord()
    {
        Program p;
        p.configured(QStringLiteral("VediCosti"), QStringLiteral("attivo"), QStringLiteral("ON"));
        TfrmPrincipale& w = p.start();
        w.SpeedButton7Click();
        p.clock.advance(5000);
        p.session.stopWhenPossible();
        QCOMPARE(p.stato.ConteggioInCorso, 0);
        QCOMPARE(p.records().size(), 2);
        QCOMPARE(p.records().at(1), QByteArray("06/12/1999 21.30.10 collegamento Chiuso  011"));
        QVERIFY(w.isVisible());
    }

    void terminationStopsTheSessionAndCloses()
    {
        Program p;
        p.configured(QStringLiteral("VediCosti"), QStringLiteral("attivo"), QStringLiteral("ON"));
        TfrmPrincipale& w = p.start();
        QSignalSpy ready(&w, &TfrmPrincipale::readyToQuit);
        w.SpeedButton7Click();
        w.shutDown();
        QCOMPARE(p.records().size(), 2);
        QVERIFY(!w.isVisible());
        QCOMPARE(ready.size(), 1);
        QVERIFY(p.prompter.shown.isEmpty());
    }

    void terminationDuringAStartWaitsForIt()
    {
        Program p;
        p.configured(QStringLiteral("visualizza"), QStringLiteral("tipo"), QStringLiteral("1"));
        TfrmPrincipale& w = p.start();
        QSignalSpy ready(&w, &TfrmPrincipale::readyToQuit);
        QTimer::singleShot(0, &w, [&] { w.shutDown(); });
        w.SpeedButton7Click();
        QCOMPARE(p.stato.ConteggioInCorso, 0);
        QCOMPARE(p.records().size(), 2);
        QCOMPARE(ready.size(), 1);
    }

    void meterTicksBlinkTheLampAndSetTheTrayHint()
    {
        Program p;
        p.configured(QStringLiteral("visualizza"), QStringLiteral("tipo"), QStringLiteral("1"));
        TfrmPrincipale& w = p.start();
        w.SpeedButton7Click();
        QToolButton* lamp = p.button("SpeedButton6");
        TfrmCosto* costo = w.costWindow();
        QVERIFY(costo);
        for (int i = 0; i < 9; ++i)
            costo->Timer1Timer();
        QVERIFY(lamp->isEnabled());
        costo->Timer1Timer();
        QVERIFY(!lamp->isEnabled());
        for (int i = 0; i < 10; ++i)
            costo->Timer1Timer();
        QVERIFY(lamp->isEnabled());
        QCOMPARE(w.findChild<QSystemTrayIcon*>(QStringLiteral("TrayIcon1"))->toolTip(),
                 QStringLiteral("costo: 152 -> 400"));
    }

    void stopRestoresTheUnitPrice()
    {
        Program p;
        p.configured(QStringLiteral("tariffa"), QStringLiteral("flag6"), QStringLiteral("2"));
        TfrmPrincipale& w = p.start();
        w.SpeedButton7Click();
        QCOMPARE(p.stato.CostoScatto, QStringLiteral("76"));
        w.SpeedButton8Click();
        QCOMPARE(p.stato.CostoScatto, QStringLiteral("152"));
    }

    void forcingTheHolidayDuringASessionChangesTheClosingRecord()
    {
        Program p;
        p.configured(QStringLiteral("VediCosti"), QStringLiteral("attivo"), QStringLiteral("OFF"));
        TfrmPrincipale& w = p.start();
        w.SpeedButton7Click();
        p.action("Forzailconteggiofestivo1")->trigger();
        QCOMPARE(w.palette().color(QPalette::WindowText), QColor(Qt::red));
        w.SpeedButton8Click();
        QVERIFY(p.records().at(0).contains("Aperto  011"));
        QVERIFY(p.records().at(1).endsWith("Chiuso  111"));
    }

    void savePositionItems()
    {
        Program p;
        p.configured(QStringLiteral("VediCosti"), QStringLiteral("attivo"), QStringLiteral("ON"));
        TfrmPrincipale& w = p.start();
        w.SpeedButton7Click();
        w.costWindow()->move(300, 200);
        p.action("Costi1")->trigger();
        QCOMPARE(p.store.readText(QStringLiteral("posizione"), QStringLiteral("poscostix"), QString()),
                 QStringLiteral("300"));
        QCOMPARE(p.store.readText(QStringLiteral("posizione"), QStringLiteral("poscostiy"), QString()),
                 QStringLiteral("200"));
        w.move(40, 30);
        p.action("Entrambe1")->trigger();
        QCOMPARE(p.store.readText(QStringLiteral("posizione"), QStringLiteral("posx"), QString()),
                 QString::number(w.x()));
    }

    // Tray mode, a session running, every window hidden: "Esci" from the tray
    // menu is refused and the program stays, and the later stop closes the call.
    void trayExitWhileCountingKeepsTheProgram()
    {
        Program p;
        p.configured(QStringLiteral("visualizza"), QStringLiteral("tipo"), QStringLiteral("1"));
        TfrmPrincipale& w = p.start();
        QSignalSpy ready(&w, &TfrmPrincipale::readyToQuit);
        w.SpeedButton7Click();
        w.hide();
        QVERIFY(!w.costWindow()->isVisible());
        p.prompter.expect(QStringLiteral("Conteggio ancora in corso !"));
        w.findChild<QAction*>(QStringLiteral("Esci2"))->trigger();
        QCOMPARE(p.prompter.shown.at(0).title, QStringLiteral("Impossibile uscire!"));
        QCOMPARE(ready.size(), 0);
        QVERIFY(p.session.isRunning());

        p.clock.advance(60000);
        w.findChild<QAction*>(QStringLiteral("Arrestailconteggio1"))->trigger();
        QCOMPARE(p.records().size(), 2);
        QCOMPARE(p.records().at(1), QByteArray("06/12/1999 21.31.05 collegamento Chiuso  011"));
        w.findChild<QAction*>(QStringLiteral("Esci2"))->trigger();
        QCOMPARE(ready.size(), 1);
    }

    // The time panels lie over the class buttons only: stop, lamp and tray
    // button stay in view during a session.
    void timePanelsLeaveTheSessionControlsInView()
    {
        Program p;
        p.configured(QStringLiteral("VediCosti"), QStringLiteral("attivo"), QStringLiteral("OFF"));
        TfrmPrincipale& w = p.start();
        w.SpeedButton7Click();
        QLabel* panel1 = p.panel("Panel1");
        QLabel* panel2 = p.panel("Panel2");
        QVERIFY(panel1->isVisible() && panel2->isVisible());
        for (const char* name : {"SpeedButton1", "SpeedButton6", "SpeedButton7", "SpeedButton8"}) {
            const QRect control = p.button(name)->geometry();
            QVERIFY2(!panel1->geometry().intersects(control) && !panel2->geometry().intersects(control), name);
            QVERIFY2(p.button(name)->isVisible(), name);
        }
        QVERIFY(p.button("SpeedButton8")->isEnabled());
        QVERIFY(p.button("SpeedButton6")->isEnabled());
        for (const char* name : {"SpeedButton2", "SpeedButton5"}) {
            const QRect classe = p.button(name)->geometry();
            QVERIFY2(panel1->geometry().united(panel2->geometry()).contains(classe.center()), name);
        }
        QVERIFY(panel1->width() >= panel1->fontMetrics().horizontalAdvance(panel1->text()));

        QTest::mouseDClick(panel2, Qt::LeftButton);
        QVERIFY(!panel1->isVisible() && !panel2->isVisible());
        p.button("SpeedButton8")->click();
        QCOMPARE(p.records().size(), 2);
    }

    // The taskbar entry of the program (the main window's title) carries the
    // running cost while counting, in normal and minimised modes, and keeps
    // it after the stop; no title gets anything added.
    void taskbarShowsTheRunningCost_data()
    {
        QTest::addColumn<QString>("tipo");
        QTest::newRow("normale") << "0";
        QTest::newRow("ridotto") << "3";
    }

    void taskbarShowsTheRunningCost()
    {
        QFETCH(QString, tipo);
        Program p;
        p.at(QDateTime(QDate(1999, 12, 6), QTime(10, 0)));
        p.configured(QStringLiteral("visualizza"), QStringLiteral("tipo"), tipo);
        const QString displayName = QGuiApplication::applicationDisplayName();
        TfrmPrincipale& w = p.start();
        w.SpeedButton7Click();
        TfrmCosto* costo = w.costWindow();
        p.clock.advance(100);
        costo->Timer1Timer();
        QCOMPARE(w.windowTitle(), QStringLiteral("costo: 152 -> 219"));
        QCOMPARE(costo->windowTitle(), QStringLiteral("secondi al prossimo scatto: 219"));
        QCOMPARE(QGuiApplication::applicationDisplayName(), displayName);
        QVERIFY(costo->minimumWidth() >
                costo->fontMetrics().horizontalAdvance(QStringLiteral("secondi al prossimo scatto: 219")));
        for (int tick = 0; tick < 4; ++tick) {
            p.clock.advance(55000);
            costo->Timer1Timer();
        }
        p.clock.advance(100);
        costo->Timer1Timer();
        QCOMPARE(w.windowTitle(), QStringLiteral("costo: 304 -> 219"));
        w.SpeedButton8Click();
        QCOMPARE(w.windowTitle(), QStringLiteral("costo: 304 -> 219"));
    }

    // Hidden to the tray and restored, by the tray icon or "Ripristina", the
    // main window comes back with the running session's cost window, every time.
    void restoringFromTheTrayBringsBackBothWindows()
    {
        Program p;
        p.configured(QStringLiteral("visualizza"), QStringLiteral("tipo"), QStringLiteral("1"));
        TfrmPrincipale& w = p.start();
        w.SpeedButton7Click();
        auto* tray = w.findChild<QSystemTrayIcon*>(QStringLiteral("TrayIcon1"));
        for (int i = 0; i < 8; ++i) {
            w.costWindow()->hide();
            w.hide();
            if (i % 2 == 0)
                emit tray->activated(QSystemTrayIcon::Trigger);
            else
                w.findChild<QAction*>(QStringLiteral("Ripristina1"))->trigger();
            QVERIFY(w.isVisible());
            QVERIFY2(w.costWindow()->isVisible(), qPrintable(QString::number(i)));
        }
        w.SpeedButton8Click();
    }

    void everyControlWithoutTextHasItsHintAsName()
    {
        Program p;
        p.configured(QStringLiteral("tariffa"), QStringLiteral("flag5"), QStringLiteral("1"));
        TfrmPrincipale& w = p.start();
        int glyphs = 0;
        for (const QToolButton* button : w.findChildren<QToolButton*>()) {
            if (!button->text().isEmpty() || button->toolTip().isEmpty())
                continue;
            ++glyphs;
            QCOMPARE(button->accessibleName(), button->toolTip());
        }
        QCOMPARE(glyphs, 4);
    }

    // A tariff type or a unit price the store holds out of range reaches no
    // record and no total: it is read as its default, and the user is told.
    void outOfRangeSettingsAreToldAndReadAsTheirDefaults()
    {
        Program p;
        p.configured(QStringLiteral("tariffa"), QStringLiteral("flag6"), QStringLiteral("7"));
        p.configured(QStringLiteral("importo"), QStringLiteral("costo"), QStringLiteral("-152"));
        p.prompter.expect(QStringLiteral("Costo scatto non valido: '-152'"))
            .expectContaining(QStringLiteral("'7' dell'impostazione tariffa\\flag6"));
        p.start();
        QCOMPARE(p.prompter.shown.size(), 2);
        QCOMPARE(p.stato.TipoTariffaInternet, 1);
        QCOMPARE(p.stato.CostoScattoBase, QStringLiteral("000"));

        p.prompter.expect(QStringLiteral("Costo scatto non valido: '-152'"));
        p.window->SpeedButton7Click();
        QCOMPARE(p.window->costWindow()->meter().CostoSessione(), 0);
        p.window->SpeedButton8Click();
        QVERIFY(p.records().at(0).endsWith(" 011 "));
        QVERIFY(p.records().at(1).endsWith(" 011"));
    }

    // A first run cut short after its first values: the next start writes
    // every missing value again and says so once; the bands and holidays are
    // there for the session and the holiday check.
    void aHalfWrittenStoreGetsItsMissingValuesBack()
    {
        Program p;
        const QList<SettingsStore::Entry> defaults = SettingsStore::firstRunDefaults(220);
        for (const SettingsStore::Entry& entry : defaults.mid(0, 5))
            p.store.writeText(entry.section, entry.value, entry.text);
        p.configured(QStringLiteral("tariffa"), QStringLiteral("flag6"), QStringLiteral("2"));
        QDir().mkpath(p.dirs.data());
        QFile(p.archive()).open(QIODevice::WriteOnly);
        p.at(QDateTime(QDate(1999, 12, 25), QTime(10, 0, 0)));
        p.prompter.expectContaining(QStringLiteral("Alcune impostazioni mancavano"));
        p.start();
        QCOMPARE(p.prompter.shown.size(), 1);
        const QString testo = p.prompter.shown.at(0).text;
        QVERIFY2(testo.contains(QStringLiteral("fasce orarie dei giorni feriali")), qPrintable(testo));
        QVERIFY2(testo.contains(QStringLiteral("festività")), qPrintable(testo));
        QVERIFY2(!testo.contains(QStringLiteral("costo dello scatto")), qPrintable(testo));
        QCOMPARE(p.store.allValues().size(), 49);
        QCOMPARE(p.store.readText(QStringLiteral("tariffa"), QStringLiteral("flag6"), QString()), QStringLiteral("2"));
        QCOMPARE(p.stato.feriali.at(0), QStringLiteral("08.00.00-18.30.00-2200-0750-0400-0267"));
        QCOMPARE(p.stato.FestivoForzato, 1);

        p.window->SpeedButton7Click();
        p.clock.advance(60 * 1000);
        p.window->SpeedButton8Click();
        QCOMPARE(p.prompter.shown.size(), 1);

        p.window.reset();
        p.prompter.shown.clear();
        p.start();
        QVERIFY(p.prompter.shown.isEmpty());
    }

    // A settings folder that cannot be written: the factory values serve from
    // memory, told in one message at every start, never the first-run boxes.
    void anUnwritableEmptyStoreRunsOnTheFactoryValues()
    {
        for (int run = 0; run < 2; ++run) {
            Program p;
            p.memory.locked = true;
            QDir().mkpath(p.dirs.data());
            QFile(p.archive()).open(QIODevice::WriteOnly);
            p.prompter.expectContaining(QStringLiteral("Impossibile salvare le impostazioni"));
            p.start();
            QCOMPARE(p.prompter.shown.size(), 1);
            QVERIFY(p.prompter.shown.at(0).text.contains(QStringLiteral("valori predefiniti")));
            QCOMPARE(p.stato.CostoScatto, QStringLiteral("152"));
            QCOMPARE(p.stato.festivi.at(0), QStringLiteral("08.00.00-23.59.59-4000-1500-0800-0500"));
            QVERIFY(p.memory.subKeys(SettingsStore::chiave).isEmpty());
            p.window->SpeedButton7Click();
            p.clock.advance(60 * 1000);
            p.window->SpeedButton8Click();
            QCOMPARE(p.prompter.shown.size(), 1);
            QCOMPARE(p.records().size(), 2);
        }
    }

    // Settings that cannot be written are told once; the automatic session
    // keeps its backdated start all the same.
    void unwritableSettingsAreToldOnceAndTheRecordsStayRight()
    {
        Program p;
        p.configured(QStringLiteral("ritardo"), QStringLiteral("flagAuto"), QStringLiteral("OFF"));
        p.memory.locked = true;
        p.prompter.expectContaining(QStringLiteral("Impossibile salvare le impostazioni"));
        p.start();
        QVERIFY(p.session.startAutomatic());
        QCOMPARE(p.records().at(0), QByteArray("06/12/1999 21.29.53 collegamento Aperto  011 "));
        QCOMPARE(p.window->costWindow()->meter().InizioIntervallo(), QDateTime(QDate(1999, 12, 6), QTime(21, 29, 53)));
        p.clock.advance(10000);
        p.window->SpeedButton8Click();
        QCOMPARE(p.records().at(1), QByteArray("06/12/1999 21.30.15 collegamento Chiuso  011"));
        QCOMPARE(p.prompter.shown.size(), 1);
    }
};

BRENVOLO_UI_TEST(TestTfrmPrincipale)
#include "TestTfrmPrincipale.moc"
