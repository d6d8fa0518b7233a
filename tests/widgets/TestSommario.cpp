#include "platform/HelpFile.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/UiTestRegistry.h"
#include "widgets/Sommario.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestSommario : public QObject
{
    Q_OBJECT
private slots:
    // The guide installed among the user's data is found and opened in the browser.
    void opensTheGuideItFinds()
    {
        Program p;
        const QString folder = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/brenvolo");
        QDir().mkpath(folder);
        QFile guide(folder + QStringLiteral("/Brenvolo.html"));
        QVERIFY(guide.open(QIODevice::WriteOnly));
        guide.close();

        Sommario::apri(nullptr, p.servizi, p.stato);
        QCOMPARE(p.shell.opened.size(), 1);
        QCOMPARE(p.shell.opened.first().program, QFileInfo(guide).absoluteFilePath());
        QCOMPARE(p.shell.opened.first().mode, Shell::ShowMode::Normal);
        QVERIFY(p.prompter.shown.isEmpty());
    }

    void aMissingGuideIsReported()
    {
        Program p;
        p.prompter.expectContaining(QStringLiteral("non è stata trovata"));
        QVERIFY(!Sommario::apri(p.shell, p.prompter, QString()));
        QVERIFY(p.shell.opened.isEmpty());
        QCOMPARE(p.prompter.shown.size(), 1);
        QCOMPARE(p.prompter.shown.first().title, QStringLiteral("Attenzione!"));
        QVERIFY(p.prompter.shown.first().text.contains(QStringLiteral("non è stata trovata")));
    }

    // No program on this desktop opens web pages: the user is told, and where the guide is.
    void aGuideNothingCanOpenIsReportedWithItsPath()
    {
        Program p;
        p.shell.result = Shell::NotFound;
        p.prompter.expectContaining(QStringLiteral("Impossibile aprire la guida"));
        QVERIFY(!Sommario::apri(p.shell, p.prompter, QStringLiteral("/usr/share/brenvolo/Brenvolo.html")));
        QCOMPARE(p.shell.opened.size(), 1);
        QCOMPARE(p.prompter.shown.size(), 1);
        QCOMPARE(p.prompter.shown.first().title, QStringLiteral("Attenzione!"));
        QVERIFY(p.prompter.shown.first().text.startsWith(QStringLiteral("Impossibile aprire la guida")));
        QVERIFY(p.prompter.shown.first().text.endsWith(QStringLiteral("/usr/share/brenvolo/Brenvolo.html")));
    }
};

BRENVOLO_UI_TEST(TestSommario)
#include "TestSommario.moc"
