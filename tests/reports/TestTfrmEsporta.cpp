#include "archive/Windows1252.h"
#include "reports/TfrmEsporta.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/UiTestRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

namespace {

const QString connesso = QStringLiteral("Connessione con Microsoft Excel\u00ae effettuata correttamente");
const QString trasferito = QStringLiteral("Trasferimento effettuato con successo - Microsoft Excel\u00ae disconnesso");

// The export dialog over fake services on 22/03/1999, as the statistics window opens it.
struct Dialogo
{
    Program p;
    QString alternativo = p.dirs.path() + QStringLiteral("/altro.txt");
    std::unique_ptr<TfrmEsporta> w;

    Dialogo()
    {
        p.store.writeFirstRunDefaults(220);
        p.stato.fromStore(p.store);
        p.at(QDateTime(QDate(1999, 3, 22), QTime(21, 0)));
    }

    TfrmEsporta& apri(bool foglio)
    {
        w = std::make_unique<TfrmEsporta>(p.servizi, p.stato, alternativo);
        w->setSpreadsheetSwitch(foglio);
        w->show();
        return *w;
    }

    template <typename T> T* control(const char* name) const { return w->findChild<T*>(QString::fromLatin1(name)); }

    static void scrivi(const QString& path, const QStringList& righe)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (const QString& r : righe)
            file.write(Windows1252::encode(r) + "\r\n");
    }

    QByteArray esportato(const char* nome) const
    {
        QFile file(p.dirs.data() + QLatin1Char('/') + QLatin1String(nome));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

} // namespace

class TestTfrmEsporta : public QObject
{
    Q_OBJECT
private slots:
    void showsTodaysMonthAndTheCaptionOfItsSwitch()
    {
        for (const bool foglio : {false, true}) {
            Dialogo d;
            TfrmEsporta& w = d.apri(foglio);
            QCOMPARE(w.windowTitle(),
                     foglio ? QStringLiteral("Crezione foglio Excel\u00ae") : QStringLiteral("Crezione file di testo"));
            QCOMPARE(d.control<QComboBox>("ComboBox1")->currentText(), QStringLiteral("marzo"));
            QCOMPARE(d.control<QComboBox>("ComboBox1")->count(), 12);
            auto* anno = d.control<QSpinBox>("SpinEdit1");
            QCOMPARE(anno->value(), 1999);
            QCOMPARE(anno->minimum(), 1995);
            QCOMPARE(anno->maximum(), 2030);
            auto* interruttore = d.control<QCheckBox>("CheckBox1");
            QVERIFY(!interruttore->isVisible());
            QVERIFY(!interruttore->isEnabled());
            QCOMPARE(interruttore->isChecked(), foglio);
            QVERIFY(!d.control<QProgressBar>("Gauge2")->isVisible());
            QCOMPARE(d.control<QPushButton>("BitBtn2")->text(), QStringLiteral("Annulla"));
            QVERIFY(d.control<QLabel>("Panel1")->text() == QStringLiteral("Mese da Esportare"));
            QVERIFY(w.width() >= 400 && w.height() >= 68);
        }
    }

