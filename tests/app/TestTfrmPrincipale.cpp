#include "app/Servizi.h"
#include "app/TSingleInstanceGuard.h"
#include "app/TfrmPrincipale.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeInstanceLock.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/FakeShell.h"
#include "tests/support/FakeSounds.h"
#include "tests/support/TestDirs.h"
#include "tests/support/UiTestRegistry.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QToolButton>

namespace {

// One program's worth of fake services around a main window.
struct Program
{
    TestDirs dirs;
    FakeClock clock{QDateTime(QDate(1999, 12, 6), QTime(21, 30, 5))};
    FakePrompter prompter;
    FakeSounds sounds;
    FakeShell shell;
    MemorySettingsBackend settings;
    FakeInstanceLock lock;
    Servizi servizi{clock, prompter, sounds, shell, settings, lock, dirs.data()};
    StatoProgramma stato;
    SettingsStore store{settings};
    std::unique_ptr<TfrmPrincipale> window;

    // A store that has already run once, with one setting changed.
    void configured(const QString& section, const QString& value, const QString& text)
    {
        if (store.isFirstRun())
            store.writeFirstRunDefaults(220);
        store.writeText(section, value, text);
    }
    TfrmPrincipale& start()
    {
        auto guard = std::make_unique<TSingleInstanceGuard>(lock, prompter, QStringLiteral("brenvolo"));
        guard->check();
        window = std::make_unique<TfrmPrincipale>(servizi, stato, std::move(guard));
        window->present();
        return *window;
    }
    QAction* action(const char* name) { return window->findChild<QAction*>(QString::fromLatin1(name)); }
    QToolButton* button(const char* name) { return window->findChild<QToolButton*>(QString::fromLatin1(name)); }
};

} // namespace

class TestTfrmPrincipale : public QObject
{
    Q_OBJECT
private slots:
    void firstRunShowsTwoMessagesAndWritesTheDefaults()
    {
        Program p;
        TfrmPrincipale& w = p.start();
        QCOMPARE(p.prompter.texts(), (QStringList{QStringLiteral("Inizializzazione alla prima esecuzione"),
                                                  QStringLiteral("Grazie per aver scelto Brenvolo")}));
        QCOMPARE(p.prompter.shown.at(0).title, QStringLiteral("Attenzione!"));
        QCOMPARE(p.prompter.shown.at(1).title, QStringLiteral("Informazione!"));
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

    void captionIsWeekdayAndShortDate()
    {
        Program p;
        TfrmPrincipale& w = p.start();
        const QString weekday = QLocale::system().dayName(1, QLocale::LongFormat);
        QCOMPARE(w.windowTitle(), weekday + QStringLiteral(" 06/12/99"));
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
        QCOMPARE(p.stato.ModoVisualizzazione, mode);
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
        p.stato.ConteggioInCorso = 1;
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(p.prompter.texts(), QStringList{QStringLiteral("Conteggio ancora in corso !")});
        QCOMPARE(p.prompter.shown.at(0).title, QStringLiteral("Impossibile uscire!"));
        QCOMPARE(p.store.readText(QStringLiteral("ritardo"), QStringLiteral("flagauto"), QString()),
                 QStringLiteral("ON"));

        p.stato.ConteggioInCorso = 0;
        QVERIFY(w.close());
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
};

BRENVOLO_UI_TEST(TestTfrmPrincipale)
#include "TestTfrmPrincipale.moc"
