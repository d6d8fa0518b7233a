#include "archive/CalcolaConsumi.h"
#include "reports/TfrmCorreggi.h"
#include "session/CountingSession.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/FakeServizi.h"
#include "tests/support/TestDirs.h"
#include "tests/support/UiTestRegistry.h"
#include "tests/support/WhenModal.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

const QByteArray A = "06/12/1999 10.15.02 collegamento Aperto  021 Casa";
const QByteArray A2 = "07/12/1999 09.00.00 collegamento Aperto  011 Ufficio";
const QByteArray C2 = "07/12/1999 09.30.00 collegamento Chiuso  011";
const QByteArray prima = A + "\r\n" + A2 + "\r\n" + C2 + "\r\n";

QByteArray leggi(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

struct Ambiente
{
    TestDirs dirs;
    FakePrompter prompter;
    QString archivio = dirs.data() + QStringLiteral("/tqklog.txt");

    Ambiente()
    {
        QFile file(archivio);
        if (file.open(QIODevice::WriteOnly))
            file.write(prima);
    }
};

} // namespace

class TestTfrmCorreggi : public QObject
{
    Q_OBJECT
private slots:
    void showsTheRecordAndItsProposedClosure()
    {
        Ambiente a;
        TfrmCorreggi finestra(a.prompter, a.archivio, QString::fromLatin1(A));
        QCOMPARE(finestra.windowTitle(), QStringLiteral("Aggiunta Chiusura Mancante"));
        QVERIFY(!finestra.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(finestra.width() >= 549 && finestra.height() >= 230);
        QCOMPARE(finestra.minimumSize(), finestra.maximumSize());
        auto* edit1 = finestra.findChild<QLineEdit*>(QStringLiteral("Edit1"));
        auto* edit2 = finestra.findChild<QLineEdit*>(QStringLiteral("Edit2"));
        QVERIFY(edit1->isReadOnly());
        QCOMPARE(edit1->text(), QString::fromLatin1(A));
        QVERIFY(!edit2->isReadOnly());
        QCOMPARE(edit2->text(), QStringLiteral("06/12/1999 10.15.02 collegamento Chiuso  021"));
        QCOMPARE(finestra.findChild<QPushButton*>(QStringLiteral("Button1"))->text(), QStringLiteral("Correggi !"));
        auto* label = finestra.findChild<QLabel*>(QStringLiteral("Label1"));
        const QStringList righe = label->text().split(QLatin1Char('\n'));
        QCOMPARE(righe.size(), 11);
        QCOMPARE(righe.first(), QStringLiteral("ATTENZIONE!"));
        QCOMPARE(righe.at(3), QString());
        QCOMPARE(righe.last(), QStringLiteral("IL PROGRAMMA VERRA' CHIUSO E DOVRA' ESSERE RILANCIATO."));
        QVERIFY(label->alignment().testFlag(Qt::AlignHCenter));
        QVERIFY(a.prompter.shown.isEmpty());
    }

    void cannotBeLeftUntilCorrected()
    {
        Ambiente a;
        TfrmCorreggi finestra(a.prompter, a.archivio, QString::fromLatin1(A));
        finestra.show();
        a.prompter.expect(QStringLiteral("Impossibile uscire senza effettuare la correzione!!"));
        a.prompter.expect(QStringLiteral("Impossibile uscire senza effettuare la correzione!!"));
        QVERIFY(!finestra.close());
        QVERIFY(finestra.isVisible());
        QTest::keyClick(&finestra, Qt::Key_Escape);
        QVERIFY(finestra.isVisible());
        QCOMPARE(a.prompter.texts(),
                 QStringList(2, QStringLiteral("Impossibile uscire senza effettuare la correzione!!")));
        QCOMPARE(a.prompter.shown.first().icon, Message::Icon::Critical);
        QVERIFY(finestra.correzionePendente());
        QCOMPARE(leggi(a.archivio), prima);
    }

    void refusesAMalformedClosureAndStays()
    {
        Ambiente a;
        TfrmCorreggi finestra(a.prompter, a.archivio, QString::fromLatin1(A));
        QSignalSpy fine(&finestra, &TfrmCorreggi::correzioneEffettuata);
        finestra.show();
        auto* edit2 = finestra.findChild<QLineEdit*>(QStringLiteral("Edit2"));
        edit2->setText(QStringLiteral("06/12/1999 10.45 collegamento Chiuso  021"));
        a.prompter.expectContaining(QStringLiteral("La riga di chiusura non è valida: "));
        QTest::mouseClick(finestra.findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
        QCOMPARE(a.prompter.shown.size(), 1);
        QVERIFY(a.prompter.shown[0].text.startsWith(QStringLiteral("La riga di chiusura non è valida: ")));
        QCOMPARE(a.prompter.shown[0].title, QStringLiteral("Attenzione!"));
        QVERIFY(finestra.isVisible());
        QVERIFY(finestra.correzionePendente());
        QCOMPARE(fine.count(), 0);
        QCOMPARE(leggi(a.archivio), prima);
    }

    void writesTheClosureAfterTheRecordAndAsksForTheEnd()
    {
        Ambiente a;
        TfrmCorreggi finestra(a.prompter, a.archivio, QString::fromLatin1(A));
        QSignalSpy fine(&finestra, &TfrmCorreggi::correzioneEffettuata);
        finestra.show();
        const QString chiusura = QStringLiteral("06/12/1999 10.47.40 collegamento Chiuso  021");
        finestra.findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(chiusura);
        QTest::mouseClick(finestra.findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
        QVERIFY(a.prompter.shown.isEmpty());
        QCOMPARE(fine.count(), 1);
        QCOMPARE(finestra.result(), int(QDialog::Accepted));
        QVERIFY(!finestra.isVisible());
        QVERIFY(!finestra.correzionePendente());
        QCOMPARE(leggi(a.archivio), A + "\r\n" + chiusura.toLatin1() + "\r\n" + A2 + "\r\n" + C2 + "\r\n");
        QCOMPARE(leggi(a.dirs.data() + QStringLiteral("/tqklog.tx~")), prima);
    }

    void aFailedWriteLetsTheUserLeave()
    {
        Ambiente a;
        TfrmCorreggi finestra(a.prompter, a.dirs.data() + QStringLiteral("/sparito.txt"), QString::fromLatin1(A));
        finestra.show();
        a.prompter.expectContaining(QStringLiteral("La chiusura non è stata aggiunta"));
        QTest::mouseClick(finestra.findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
        QCOMPARE(a.prompter.shown.size(), 1);
        QVERIFY(a.prompter.shown[0].text.startsWith(QStringLiteral("La chiusura non è stata aggiunta")));
        QVERIFY(finestra.close());
        QCOMPARE(finestra.result(), int(QDialog::Rejected));
        QCOMPARE(a.prompter.shown.size(), 1);
    }

    void runsModallyForItsOpener()
    {
        Ambiente a;
        QTimer::singleShot(0, this, [] {
            auto* finestra = qobject_cast<TfrmCorreggi*>(QApplication::activeModalWidget());
            QVERIFY(finestra);
            QTest::mouseClick(finestra->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
        });
        QVERIFY(TfrmCorreggi::correggi(a.prompter, a.archivio, QString::fromLatin1(A)));
        QVERIFY(leggi(a.archivio).startsWith(A + "\r\n06/12/1999 10.15.02 collegamento Chiuso  021\r\n"));
    }

    void aPassThatStoppedOnAMissingClosureIsRepairedThenTheProgramEnds()
    {
        FakeServizi s;
        CountingSession session(s.servizi, s.stato);
        QSignalSpy fine(&session, &CountingSession::finished);
        const QString archivio = s.dirs.data() + QStringLiteral("/altro.txt");
        QFile file(archivio);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(prima);
        file.close();

        // A pass that completed, or failed otherwise, opens nothing.
        ConsumiResult passata;
        passata.archivio = archivio;
        QVERIFY(!TfrmCorreggi::ripara(s.prompter, session, passata));
        passata.outcome = ConsumiResult::Outcome::ArchiveMissing;
        QVERIFY(!TfrmCorreggi::ripara(s.prompter, session, passata));

        passata.outcome = ConsumiResult::Outcome::MissingClosure;
        passata.aperturaSenzaChiusura = RecordArchivio(QString::fromLatin1(A));
        whenModal<TfrmCorreggi>(this, [](TfrmCorreggi& d) { d.Button1Click(); });
        QVERIFY(TfrmCorreggi::ripara(s.prompter, session, passata));
        QVERIFY(leggi(archivio).startsWith(A + "\r\n06/12/1999 10.15.02 collegamento Chiuso  021\r\n"));
        // The program ends once its caller is back in the event loop.
        QCOMPARE(fine.size(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(fine.size(), 1);
        QVERIFY(s.prompter.shown.isEmpty());
    }
};

BRENVOLO_UI_TEST(TestTfrmCorreggi)
#include "TestTfrmCorreggi.moc"
