#include "archive/TfrmSupera.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeNotifier.h"
#include "tests/support/UiTestRegistry.h"

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

class TestTfrmSupera : public QObject
{
    Q_OBJECT
private slots:
    // Per-connection limit 30 minutes, lead 1 s: shown at 29:59, red at 30:00.
    void fillsOverTheLeadThenTurnsRedWithABorder()
    {
        FakeClock clock(QDateTime(QDate(1999, 12, 6), QTime(10, 29, 59)));
        QPointer<TfrmSupera> finestra = TfrmSupera::mostra(clock, 10);
        QVERIFY(finestra->isVisible());
        QCOMPARE(finestra->windowTitle(), QStringLiteral("Superamento Limite"));
        QVERIFY(finestra->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(finestra->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(finestra->timer()->isActive());
        QCOMPARE(finestra->timer()->interval(), 10);
        auto* gauge = finestra->findChild<QProgressBar*>(QStringLiteral("Gauge1"));
        QCOMPARE(gauge->maximum(), 10);
        QCOMPARE(gauge->value(), 0);
        QCOMPARE(finestra->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("LIMITE COLLEGAMENTO SUPERATO  A INDICATORE ROSSO !"));

        // How the gauge fills is ProgressoAvviso's; the window shows it.
        clock.advance(500);
        finestra->Timer1Timer();
        QCOMPARE(gauge->value(), 5);
        QVERIFY2(!finestra->close(), "closable only once red");

        clock.advance(510);
        finestra->Timer1Timer();
        QVERIFY(finestra->scaduto());
        QVERIFY(!finestra->timer()->isActive());
        QVERIFY(!finestra->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(gauge->palette().color(QPalette::Highlight), QColor(255, 0, 0));
        QVERIFY(finestra->isVisible());

        QVERIFY(finestra->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(finestra.isNull());
    }

    void dailyWarningHasItsOwnLabel()
    {
        FakeClock clock;
        QPointer<TfrmSupera> finestra =
            TfrmSupera::mostra(clock, 100, QStringLiteral("LIMITE GIORNALIERO SUPERATO A INDICATORE FERMO"));
        QCOMPARE(finestra->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("LIMITE GIORNALIERO SUPERATO A INDICATORE FERMO"));
        clock.advance(10001);
        finestra->Timer1Timer();
        QVERIFY(finestra->scaduto());
        finestra->close();
    }

    // The desktop gets the text the window shows, its own or the default.
    void warningGoesToTheDesktopToo_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("notificato");
        QTest::newRow("default") << QString() << "LIMITE COLLEGAMENTO SUPERATO  A INDICATORE ROSSO !";
        QTest::newRow("own") << "LIMITE MENSILE SUPERATO"
                             << "LIMITE MENSILE SUPERATO";
    }

    void warningGoesToTheDesktopToo()
    {
        QFETCH(QString, testo);
        QFETCH(QString, notificato);
        FakeClock clock;
        FakeNotifier notifier;
        QPointer<TfrmSupera> finestra = TfrmSupera::mostra(clock, 100, testo, &notifier);
        QCOMPARE(notifier.sent.size(), 1);
        QCOMPARE(notifier.sent.at(0).title, QStringLiteral("Superamento Limite"));
        QCOMPARE(notifier.sent.at(0).text, notificato);
        QCOMPARE(notifier.sent.at(0).urgency, Notifier::Urgency::Critical);
        clock.advance(10001);
        finestra->Timer1Timer();
        finestra->close();
    }
};

BRENVOLO_UI_TEST(TestTfrmSupera)
#include "TestTfrmSupera.moc"
