#include "app/TfrmInfo.h"
#include "setup/TfrmTele.h"
#include "setup/TfrmTut.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/UiTestRegistry.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

namespace {

// Triggers a menu item that opens a modal window and closes that window;
// returns its class name, empty when none opened.
QString openedBy(QAction* item)
{
    QString opened;
    QTimer::singleShot(0, [&opened] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            opened = QString::fromLatin1(dialog->metaObject()->className());
            dialog->close();
        }
    });
    item->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return opened;
}

void installGuide()
{
    const QString folder = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/brenvolo");
    QDir().mkpath(folder);
    QFile(folder + QStringLiteral("/Brenvolo.html")).open(QIODevice::WriteOnly);
}

} // namespace

// The main window's "&Tariffe" viewers and its "&?" menu.
class TestTfrmPrincipaleAiuto : public QObject
{
    Q_OBJECT
private slots:
    void viewersAndAboutBoxOpenModally()
    {
        Program p;
        p.configured(QStringLiteral("visualizza"), QStringLiteral("tipo"), QStringLiteral("0"));
        p.start();
        QVERIFY(p.action("VisualizzaleFasceTUT1")->isEnabled());
        QVERIFY(p.action("Visualizzafasceteleselezione1")->isEnabled());
        QCOMPARE(openedBy(p.action("VisualizzaleFasceTUT1")), QStringLiteral("TfrmTut"));
        QCOMPARE(openedBy(p.action("Visualizzafasceteleselezione1")), QStringLiteral("TfrmTele"));
        QCOMPARE(openedBy(p.action("Informazionisu1")), QStringLiteral("TfrmInfo"));
        QVERIFY(p.window->findChildren<BandViewerWindow*>().isEmpty());
        QVERIFY(p.prompter.shown.isEmpty());
    }

    // The viewers stay available during a session: they only show the bands.
    void viewersOpenWhileCounting()
    {
        Program p;
        p.configured(QStringLiteral("VediCosti"), QStringLiteral("attivo"), QStringLiteral("OFF"));
        p.start();
        p.button("SpeedButton7")->click();
        QCOMPARE(p.stato.ConteggioInCorso, 1);
        QVERIFY(p.action("VisualizzaleFasceTUT1")->isEnabled());
        QCOMPARE(openedBy(p.action("VisualizzaleFasceTUT1")), QStringLiteral("TfrmTut"));
        p.button("SpeedButton8")->click();
    }

    void sommarioOpensTheGuide()
    {
        Program p;
        p.configured(QStringLiteral("visualizza"), QStringLiteral("tipo"), QStringLiteral("0"));
        installGuide();
        p.start();
        p.action("Sommario1")->trigger();
        QCOMPARE(p.shell.opened.size(), 1);
        QVERIFY(p.shell.opened.first().program.endsWith(QStringLiteral("/brenvolo/Brenvolo.html")));
        QVERIFY(p.prompter.shown.isEmpty());
    }

    // Nothing on the desktop opens web pages: the user is told, not left wondering.
    void sommarioWithoutAnOpenerSaysSo()
    {
        Program p;
        p.configured(QStringLiteral("visualizza"), QStringLiteral("tipo"), QStringLiteral("0"));
        installGuide();
        p.shell.result = Shell::NotFound;
        p.start();
        p.prompter.expectContaining(QStringLiteral("Impossibile aprire la guida"));
        p.action("Sommario1")->trigger();
        QCOMPARE(p.prompter.shown.size(), 1);
        QVERIFY(p.prompter.shown.first().text.startsWith(QStringLiteral("Impossibile aprire la guida")));
    }
};

BRENVOLO_UI_TEST(TestTfrmPrincipaleAiuto)
#include "TestTfrmPrincipaleAiuto.moc"
