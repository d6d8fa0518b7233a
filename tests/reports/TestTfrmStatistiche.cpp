#include "archive/Windows1252.h"
#include "reports/CancellazioneArchivio.h"
#include "reports/GraficoAndamento.h"
#include "reports/TfrmCancella.h"
#include "reports/TfrmCorreggi.h"
#include "reports/TfrmEsporta.h"
#include "reports/TfrmStatistiche.h"
#include "session/CountingSession.h"
#include "tests/support/ArchiveGenerator.h"
#include "tests/support/FakeServizi.h"
#include "tests/support/UiTestRegistry.h"
#include "tests/support/WhenModal.h"

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QFileDialog>
#include <QGraphicsItem>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {

const QString inesatta = QStringLiteral("Una data è inesatta!");
const QString ordine = QStringLiteral("La data finale deve essere uguale o successiva a quella iniziale");
const QString dallArchivio = QStringLiteral("Costi calcolati dall'archivio chiamate");
const QString daAlternativo = QStringLiteral("Costi calcolati da archivio alternativo");

// 22/03/1999 was a Monday: 2200 tenths on class 1 from 08.00.00, 152 lire a unit.
const QStringList ventiMinuti{QStringLiteral("22/03/1999 10.00.00 collegamento Aperto  011 Casa"),
                              QStringLiteral("22/03/1999 10.20.00 collegamento Chiuso  011")};
const QStringList altrove{QStringLiteral("03/03/1999 10.00.00 collegamento Aperto  011 Altrove"),
                          QStringLiteral("03/03/1999 10.05.00 collegamento Chiuso  011")};

void scrivi(const QString& path, const QStringList& righe)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (const QString& r : righe)
        file.write(Windows1252::encode(r) + "\r\n");
}

QByteArray leggi(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// The statistics window over fake services on Monday 6 December 1999, its
// open dialog answering `scelta` and its calendar answering `data`.
struct Finestra : FakeServizi
{
    CountingSession session{servizi, stato};
    QString altro = dirs.path() + QStringLiteral("/altro.txt");
    QString scelta;
    std::optional<QDate> data;
    QList<QDate> calendari; // the dates each calendar opened on
    std::unique_ptr<TfrmStatistiche> w;

    Finestra()
    {
        configured(QStringLiteral("InizioConteggio"), QStringLiteral("DataInizio"), QStringLiteral("01/03/1999"));
        stato.fromStore(store);
    }

    TfrmStatistiche& apri()
    {
        w = std::make_unique<TfrmStatistiche>(servizi, stato, session);
        w->setSceltaFile([this](QFileDialog&) { return scelta; });
        w->setSceltaData([this](QLineEdit&, const QDate& attuale) {
            calendari.append(attuale);
            return data;
        });
        w->show();
        return *w;
    }

    template <typename T = QLineEdit> T* control(const char* name) const
    {
        return w->findChild<T*>(QString::fromLatin1(name));
    }
    QString testo(const char* name) const { return control(name)->text(); }
    QAction* voce(const char* name) const { return control<QAction>(name); }
    void date(const QString& inizio, const QString& fine)
    {
        control("DateEdit1")->setText(inizio);
        control("DateEdit2")->setText(fine);
    }
    void calcola() { QTest::mouseClick(control<QPushButton>("BitBtn1"), Qt::LeftButton); }
    void altroFile(const QString& file)
    {
        scelta = file;
        voce("AltroFile1")->trigger();
    }
    QStringList risultati() const
    {
        QStringList r;
        for (const char* name : {"Edit9", "Edit11", "Edit13", "Edit15", "Edit1", "Edit2", "Edit3", "Edit6", "Edit4",
                                 "Edit5", "Edit7", "Edit8", "Edit10", "Edit12"})
            r.append(testo(name));
        return r;
    }
    void limite(const char* valore, const char* testo)
    {
        store.writeText(QStringLiteral("limiti"), QLatin1String(valore), QLatin1String(testo));
    }
};

} // namespace

