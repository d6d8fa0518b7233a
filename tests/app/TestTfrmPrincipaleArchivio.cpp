#include "archive/SessionMarker.h"
#include "reports/TfrmConvert.h"
#include "reports/TfrmCorreggi.h"
#include "reports/TfrmStatistiche.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/UiTestRegistry.h"
#include "tests/support/WhenModal.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString mancaLaChiusura = QStringLiteral("manca la chiusura del collegamento:\r06/12/1999 10.00.00 ");
const QString limitiNonVerificati =
    QStringLiteral("Impossibile verificare i limiti \ra causa di un errore nel file tqklog.txt");

// Today, 06/12/1999: a call opened at 10.00 without its closing record, then a call of 30 minutes.
const QByteArray senzaChiusura = "06/12/1999 10.00.00 collegamento Aperto  011 Casa\r\n"
                                 "06/12/1999 11.00.00 collegamento Aperto  011 Casa\r\n"
                                 "06/12/1999 11.30.00 collegamento Chiuso  011\r\n";

void scrivi(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Closes the repair dialog the way the user does: the closing time edited, then "Correggi !".
void correggiAlle(QObject* context, const QString& chiusura)
{
    whenModal<TfrmCorreggi>(context, [chiusura](TfrmCorreggi& d) {
        d.findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(chiusura);
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    });
}

} // namespace

// The main window's ways into the archive: the statistics, the conversion,
// and the repair a missing closing record leads to.
class TestTfrmPrincipaleArchivio : public QObject
{
    Q_OBJECT
private slots:
    void aMissingClosureAtStartUpIsRepairedThenTheNextStartRunsClean()
    {
        Program p;
        p.configured(QStringLiteral("limiti"), QStringLiteral("RxSpinEdit4_value"), QStringLiteral("60"));
        p.configured(QStringLiteral("limiti"), QStringLiteral("CheckBox6_Checked"), QStringLiteral("True"));
        p.configured(QStringLiteral("ritardo"), QStringLiteral("flagAuto"), QStringLiteral("ON"));
        scrivi(p.archive(), senzaChiusura);
        p.prompter.expect(mancaLaChiusura).expect(limitiNonVerificati);
        correggiAlle(this, QStringLiteral("06/12/1999 10.25.00 collegamento Chiuso  011"));
        TfrmPrincipale& w = p.start();
        QCOMPARE(p.prompter.texts(), (QStringList{mancaLaChiusura, limitiNonVerificati}));
        QVERIFY(!w.isVisible());
        QSignalSpy ready(&w, &TfrmPrincipale::readyToQuit);
        QCoreApplication::processEvents();
        QCOMPARE(ready.size(), 1);
        QCOMPARE(p.store.readText(QStringLiteral("ritardo"), QStringLiteral("flagauto"), QString()),
                 QStringLiteral("OFF"));
        QCOMPARE(p.records(), (QList<QByteArray>{"06/12/1999 10.00.00 collegamento Aperto  011 Casa",
                                                 "06/12/1999 10.25.00 collegamento Chiuso  011",
                                                 "06/12/1999 11.00.00 collegamento Aperto  011 Casa",
                                                 "06/12/1999 11.30.00 collegamento Chiuso  011"}));

        // Started again: every call pairs, 55 of the 60 minutes are used.
        p.window.reset();
        p.prompter.shown.clear();
        p.prompter.expect(QStringLiteral("Limite Giornaliero superato fra 5 minuti"));
        TfrmPrincipale& dopo = p.start();
        QCOMPARE(p.prompter.texts(), QStringList{QStringLiteral("Limite Giornaliero superato fra 5 minuti")});
        QVERIFY(dopo.isVisible());
        QCOMPARE(p.stato.consumiGiorno, 55);
    }

    // A session cut short (the program killed while counting) is offered for
    // closing at its last known moment before anything else runs; without
    // that moment the proposal is the opening's own time.
    void aSessionCutShortIsClosedAtItsLastKnownMoment_data()
    {
        QTest::addColumn<bool>("momentoNoto");
        QTest::addColumn<QString>("proposta");
        QTest::newRow("last known moment") << true << QStringLiteral("06/12/1999 20.47.00 collegamento Chiuso  011");
        QTest::newRow("no moment kept") << false << QStringLiteral("06/12/1999 20.00.00 collegamento Chiuso  011");
    }

    void aSessionCutShortIsClosedAtItsLastKnownMoment()
    {
        QFETCH(bool, momentoNoto);
        QFETCH(QString, proposta);
        Program p;
        p.configured(QStringLiteral("tariffa"), QStringLiteral("flag5"), QStringLiteral("1"));
        const QByteArray aperta = "06/12/1999 20.00.00 collegamento Aperto  011 Casa";
        scrivi(p.archive(), "06/12/1999 10.00.00 collegamento Aperto  011 Casa\r\n"
                            "06/12/1999 10.30.00 collegamento Chiuso  011\r\n" +
                                aperta + "\r\n");
        const SessionMarker marker(p.dirs.data());
        if (momentoNoto)
            QVERIFY(marker.scrivi(QString::fromLatin1(aperta), QDateTime(QDate(1999, 12, 6), QTime(20, 47, 0))));
        QString proposto;
        QString istruzioni;
        whenModal<TfrmCorreggi>(this, [&](TfrmCorreggi& d) {
            proposto = d.findChild<QLineEdit*>(QStringLiteral("Edit2"))->text();
            istruzioni = d.findChild<QLabel*>(QStringLiteral("Label1"))->text();
            // BRENVOLO_SCREENSHOT_DIR keeps a picture of the offer for the documentation.
            if (const QString cartella = qEnvironmentVariable("BRENVOLO_SCREENSHOT_DIR");
                momentoNoto && !cartella.isEmpty())
                d.grab().save(cartella + QStringLiteral("/TfrmCorreggi-avvio.png"));
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
        });
        TfrmPrincipale& w = p.start();
        QCOMPARE(proposto, proposta);
        QCOMPARE(istruzioni.contains(QStringLiteral("ALL'ULTIMO ORARIO")), momentoNoto);
        QVERIFY(p.prompter.shown.isEmpty());
        QVERIFY(!w.isVisible());
        QSignalSpy ready(&w, &TfrmPrincipale::readyToQuit);
        QCoreApplication::processEvents();
        QCOMPARE(ready.size(), 1);
        QCOMPARE(p.records().mid(2), (QList<QByteArray>{aperta, proposta.toLatin1()}));
        QVERIFY(!QFile::exists(marker.path()));

        // The next start finds every session closed and runs as usual.
        p.window.reset();
        TfrmPrincipale& dopo = p.start();
        QVERIFY(dopo.isVisible());
        QVERIFY(p.prompter.shown.isEmpty());
    }