    void okWritesTheTextFileAndCloses()
    {
        Dialogo d;
        Dialogo::scrivi(d.p.archive(), {QStringLiteral("22/03/1999 10.00.00 collegamento Aperto  011 Casa"),
                                        QStringLiteral("22/03/1999 10.20.00 collegamento Chiuso  011")});
        TfrmEsporta& w = d.apri(false);
        QSignalSpy avanzamento(d.control<QProgressBar>("Gauge2"), &QProgressBar::valueChanged);
        QTest::mouseClick(d.control<QPushButton>("BitBtn1"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(d.p.prompter.shown.isEmpty());
        QVERIFY(d.p.sheet.log.isEmpty());
        const QList<QByteArray> righe = d.esportato("mar_99.txt").split('\n');
        QCOMPARE(righe.size(), 32);
        QCOMPARE(righe[21], QByteArray("22/03/1999;6;L.\xC2\xA0"
                                       "912;1200;Casa\r"));
        // The gauge went round and is back at rest.
        QVERIFY(avanzamento.size() >= 2);
        QCOMPARE(avanzamento.at(avanzamento.size() - 2).at(0).toInt(), 100);
        QCOMPARE(d.control<QProgressBar>("Gauge2")->value(), 0);
        QVERIFY(!d.control<QProgressBar>("Gauge2")->isVisible());
    }

    void okSendsTheMonthToTheSpreadsheet()
    {
        Dialogo d;
        Dialogo::scrivi(d.p.archive(), {});
        d.apri(true);
        d.p.prompter.expect(connesso).expect(trasferito);
        d.w->BitBtn1Click();
        QCOMPARE(d.p.prompter.texts(), (QStringList{connesso, trasferito}));
        QCOMPARE(d.p.prompter.shown.at(0).title, QStringLiteral("Informazione"));
        QCOMPARE(d.p.sheet.commands().size(), 14 + 31 * 10);
        QCOMPARE(d.p.sheet.log.last(), QStringLiteral("close Keep"));
        QCOMPARE(d.p.sheet.documentName, QStringLiteral("mar_99"));
        QVERIFY(!d.p.sheet.isConnected());
        QVERIFY(d.esportato("mar_99.txt").isEmpty());
        QVERIFY(!d.w->isVisible());
    }

    void aSpreadsheetThatCannotBeReachedExportsNothing()
    {
        Dialogo d;
        Dialogo::scrivi(d.p.archive(), {});
        d.p.sheet.answers = false;
        d.apri(true);
        d.p.prompter.expect(QStringLiteral("Microsoft Excel\u00ae non trovato!"));
        d.w->BitBtn1Click();
        QCOMPARE(d.p.prompter.texts(), QStringList{QStringLiteral("Microsoft Excel\u00ae non trovato!")});
        QCOMPARE(d.p.prompter.shown.at(0).icon, Message::Icon::Critical);
        QVERIFY(d.p.sheet.commands().isEmpty());
        QVERIFY(d.esportato("mar_99.txt").isEmpty());
        QVERIFY(d.w->spreadsheetSwitch());
        QVERIFY(!d.w->isVisible());

        // It answers, then drops the conversation: the switch goes off, and still nothing is exported.
        Dialogo e;
        Dialogo::scrivi(e.p.archive(), {});
        e.p.sheet.onRequest = [&e](const QString&) { e.p.sheet.connected = false; };
        e.apri(true);
        e.p.prompter.expect(QStringLiteral("Impossibile connettersi con Microsoft Excel\u00ae"));
        e.w->BitBtn1Click();
        QCOMPARE(e.p.prompter.texts(),
                 QStringList{QStringLiteral("Impossibile connettersi con Microsoft Excel\u00ae")});
        QVERIFY(!e.w->spreadsheetSwitch());
        QVERIFY(e.esportato("mar_99.txt").isEmpty());
        QCOMPARE(e.w->windowTitle(), QStringLiteral("Crezione foglio Excel\u00ae"));
    }

    void aSheetThatCannotBeKeptIsReportedNotPraised()
    {
        Dialogo d;
        Dialogo::scrivi(d.p.archive(), {});
        d.p.sheet.failClose = true;
        d.apri(true);
        d.p.prompter.expect(connesso).expect(d.p.sheet.failure);
        d.w->BitBtn1Click();
        QCOMPARE(d.p.prompter.texts(), (QStringList{connesso, d.p.sheet.failure}));
        QCOMPARE(d.p.prompter.shown.at(1).icon, Message::Icon::Critical);
    }

    void readsTheAlternateArchiveOnlyWhileItIsChosen()
    {
        Dialogo d;
        Dialogo::scrivi(d.p.archive(), {QStringLiteral("02/03/1999 10.00.00 collegamento Aperto  011 Corrente"),
                                        QStringLiteral("02/03/1999 10.20.00 collegamento Chiuso  011")});
        Dialogo::scrivi(d.alternativo, {QStringLiteral("03/03/1999 10.00.00 collegamento Aperto  011 Altro"),
                                        QStringLiteral("03/03/1999 10.20.00 collegamento Chiuso  011")});
        d.p.stato.AltroFileAttivo = true;
        d.apri(false);
        d.w->BitBtn1Click();
        QByteArray testo = d.esportato("mar_99.txt");
        QVERIFY(testo.contains("03/03/1999;6;L.\xC2\xA0"
                               "912;1200;Altro"));
        QVERIFY(!testo.contains("Corrente"));

        // Closing the statistics window clears the flag: the next export reads tqklog.txt.
        d.p.stato.AltroFileAttivo = false;
        d.apri(false);
        d.w->BitBtn1Click();
        testo = d.esportato("mar_99.txt");
        QVERIFY(testo.contains("02/03/1999;6;L.\xC2\xA0"
                               "912;1200;Corrente"));
        QVERIFY(!testo.contains("Altro"));
        QVERIFY(d.p.prompter.shown.isEmpty());
    }

    void aMissingClosureIsToldThenHandedOn()
    {
        Dialogo d;
        const QString apertura = QStringLiteral("05/03/1999 10.00.00 collegamento Aperto  011 Casa");
        Dialogo::scrivi(d.p.archive(), {apertura});
        d.apri(false);
        QSignalSpy riparazione(d.w.get(), &TfrmEsporta::chiusuraMancante);
        d.p.prompter.expect(QStringLiteral("manca la chiusura del collegamento:\r05/03/1999 10.00.00 "));
        d.w->BitBtn1Click();
        QCOMPARE(d.p.prompter.texts(),
                 QStringList{QStringLiteral("manca la chiusura del collegamento:\r05/03/1999 10.00.00 ")});
        QCOMPARE(riparazione.size(), 1);
        const auto passata = riparazione.at(0).at(0).value<ConsumiResult>();
        QCOMPARE(passata.aperturaSenzaChiusura.riga, apertura);
        QCOMPARE(passata.archivio, d.p.archive());
        QVERIFY(d.esportato("mar_99.txt").isEmpty());
    }

    void annullaExportsNothing()
    {
        Dialogo d;
        Dialogo::scrivi(d.p.archive(), {});
        TfrmEsporta& w = d.apri(true);
        QTest::mouseClick(d.control<QPushButton>("BitBtn2"), Qt::LeftButton);
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QVERIFY(d.p.sheet.log.isEmpty());
        QVERIFY(d.p.prompter.shown.isEmpty());
    }

    // BRENVOLO_SCREENSHOT_DIR=DIR saves the dialog with each caption there, and once while it
    // exports; under a window manager the pictures take the frame and the caption too.
    void screenshots()
    {
        const QString cartella = qEnvironmentVariable("BRENVOLO_SCREENSHOT_DIR");
        if (cartella.isEmpty())
            QSKIP("BRENVOLO_SCREENSHOT_DIR not set");
        const auto salva = [&cartella](TfrmEsporta& w, const char* nome) {
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QTest::qWait(500);
            const QRect cornice = w.frameGeometry();
            QPixmap foto = w.screen()->grabWindow(0, cornice.x(), cornice.y(), cornice.width(), cornice.height());
            if (foto.isNull() || foto.size() != cornice.size())
                foto = w.grab();
            QVERIFY(foto.save(cartella + QLatin1Char('/') + QLatin1String(nome)));
        };
        Dialogo testo;
        salva(testo.apri(false), "TfrmEsporta-testo.png");
        Dialogo foglio;
        salva(foglio.apri(true), "TfrmEsporta-foglio.png");
        auto* indicatore = foglio.control<QProgressBar>("Gauge2");
        indicatore->setValue(60);
        indicatore->show();
        salva(*foglio.w, "TfrmEsporta-avanzamento.png");
    }
};

BRENVOLO_UI_TEST(TestTfrmEsporta)
#include "TestTfrmEsporta.moc"