class TestTfrmStatistiche : public QObject
{
    Q_OBJECT
private slots:
    void opensOnTheStoredStartDateAndToday()
    {
        Finestra f;
        TfrmStatistiche& w = f.apri();
        QCOMPARE(w.windowTitle(), QStringLiteral("Costi"));
        QCOMPARE(f.testo("DateEdit1"), QStringLiteral("01/03/1999"));
        QCOMPARE(f.testo("DateEdit2"), QStringLiteral("06/12/1999"));
        QCOMPARE(f.control<QLabel>("Label1")->text(), dallArchivio);
        QCOMPARE(f.control<QLabel>("Label11")->text(), QStringLiteral("INIZIO PERIODO"));
        QCOMPARE(f.control<QLabel>("Label10")->text(), QStringLiteral("FINE PERIODO"));
        QCOMPARE(f.control("DateEdit1")->toolTip(), QStringLiteral("Scegli una data\ndal calendario"));
        QStringList vuoti(11);
        QCOMPARE(f.risultati(), (vuoti + QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
        QVERIFY(!f.control<QProgressBar>("Gauge1")->isVisible());
        auto* pagine = f.control<QTabWidget>("PageControl1");
        QCOMPARE(pagine->count(), 5);
        QStringList titoli;
        for (int i = 0; i < pagine->count(); ++i)
            titoli.append(pagine->tabText(i));
        QCOMPARE(titoli, (QStringList{QStringLiteral("Generale"), QStringLiteral("Ultimo collegamento"),
                                      QStringLiteral("Ultima giornata"), QStringLiteral("Limiti"),
                                      QStringLiteral("Andamento")}));
        QCOMPARE(f.control<QPushButton>("BitBtn1")->text(), QStringLiteral("&Calcola"));
        QCOMPARE(f.control<QPushButton>("BitBtn2")->text(), QStringLiteral("&Esci"));
        QCOMPARE(f.voce("CancellaFilediconteggio1")->text(), QStringLiteral("&Cancella File di conteggio"));
        QCOMPARE(f.control<QMenu>("Sceglifilediconteggio1")->title(), QStringLiteral("&Scegli  file di conteggio"));
        QCOMPARE(f.voce("InMicrosoftExcel1")->text(), QStringLiteral("&Cartella Microsoft Excel\u00ae"));
        QCOMPARE(f.voce("Esci1")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
        QVERIFY(f.voce("mnuAttuale")->isChecked());
        QVERIFY(!f.voce("AltroFile1")->isChecked());
        QVERIFY(f.voce("VisualizzaFilediconteggio1")->isEnabled());
        QVERIFY(f.voce("CancellaFilediconteggio1")->isEnabled());
        for (const char* campo : {"Edit9", "Edit8", "Edit12"})
            QVERIFY(f.control(campo)->isReadOnly());
        // As designed, 331 x 292 below the menu, or larger by one factor.
        QCOMPARE(w.minimumSize(), w.maximumSize());
        const int menu = f.control<QMenuBar>("MainMenu1")->sizeHint().height();
        QVERIFY(w.width() >= 331 && w.height() >= 292 + menu);
        QVERIFY(qAbs(double(w.width()) / w.height() - 331.0 / (292 + menu)) < 0.02);
        QVERIFY(f.prompter.shown.isEmpty());
    }

    void aStoredStartDateThatIsNoDateOpensOn1996()
    {
        Finestra f;
        f.configured(QStringLiteral("InizioConteggio"), QStringLiteral("DataInizio"), QStringLiteral("30/02/1999"));
        f.apri();
        QCOMPARE(f.testo("DateEdit1"), QStringLiteral("01/01/1996"));
        QCOMPARE(f.testo("DateEdit2"), QStringLiteral("06/12/1999"));
        QCOMPARE(f.control<QLabel>("Label1")->text(), dallArchivio);
        QVERIFY(f.prompter.shown.isEmpty());
    }

    void datesThatAreRefusedLeaveEveryField_data()
    {
        QTest::addColumn<QString>("inizio");
        QTest::addColumn<QString>("fine");
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("31 February") << "31/02/1999"
                                     << "06/12/1999" << inesatta;
        QTest::newRow("empty start") << ""
                                     << "06/12/1999" << inesatta;
        QTest::newRow("empty end") << "01/03/1999"
                                   << "" << inesatta;
        QTest::newRow("start a day after the end") << "23/03/1999"
                                                   << "22/03/1999" << ordine;
    }

    void datesThatAreRefusedLeaveEveryField()
    {
        QFETCH(QString, inizio);
        QFETCH(QString, fine);
        QFETCH(QString, messaggio);
        Finestra f;
        scrivi(f.archive(), ventiMinuti);
        f.limite("CheckBox6_Checked", "True");
        f.limite("RxSpinEdit4_value", "60");
        f.limite("ConsumiGiorno", "75");
        f.apri();
        f.calcola();
        const QStringList prima = f.risultati();
        QCOMPARE(prima.at(1), QStringLiteral("6"));

        f.date(inizio, fine);
        f.prompter.expect(messaggio);
        f.limite("ConsumiGiorno", "10");
        f.calcola();
        QCOMPARE(f.prompter.texts(), QStringList{messaggio});
        QCOMPARE(f.prompter.shown.at(0).title, QStringLiteral("Attenzione!"));
        QCOMPARE(f.prompter.shown.at(0).icon, Message::Icon::Critical);
        QCOMPARE(f.risultati(), prima);
    }

    void computesTheThreePagesAndTheLimits()
    {
        Finestra f;
        scrivi(f.archive(), ventiMinuti);
        f.limite("CheckBox6_Checked", "True");
        f.limite("RxSpinEdit4_value", "60");
        f.limite("ConsumiGiorno", "75");
        f.limite("CheckBox7_Checked", "False");
        f.limite("RxCalcEdit1_value", "600");
        f.limite("consumiMese", "10");
        f.apri();
        f.date(QStringLiteral("22/03/1999"), QStringLiteral("22/03/1999"));
        f.calcola();
        const QString costo = costoConsumi(912);
        QCOMPARE(f.risultati(),
                 (QStringList{QStringLiteral("0h 20m 0s"), QStringLiteral("6"), costo, QStringLiteral("1"),
                              QStringLiteral("6"), costo, QStringLiteral("0h 20m 0s "), QStringLiteral("6"), costo,
                              QStringLiteral("0h 20m 0s "), QStringLiteral("1"), QStringLiteral("-15"),
                              QStringLiteral("0"), QStringLiteral("0")}));
        QVERIFY(f.prompter.shown.isEmpty());
        QVERIFY(f.control("Edit13")->font().bold());
    }

    void theTrendPageHasABarADayOrAMonth_data()
    {
        QTest::addColumn<QString>("inizio");
        QTest::addColumn<int>("barre");
        QTest::addColumn<QString>("prima");
        QTest::addColumn<QString>("ultima");
        QTest::newRow("31 days") << QStringLiteral("06/11/1999") << 31 << QStringLiteral("06/11")
                                 << QStringLiteral("06/12");
        QTest::newRow("366 days") << QStringLiteral("06/12/1998") << 13 << QStringLiteral("12/98")
                                  << QStringLiteral("12/99");
    }

    void theTrendPageHasABarADayOrAMonth()
    {
        QFETCH(QString, inizio);
        QFETCH(int, barre);
        QFETCH(QString, prima);
        QFETCH(QString, ultima);
        Finestra f;
        scrivi(f.archive(), altrove + QStringList{QStringLiteral("01/12/1999 10.00.00 collegamento Aperto  011 Casa"),
                                                  QStringLiteral("01/12/1999 11.00.00 collegamento Chiuso  011")});
        f.limite("CheckBox7_Checked", "True");
        f.limite("RxCalcEdit1_value", "600");
        f.apri();
        f.date(inizio, QStringLiteral("06/12/1999"));
        f.calcola();
        QVERIFY(f.prompter.shown.isEmpty());
        auto* grafico = f.control<GraficoAndamento>("ChartView1");
        QCOMPARE(grafico->minuti().count(), barre);
        QCOMPARE(grafico->costo().count(), barre);
        QCOMPARE(grafico->etichette().size(), barre);
        QCOMPARE(grafico->etichette().first(), prima);
        QCOMPARE(grafico->etichette().last(), ultima);
        // The 1st of December, or December, holds the hour called that day.
        const int dicembre = barre == 31 ? 25 : 12;
        QCOMPARE(grafico->minuti().at(dicembre), 60.0);
        QVERIFY(grafico->costo().at(dicembre) > 0);
        QCOMPARE(f.control<QLabel>("Label21")->text().split(QLatin1Char('\n')),
                 (QStringList{QStringLiteral("Proiezione a fine dicembre 1999 (trascorsi 6 giorni su 31)"),
                              QStringLiteral("Minuti previsti: 310 (finora 60)   Costo previsto: ") +
                                  costoConsumi(grafico->costo().at(dicembre) * 31 / 6),
                              QStringLiteral("Per restare nel limite mensile di 600 minuti: 20 minuti al giorno")}));
    }

    // All the calendar is drawn in a thousand bars of 120 months each.
    void aRangeOfCenturiesIsDrawnInGroupsOfMonths()
    {
        Finestra f;
        scrivi(f.archive(), ventiMinuti);
        f.apri();
        f.date(QStringLiteral("01/01/0001"), QStringLiteral("31/12/9999"));
        f.calcola();
        auto* grafico = f.control<GraficoAndamento>("ChartView1");
        QCOMPARE(grafico->minuti().count(), 1000);
        QCOMPARE(grafico->minuti().at(199), 20.0);
    }

    // The page follows "&Calcola": a range without the current month says how
    // to get the projection, and a pass that fails leaves the page as it was.
    void theTrendPageFollowsEachComputation()
    {
        Finestra f;
        scrivi(f.archive(), ventiMinuti);
        f.apri();
        auto* grafico = f.control<GraficoAndamento>("ChartView1");
        auto* proiezione = f.control<QLabel>("Label21");
        QCOMPARE(grafico->minuti().count(), 0);
        QVERIFY(!proiezione->text().isEmpty());
        f.date(QStringLiteral("01/03/1999"), QStringLiteral("31/03/1999"));
        f.calcola();
        QCOMPARE(grafico->minuti().count(), 31);
        QCOMPARE(grafico->minuti().at(21), 20.0);
        QCOMPARE(proiezione->text(), QStringLiteral("Proiezione di dicembre 1999: calcolare un periodo che comprenda "
                                                    "i giorni dal 01/12/1999 a oggi."));
        QFile::remove(f.archive());
        f.prompter.expect(QStringLiteral("Archivio chiamate inesistente!"));
        f.date(QStringLiteral("01/03/1999"), QStringLiteral("02/03/1999"));
        f.calcola();
        QCOMPARE(grafico->minuti().count(), 31);
    }

    // Hovering a bar, minutes or cost, tells its day, units, cost and minutes.
    void hoveringABarTellsItsDay()
    {
        Finestra f;
        scrivi(f.archive(), ventiMinuti);
        TfrmStatistiche& w = f.apri();
        f.date(QStringLiteral("01/03/1999"), QStringLiteral("31/03/1999"));
        f.calcola();
        f.control<QTabWidget>("PageControl1")->setCurrentIndex(4);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* grafico = f.control<GraficoAndamento>("ChartView1");
        const QString atteso = QStringLiteral("22/03/1999\nScatti: 6\nCosto: %1\nMinuti: 20").arg(costoConsumi(912));
        QCOMPARE(grafico->descrizione(21), atteso);
        auto* serie = qobject_cast<QBarSeries*>(grafico->chart()->series().value(0));
        QVERIFY(serie);
        // The middle of the day's minutes bar, in the view's own coordinates,
        // once the chart has laid its bars out (after the event loop has run).
        const auto punto = [grafico, serie] {
            const QPointF centro = grafico->chart()->mapToPosition(QPointF(21 - 0.225, 10), serie);
            return grafico->mapFromScene(grafico->chart()->mapToScene(centro));
        };
        const auto barraSotto = [grafico](const QPoint& p) {
            const QList<QGraphicsItem*> sotto = grafico->items(p);
            return std::any_of(sotto.begin(), sotto.end(), [](QGraphicsItem* i) { return i->acceptHoverEvents(); });
        };
        QTRY_VERIFY(barraSotto(punto()));
        // Through the window, as the windowing system delivers it: the widget overload only moves the cursor.
        QTest::mouseMove(w.windowHandle(), grafico->viewport()->mapTo(&w, punto()));
        QTRY_COMPARE(grafico->toolTip(), atteso);
        QTest::mouseMove(w.windowHandle(), grafico->viewport()->mapTo(&w, QPoint(2, 2)));
        QTRY_COMPARE(grafico->toolTip(), QString());
    }

    void aMissingArchiveIsToldAndTheLimitsStillShown()
    {
        Finestra f;
        QFile::remove(f.archive());
        f.limite("CheckBox11_Checked", "True");
        f.limite("RxCalcEdit2_value", "6000");
        f.limite("consumiAnno", "5000");
        f.apri();
        f.prompter.expect(QStringLiteral("Archivio chiamate inesistente!"));
        f.calcola();
        QCOMPARE(f.testo("Edit12"), QStringLiteral("1000"));
        QCOMPARE(f.testo("Edit11"), QString());
        QCOMPARE(f.prompter.shown.size(), 1);
    }

    void theGaugeMovesWhileALongArchiveIsRead()
    {
        Finestra f;
        QStringList righe;
        for (int i = 0; i < 3000; ++i)
            righe += ventiMinuti;
        scrivi(f.archive(), righe);
        f.apri();
        auto* indicatore = f.control<QProgressBar>("Gauge1");
        QList<int> valori;
        int visibile = 0;
        connect(indicatore, &QProgressBar::valueChanged, this, [&](int v) {
            valori.append(v);
            visibile += indicatore->isVisible() ? 1 : 0;
        });
        f.calcola();
        QVERIFY2(valori.size() > 20, qPrintable(QString::number(valori.size())));
        QCOMPARE(valori.at(valori.size() - 2), 100);
        QCOMPARE(visibile, valori.size() - 1); // shown while it moved, hidden as it went back to 0
        QCOMPARE(valori.last(), 0);
        QVERIFY(!indicatore->isVisible());
        QCOMPARE(f.testo("Edit15"), QStringLiteral("3000"));

        // A range of one or two days shows no progress.
        valori.clear();
        f.date(QStringLiteral("22/03/1999"), QStringLiteral("23/03/1999"));
        f.calcola();
        QCOMPARE(valori, QList<int>{});
    }

    void theAlternateArchiveThenTheCurrentOne()
    {
        Finestra f;
        scrivi(f.archive(), ventiMinuti);
        scrivi(f.altro, altrove);
        f.apri();
        f.altroFile(f.altro);
        QCOMPARE(f.control<QLabel>("Label1")->text(), daAlternativo);
        QVERIFY(f.voce("AltroFile1")->isChecked());
        QVERIFY(!f.voce("mnuAttuale")->isChecked());
        QVERIFY(!f.voce("CancellaFilediconteggio1")->isEnabled());
        QVERIFY(f.voce("VisualizzaFilediconteggio1")->isEnabled());
        QVERIFY(f.stato.AltroFileAttivo);
        f.calcola();
        QCOMPARE(f.testo("Edit9"), QStringLiteral("0h 5m 0s"));

        f.voce("mnuAttuale")->trigger();
        QCOMPARE(f.control<QLabel>("Label1")->text(), dallArchivio);
        QVERIFY(f.voce("mnuAttuale")->isChecked());
        QVERIFY(f.voce("CancellaFilediconteggio1")->isEnabled());
        QVERIFY(!f.stato.AltroFileAttivo);
        f.calcola();
        QCOMPARE(f.testo("Edit9"), QStringLiteral("0h 20m 0s"));
        QVERIFY(f.prompter.shown.isEmpty());
    }

    void anAlternateFileThatIsNoArchiveOrNoneChosen()
    {
        Finestra f;
        const QString lettera = f.dirs.path() + QStringLiteral("/lettera.txt");
        scrivi(lettera, {QStringLiteral("Caro Mario,")});
        scrivi(f.altro, altrove);
        f.apri();
        for (const QString& file : {lettera, QString()}) {
            f.altroFile(f.altro);
            QVERIFY(f.stato.AltroFileAttivo);
            if (!file.isEmpty())
                f.prompter.expect(QStringLiteral("Il file non sembra essere un file di archivio valido"));
            f.altroFile(file);
            QCOMPARE(f.control<QLabel>("Label1")->text(), dallArchivio);
            QVERIFY(f.voce("mnuAttuale")->isChecked());
            QVERIFY(f.voce("CancellaFilediconteggio1")->isEnabled());
            QVERIFY(!f.stato.AltroFileAttivo);
        }
        QCOMPARE(f.prompter.shown.size(), 1);
        QCOMPARE(f.prompter.shown.at(0).icon, Message::Icon::Critical);
    }

    void theOpenDialogAsSetUp()
    {
        Finestra f;
        f.apri();
        QStringList visto;
        f.w->setSceltaFile([&visto](QFileDialog& d) {
            visto = {d.objectName(), d.windowTitle(), d.nameFilters().join(QLatin1Char('|')), d.defaultSuffix()};
            return QString();
        });
        f.voce("AltroFile1")->trigger();
        QCOMPARE(visto, (QStringList{QStringLiteral("OpenDialog1"), QStringLiteral("Apri altro file di conteggio"),
                                     QStringLiteral("File di conteggio (*.txt)"), QStringLiteral("txt")}));
    }

    void theCalendarFillsTheField()
    {
        Finestra f;
        f.apri();
        f.data = QDate(1999, 2, 7);
        auto* inizio = f.control("DateEdit1");
        inizio->findChild<QAction*>(QStringLiteral("DateEdit1Calendario"))->trigger();
        QCOMPARE(inizio->text(), QStringLiteral("07/02/1999"));
        f.data.reset();
        auto* fine = f.control("DateEdit2");
        fine->setText(QStringLiteral("domani"));
        fine->findChild<QAction*>(QStringLiteral("DateEdit2Calendario"))->trigger();
        QCOMPARE(fine->text(), QStringLiteral("domani"));
        QCOMPARE(f.calendari, (QList<QDate>{QDate(1999, 3, 1), QDate(1999, 12, 6)}));
    }

    void viewingTheArchive()
    {
        Finestra f;
        scrivi(f.altro, altrove);
        f.apri();
        f.voce("VisualizzaFilediconteggio1")->trigger();
        QCOMPARE(f.shell.viewed, QStringList{f.archive()});
        f.altroFile(f.altro);
        f.shell.result = Shell::NotFound;
        f.prompter.expectContaining(QStringLiteral("Blocco Note non trovato!"));
        f.voce("VisualizzaFilediconteggio1")->trigger();
        QCOMPARE(f.shell.viewed.at(1), f.altro);
        QCOMPARE(f.prompter.texts().size(), 1);
        QVERIFY(f.prompter.texts().first().endsWith(f.altro));
    }

    void deletingOpensTheDeletionDialogOnTqklog()
    {
        Finestra f;
        f.apri();
        QString archivio;
        whenModal<TfrmCancella>(this, [&archivio](TfrmCancella& d) {
            archivio = d.windowTitle();
            d.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        });
        f.voce("CancellaFilediconteggio1")->trigger();
        QCOMPARE(archivio, QStringLiteral("Cancellazione archivio chiamate"));
        QVERIFY(QFile::exists(f.archive()));

        QFile::remove(f.archive());
        f.prompter.expect(QStringLiteral("Archivio chiamate inesistente!"));
        f.voce("CancellaFilediconteggio1")->trigger();
        QCOMPARE(f.prompter.texts(), QStringList{QStringLiteral("Archivio chiamate inesistente!")});
    }

    void closingStoresTheStartDateAsTyped()
    {
        Finestra f;
        scrivi(f.altro, altrove);
        TfrmStatistiche& w = f.apri();
        f.altroFile(f.altro);
        f.control("DateEdit1")->setText(QStringLiteral("31/02/1998"));
        QVERIFY(w.close());
        QVERIFY(!f.stato.AltroFileAttivo);
        QCOMPARE(f.store.readText(QStringLiteral("InizioConteggio"), QStringLiteral("DataInizio"), QString()),
                 QStringLiteral("31/02/1998"));

        // "&Esci" and Escape close it as well.
        Finestra g;
        TfrmStatistiche& x = g.apri();
        g.control("DateEdit1")->setText(QStringLiteral("02/01/1999"));
        g.voce("Esci1")->trigger();
        QVERIFY(!x.isVisible());
        QCOMPARE(g.store.readText(QStringLiteral("InizioConteggio"), QStringLiteral("DataInizio"), QString()),
                 QStringLiteral("02/01/1999"));
        QVERIFY(g.prompter.shown.isEmpty());
    }

    void theExportItemsOpenTheExportWithTheirSwitch()
    {
        for (const char* voce : {"SuFilediTesto1", "InMicrosoftExcel1"}) {
            Finestra f;
            f.apri();
            std::optional<bool> foglio;
            whenModal<TfrmEsporta>(this, [&foglio](TfrmEsporta& d) {
                foglio = d.spreadsheetSwitch();
                d.findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
            });
            f.voce(voce)->trigger();
            QVERIFY(foglio.has_value());
            QCOMPARE(*foglio, QByteArray(voce) == "InMicrosoftExcel1");
            QVERIFY(f.w->isVisible());
        }
    }

    void anExportAfterClosingOnAnAlternateArchiveReadsTqklog()
    {
        Finestra f;
        scrivi(f.archive(), {QStringLiteral("02/12/1999 10.00.00 collegamento Aperto  011 Corrente"),
                             QStringLiteral("02/12/1999 10.20.00 collegamento Chiuso  011")});
        scrivi(f.altro, {QStringLiteral("03/12/1999 10.00.00 collegamento Aperto  011 Altro"),
                         QStringLiteral("03/12/1999 10.20.00 collegamento Chiuso  011")});
        f.apri();
        f.altroFile(f.altro);
        const auto esporta = [this, &f] {
            whenModal<TfrmEsporta>(this, [](TfrmEsporta& d) { d.BitBtn1Click(); });
            f.voce("SuFilediTesto1")->trigger();
            return leggi(f.dirs.data() + QStringLiteral("/dic_99.txt"));
        };
        QVERIFY(esporta().contains("03/12/1999;6;"));
        f.w->close();

        f.apri();
        const QByteArray testo = esporta();
        QVERIFY(testo.contains("02/12/1999;6;"));
        QVERIFY(!testo.contains("Altro"));
        QVERIFY(f.prompter.shown.isEmpty());
    }

    void theRepairOfAnAlternateArchiveEndsTheProgram()
    {
        Finestra f;
        const QByteArray corrente = leggi(f.archive());
        const QString aperta = QStringLiteral("02/03/1999 09.00.00 collegamento Aperto  011 Altrove");
        scrivi(f.altro, QStringList{aperta} + altrove);
        QSignalSpy fine(&f.session, &CountingSession::finished);
        TfrmStatistiche& w = f.apri();
        f.altroFile(f.altro);
        f.prompter.expect(QStringLiteral("manca la chiusura del collegamento:\r02/03/1999 09.00.00 "));
        QString mostrata;
        whenModal<TfrmCorreggi>(this, [&mostrata](TfrmCorreggi& d) {
            mostrata = d.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text();
            d.findChild<QLineEdit*>(QStringLiteral("Edit2"))
                ->setText(QStringLiteral("02/03/1999 09.30.00 collegamento Chiuso  011"));
            d.Button1Click();
        });
        f.calcola();
        QCOMPARE(mostrata, aperta);
        QVERIFY(!w.isVisible());
        QVERIFY(!f.stato.AltroFileAttivo);
        QCOMPARE(fine.size(), 0); // the program ends once the windows are closed
        QCoreApplication::processEvents();
        QCOMPARE(fine.size(), 1);
        QCOMPARE(leggi(f.altro).split('\n').at(1), QByteArray("02/03/1999 09.30.00 collegamento Chiuso  011\r"));
        QCOMPARE(leggi(f.archive()), corrente);
        QCOMPARE(f.testo("Edit9"), QString());
    }

    void aMissingClosureMetByTheExportLeadsToTheRepair()
    {
        Finestra f;
        scrivi(f.archive(), {QStringLiteral("02/12/1999 10.00.00 collegamento Aperto  011 Corrente")});
        QSignalSpy fine(&f.session, &CountingSession::finished);
        TfrmStatistiche& w = f.apri();
        f.prompter.expect(QStringLiteral("manca la chiusura del collegamento:\r02/12/1999 10.00.00 "));
        whenModal<TfrmEsporta>(this, [this](TfrmEsporta& d) {
            whenModal<TfrmCorreggi>(this, [](TfrmCorreggi& c) { c.Button1Click(); });
            d.BitBtn1Click();
        });
        f.voce("SuFilediTesto1")->trigger();
        QVERIFY(!w.isVisible());
        QCoreApplication::processEvents();
        QCOMPARE(fine.size(), 1);
        QCOMPARE(f.records().size(), 2);
        QCOMPARE(f.records().at(1), QByteArray("02/12/1999 10.00.00 collegamento Chiuso  011"));
    }

    // BRENVOLO_SCREENSHOT_DIR=DIR saves each page after a computation there;
    // under a window manager the pictures take the frame and the caption too.
    void screenshots()
    {
        const QString cartella = qEnvironmentVariable("BRENVOLO_SCREENSHOT_DIR");
        if (cartella.isEmpty())
            QSKIP("BRENVOLO_SCREENSHOT_DIR not set");
        Finestra f;
        QStringList righe;
        for (int giorno = 1; giorno <= 6; ++giorno) {
            const QString data = QStringLiteral("%1/12/1999").arg(giorno, 2, 10, QLatin1Char('0'));
            righe << data + QStringLiteral(" 21.00.00 collegamento Aperto  021 Casa")
                  << data + QStringLiteral(" 21.47.13 collegamento Chiuso  021");
        }
        scrivi(f.archive(), righe);
        f.limite("CheckBox6_Checked", "True");
        f.limite("RxSpinEdit4_value", "60");
        f.limite("ConsumiGiorno", "75");
        f.limite("CheckBox7_Checked", "True");
        f.limite("RxCalcEdit1_value", "600");
        f.limite("consumiMese", "286");
        TfrmStatistiche& w = f.apri();
        f.date(QStringLiteral("01/12/1999"), QStringLiteral("06/12/1999"));
        f.calcola();
        auto* pagine = f.control<QTabWidget>("PageControl1");
        const auto salva = [&w, &cartella](const char* nome) {
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QTest::qWait(500);
            const QRect cornice = w.frameGeometry();
            QPixmap foto = w.screen()->grabWindow(0, cornice.x(), cornice.y(), cornice.width(), cornice.height());
            if (foto.isNull() || foto.size() != cornice.size())
                foto = w.grab();
            QVERIFY(foto.save(cartella + QLatin1Char('/') + QLatin1String(nome)));
        };
        const char* const nomi[] = {"TfrmStatistiche-generale.png", "TfrmStatistiche-ultimo.png",
                                    "TfrmStatistiche-giornata.png", "TfrmStatistiche-limiti.png"};
        for (int i = 0; i < 4; ++i) {
            pagine->setCurrentIndex(i);
            salva(nomi[i]);
        }
        auto* indicatore = f.control<QProgressBar>("Gauge1");
        indicatore->setValue(60);
        indicatore->show();
        pagine->setCurrentIndex(0);
        salva("TfrmStatistiche-avanzamento.png");

        // The real drop-down calendar under the start date, picked from the screen.
        TfrmStatistiche vera(f.servizi, f.stato, f.session);
        vera.show();
        QVERIFY(QTest::qWaitForWindowExposed(&vera));
        auto* inizio = vera.findChild<QLineEdit*>(QStringLiteral("DateEdit1"));
        QTimer::singleShot(800, this, [&cartella, &vera] {
            QWidget* tendina = QApplication::activePopupWidget();
            QVERIFY(tendina);
            const QRect area = tendina->frameGeometry().united(vera.frameGeometry());
            QVERIFY(vera.screen()
                        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                        .save(cartella + QStringLiteral("/TfrmStatistiche-calendario.png")));
            auto* calendario = tendina->findChild<QCalendarWidget*>(QStringLiteral("Calendario"));
            QVERIFY(calendario);
            calendario->setSelectedDate(QDate(1999, 11, 15));
            emit calendario->activated(calendario->selectedDate());
        });
        inizio->findChild<QAction*>(QStringLiteral("DateEdit1Calendario"))->trigger();
        QCOMPARE(inizio->text(), QStringLiteral("15/11/1999"));
    }

    // BRENVOLO_SCREENSHOT_DIR=DIR saves the "Andamento" page after a
    // computation over a generated month, with a bar's tooltip, and over the
    // year so far, one bar a month.
    void trendScreenshots()
    {
        const QString cartella = qEnvironmentVariable("BRENVOLO_SCREENSHOT_DIR");
        if (cartella.isEmpty())
            QSKIP("BRENVOLO_SCREENSHOT_DIR not set");
        Finestra f;
        ArchiveGenerator::Options o;
        o.firstDay = QDate(1999, 1, 1);
        o.days = 340;
        o.callsPerDay = 2;
        QVERIFY(ArchiveGenerator::write(f.archive(), o));
        f.limite("CheckBox7_Checked", "True");
        f.limite("RxCalcEdit1_value", "3000");
        TfrmStatistiche& w = f.apri();
        f.control<QTabWidget>("PageControl1")->setCurrentIndex(4);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* grafico = f.control<GraficoAndamento>("ChartView1");
        const auto salva = [&](const char* nome, const QRect& area) {
            QTest::qWait(500);
            QPixmap foto = w.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
            if (foto.isNull() || foto.size() != area.size())
                foto = w.grab();
            QVERIFY(foto.save(cartella + QLatin1Char('/') + QLatin1String(nome)));
        };

        f.date(QStringLiteral("07/11/1999"), QStringLiteral("06/12/1999"));
        f.calcola();
        salva("TfrmStatistiche-andamento.png", w.frameGeometry());

        // The tooltip of a bar, caught with the window around it.
        auto* serie = qobject_cast<QBarSeries*>(grafico->chart()->series().value(0));
        QVERIFY(serie);
        const QPointF centro = grafico->chart()->mapToPosition(QPointF(24 - 0.225, 1), serie);
        const QPoint punto = grafico->mapFromScene(grafico->chart()->mapToScene(centro));
        QCursor::setPos(grafico->viewport()->mapToGlobal(punto));
        QTest::mouseMove(w.windowHandle(), grafico->viewport()->mapTo(&w, punto));
        QTRY_VERIFY(!grafico->toolTip().isEmpty());
        QRect area = w.frameGeometry();
        for (QWidget* finestra : QApplication::topLevelWidgets()) {
            if (finestra->inherits("QTipLabel") && finestra->isVisible())
                area = area.united(finestra->frameGeometry());
        }
        salva("TfrmStatistiche-andamento-barra.png", area);
        QTest::mouseMove(w.windowHandle(), grafico->viewport()->mapTo(&w, QPoint(2, 2)));

        f.date(QStringLiteral("01/01/1999"), QStringLiteral("06/12/1999"));
        f.calcola();
        salva("TfrmStatistiche-andamento-mesi.png", w.frameGeometry());
    }
};

BRENVOLO_UI_TEST(TestTfrmStatistiche)
#include "TestTfrmStatistiche.moc"