    // A moment left behind by a session whose closing record is in the
    // archive is removed at the next start, and no repair is offered.
    void aStaleMomentIsRemoved()
    {
        Program p;
        p.configured(QStringLiteral("tariffa"), QStringLiteral("flag5"), QStringLiteral("1"));
        scrivi(p.archive(), "06/12/1999 10.00.00 collegamento Aperto  011 Casa\r\n"
                            "06/12/1999 10.30.00 collegamento Chiuso  011\r\n");
        const SessionMarker marker(p.dirs.data());
        QVERIFY(marker.scrivi(QStringLiteral("06/12/1999 10.00.00 collegamento Aperto  011 Casa"),
                              QDateTime(QDate(1999, 12, 6), QTime(10, 29, 0))));
        TfrmPrincipale& w = p.start();
        QVERIFY(w.isVisible());
        QVERIFY(!QFile::exists(marker.path()));
        w.SpeedButton7Click();
        QVERIFY(QFile::exists(marker.path()));
        w.SpeedButton8Click();
        QVERIFY(!QFile::exists(marker.path()));
    }

    void statisticsReadTqklogAndAreClosedWhileCounting()
    {
        Program p;
        p.configured(QStringLiteral("tariffa"), QStringLiteral("flag5"), QStringLiteral("1"));
        p.start();
        QVERIFY(p.action("Statistiche1")->isEnabled());
        p.stato.AltroFileAttivo = true;
        QString etichetta;
        std::optional<bool> altro;
        whenModal<TfrmStatistiche>(this, [&](TfrmStatistiche& s) {
            etichetta = s.findChild<QLabel*>(QStringLiteral("Label1"))->text();
            altro = p.stato.AltroFileAttivo;
            s.close();
        });
        p.action("Statistiche1")->trigger();
        QCOMPARE(etichetta, QStringLiteral("Costi calcolati dall'archivio chiamate"));
        QVERIFY(altro.has_value() && !*altro);
        QVERIFY(!p.window->findChild<TfrmStatistiche*>());

        p.button("SpeedButton7")->click();
        QVERIFY(!p.action("Statistiche1")->isEnabled());
        p.button("SpeedButton8")->click();
        QVERIFY(p.action("Statistiche1")->isEnabled());
        QVERIFY(p.prompter.shown.isEmpty());
    }

    void aRepairFromTheStatisticsEndsTheProgram()
    {
        Program p;
        p.configured(QStringLiteral("InizioConteggio"), QStringLiteral("DataInizio"), QStringLiteral("01/12/1999"));
        scrivi(p.archive(), senzaChiusura);
        TfrmPrincipale& w = p.start();
        QSignalSpy ready(&w, &TfrmPrincipale::readyToQuit);
        p.prompter.expect(mancaLaChiusura);
        whenModal<TfrmStatistiche>(this, [this](TfrmStatistiche& s) {
            correggiAlle(this, QStringLiteral("06/12/1999 10.25.00 collegamento Chiuso  011"));
            s.BitBtn1Click();
        });
        p.action("Statistiche1")->trigger();
        QCOMPARE(p.prompter.texts(), QStringList{mancaLaChiusura});
        QCoreApplication::processEvents();
        QCOMPARE(ready.size(), 1);
        QVERIFY(!w.isVisible());
        QCOMPARE(p.records().at(1), QByteArray("06/12/1999 10.25.00 collegamento Chiuso  011"));
    }

    void conversionOfOldArchives()
    {
        Program p;
        p.configured(QStringLiteral("tariffa"), QStringLiteral("flag5"), QStringLiteral("1"));
        scrivi(p.archive(), "05/12/1999 10.00.00 collegamento Aperto  0\r\n"
                            "05/12/1999 10.10.00 collegamento Chiuso  0\r\n");
        p.start();
        QVERIFY(p.action("Conversionevecchiarchivi1")->isEnabled());
        p.prompter.expect(QStringLiteral("Conversione Terminata con successo!"));
        whenModal<TfrmConvert>(this, [](TfrmConvert& d) {
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("ConvBtn")), Qt::LeftButton);
        });
        p.action("Conversionevecchiarchivi1")->trigger();
        QCOMPARE(p.prompter.texts(), QStringList{QStringLiteral("Conversione Terminata con successo!")});
        QCOMPARE(p.records(), (QList<QByteArray>{"05/12/1999 10.00.00 collegamento Aperto  011",
                                                 "05/12/1999 10.10.00 collegamento Chiuso  011"}));
        QVERIFY(QFile::exists(p.dirs.data() + QStringLiteral("/tqklog_old.txt")));
    }
};

BRENVOLO_UI_TEST(TestTfrmPrincipaleArchivio)
#include "TestTfrmPrincipaleArchivio.moc"
