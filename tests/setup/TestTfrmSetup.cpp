#include "settings/StatoProgramma.h"
#include "setup/SetupPickers.h"
#include "setup/TfrmSetup.h"
#include "setup/TypedField.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/UiTestRegistry.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <functional>

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

const QString riavvio = s("Le nuove impostazioni saranno effettive solo alla prossima esecuzione.\r"
                          "          Chiudere il programma e riavviare manualmente?");

// The answers the dialog's small dialogs give, set by the test.
class FakePickers : public SetupPickers
{
public:
    std::optional<QDate> date(QWidget*, const QDate& initial) override
    {
        dates.append(initial);
        return nextDate;
    }
    std::optional<QString> program(QWidget*, const QString&) override { return nextProgram; }
    std::optional<double> calculate(QWidget*, qint64) override { return nextValue; }

    QList<QDate> dates;
    std::optional<QDate> nextDate;
    std::optional<QString> nextProgram;
    std::optional<double> nextValue;
};

// The program's fake services, having run once, and the dialog opened over
// them from the main window (300 x 80) or the compact strip (400 x 30) on a
// 1024 x 768 screen.
struct Dialogo
{
    Program p;
    FakePickers pickers;
    QPointer<TfrmSetup> w;

    Dialogo() { p.configured(s("importo"), s("costo"), s("152")); }
    ~Dialogo() { delete w.data(); }

    TfrmSetup& apri(bool daBarra = false)
    {
        p.stato.fromStore(p.store);
        p.stato.SetupDaBarra = daBarra;
        w = new TfrmSetup(p.servizi, p.stato, {QSize(1024, 768), QSize(300, 80), QSize(400, 30)}, nullptr, &pickers);
        w->show();
        return *w;
    }
    template <typename T> T* control(const char* name) { return w->findChild<T*>(QString::fromLatin1(name)); }
    QString stored(const Setting& setting) const { return p.store.read(setting); }
    void pagina(const char* name)
    {
        auto* pages = control<QTabWidget>("PageControl1");
        pages->setCurrentWidget(control<QWidget>(name));
    }
    void ok(Prompter::Button risposta = Prompter::Button::No)
    {
        p.prompter.expect(riavvio, risposta);
        control<QPushButton>("BitBtn1")->click();
    }
};

// Runs `step` on the modal dialog as soon as its opener shows it.
void onDialog(std::function<void(TfrmSetup&)> step)
{
    QTimer::singleShot(0, [step] {
        if (auto* dialog = qobject_cast<TfrmSetup*>(QApplication::activeModalWidget()))
            step(*dialog);
    });
}

template <typename T> T* in(QWidget& w, const char* name)
{
    return w.findChild<T*>(QString::fromLatin1(name));
}

QStringList items(const QComboBox* combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list.append(combo->itemText(i));
    return list;
}

} // namespace

class TestTfrmSetup : public QObject
{
    Q_OBJECT
private slots:
    void pagesControlsAndCaptions()
    {
        Dialogo d;
        TfrmSetup& w = d.apri();
        QCOMPARE(w.windowTitle(), s("Preferenze"));
        auto* pages = d.control<QTabWidget>("PageControl1");
        const char* const names[] = {"TabSheet1", "TabSheet2", "TabSheet6", "TabSheet7",
                                     "TabSheet9", "TabSheet8", "TabSheet10"};
        const char* const captions[] = {"Generale",         "Fasce orarie", "Festività", "Connessione automatica",
                                        "Avvio Automatico", "Limiti Ore",   "Numeri"};
        QCOMPARE(pages->count(), 7);
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(pages->widget(i)->objectName(), QLatin1String(names[i]));
            QCOMPARE(pages->tabText(i), s(captions[i]));
        }
        auto* sub = d.control<QTabWidget>("PageControl2");
        QCOMPARE(sub->tabText(0), s("Feriali"));
        QCOMPARE(sub->tabText(1), s("Festivi"));
        QCOMPARE(sub->tabText(2), s("Sabato"));
        QCOMPARE(d.control<QPushButton>("BitBtn1")->toolTip(), s("Salva i nuovi valori"));
        QCOMPARE(d.control<QPushButton>("BitBtn2")->text(), s("Annulla"));
        QCOMPARE(d.control<QPushButton>("BitBtn7")->toolTip(), s("Ripristina i valori originali"));
        QCOMPARE(d.control<QGroupBox>("RadioGroup3")->title(), s("Visualizzazione"));
        QCOMPARE(d.control<QRadioButton>("RadioGroup2_1")->text(), s("Agevolata "));
        QCOMPARE(d.control<QCheckBox>("CheckBox1")->toolTip(), s("beep al cambio scatto"));
        QCOMPARE(d.control<QGroupBox>("GroupBox4")->title(), s("Parametri di connessione"));
        QCOMPARE(d.control<QTableWidget>("StringGrid3")->horizontalHeaderItem(5)->text(), s(">30"));
        QCOMPARE(d.control<QTableWidget>("StringGrid4")->horizontalHeaderItem(5)->text(), s("> 30"));
        for (const char* name :
             {"Edit1", "Edit11", "Edit2", "Edit3", "edit4", "Edit5", "Edit6", "Edit7", "Edit9", "Edit10", "Edit12",
              "Edit13", "Edit14", "Edit15", "DateEdit1", "FilenameEdit1", "FilenameEdit2", "FilenameEdit3"})
            QVERIFY2(d.control<QLineEdit>(name), name);
        for (const char* name : {"RxSpinEdit2", "RxSpinEdit3", "RxSpinEdit4", "RxSpinEdit7", "RxCalcEdit1",
                                 "RxCalcEdit2", "CurrencyEdit1"})
            QVERIFY2(d.control<QSpinBox>(name), name);
        for (const char* name : {"DTp1", "DTp2", "DTp3", "DTp4", "DTp5", "DTp6", "DateEdit2"})
            QVERIFY2(d.control<TypedField>(name), name);
        for (const char* name : {"BitBtn3", "BitBtn4", "BitBtn5", "BitBtn6"})
            QCOMPARE(d.control<QPushButton>(name)->text(), s("&Conferma"));
        QCOMPARE(d.control<QSpinBox>("RxSpinEdit4")->singleStep(), 10);
        QCOMPARE(d.control<QSpinBox>("RxSpinEdit3")->maximum(), 1440);
        QCOMPARE(d.control<QSpinBox>("RxSpinEdit7")->minimum(), 1);
        QCOMPARE(d.control<QSpinBox>("RxSpinEdit7")->maximum(), 60);
        QCOMPARE(d.control<QSpinBox>("RxSpinEdit2")->maximum(), 18);
        QVERIFY(d.control<QSpinBox>("RxSpinEdit2")->findChild<QLineEdit*>()->isReadOnly());
        QVERIFY(d.control<QLineEdit>("DateEdit1")->isReadOnly());
        QCOMPARE(d.control<QLineEdit>("Edit7")->echoMode(), QLineEdit::Password);
        d.control<QLineEdit>("Edit7")->setText(s("pw"));
        QCOMPARE(d.control<QLineEdit>("Edit7")->displayText(), s("**"));
        for (QAbstractButton* button : w.findChildren<QAbstractButton*>()) {
            // The dialog's own buttons; the grids' corner buttons belong to the toolkit.
            if (button->text().isEmpty() && !button->objectName().isEmpty())
                QVERIFY2(!button->accessibleName().isEmpty(),
                         qPrintable(button->objectName() + QLatin1Char(' ') +
                                    QLatin1String(button->metaObject()->className())));
        }
    }

    // A screen reader takes a group box's or a drop-down's name from the
    // toolkit: the title of the group box around it, the text it holds.
    void groupsAndDropDownsAreAnnouncedByTheirOwnNames()
    {
        Dialogo d;
        TfrmSetup& w = d.apri();
        const auto nome = [](QObject* o) { return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name); };
        for (QGroupBox* box : w.findChildren<QGroupBox*>())
            QCOMPARE(nome(box), box->title());
        QCOMPARE(nome(d.control<QComboBox>("ComboBox7")), s("Distanza 2"));
        QCOMPARE(nome(d.control<QComboBox>("ComboBox7")->lineEdit()), s("Distanza 2"));
        QCOMPARE(nome(d.control<QComboBox>("ComboBox14")), s("Connessione 5"));
    }

    void loadShowsTheStoreAndTheStartUpSnapshot()
    {
        Dialogo d;
        d.p.configured(s("tariffa"), s("flag5"), s("9"));
        d.p.configured(s("visualizza"), s("tipo"), s("7"));
        d.p.configured(s("suono"), s("inizio"), s("30"));
        d.apri();
        QVERIFY(d.control<QRadioButton>("RadioGroup1_3")->isChecked());
        QVERIFY(d.control<QRadioButton>("RadioGroup3_3")->isChecked());
        QCOMPARE(d.control<QSpinBox>("RxSpinEdit2")->value(), 18);
        QCOMPARE(d.control<QLineEdit>("Edit1")->text(), s("152"));
        QCOMPARE(d.control<QTableWidget>("StringGrid2")->item(1, 0)->text(), s("18.30.01"));
        QCOMPARE(d.control<QTableWidget>("StringGrid1")->item(7, 0)->text(), s("25/12"));
        QCOMPARE(d.control<QLineEdit>("DateEdit1")->text(), s("01/01/1999"));
        QCOMPARE(d.control<QLineEdit>("Edit2")->text(), s("01/01"));
        QCOMPARE(d.control<TypedField>("DTp5")->typed(), s("08.00.00"));
        QCOMPARE(d.control<TypedField>("DTp6")->typed(), s("18.30.00"));

        d.ok();
        QCOMPARE(d.stored(Catalogue::TariffaFlag5), s("4"));
        QCOMPARE(d.stored(Catalogue::VisualizzaTipo), s("3"));
        QCOMPARE(d.stored(Catalogue::SuonoInizio), s("18"));
    }

    void noClassSelectedIsSavedAsZero()
    {
        Dialogo d;
        d.p.configured(s("tariffa"), s("flag5"), s("0"));
        d.apri();
        for (const char* name : {"RadioGroup1_0", "RadioGroup1_1", "RadioGroup1_2", "RadioGroup1_3"})
            QVERIFY(!d.control<QRadioButton>(name)->isChecked());
        d.ok();
        QCOMPARE(d.stored(Catalogue::TariffaFlag5), s("0"));
    }

    void storedPositionOffTheScreenIsToldOnceAtCreation()
    {
        Dialogo d;
        d.p.configured(s("Posizione"), s("posX"), s("5000"));
        d.p.configured(s("PosizioneFine"), s("posX"), s("5000"));
        d.p.prompter.expect(s("La finestra esce dallo schermo!"));
        d.apri();
        QCOMPARE(d.p.prompter.shown.size(), 1);
        QCOMPARE(d.p.prompter.shown.at(0).title, s("Attenzione!"));
        QCOMPARE(d.control<QLineEdit>("Edit12")->text(), s("724"));
        QCOMPARE(d.control<QLineEdit>("Edit9")->text(), s("5000"));
    }

    void typedPositionIsCheckedOnEveryChange()
    {
        Dialogo d;
        d.apri();
        auto* edit = d.control<QLineEdit>("Edit13");
        d.control<QLineEdit>("Edit1")->setFocus();
        d.p.prompter.expect(s("La finestra esce dallo schermo!"));
        edit->setText(s("900"));
        QCOMPARE(edit->text(), s("688"));
        // After the message the keyboard is back on the field it is about.
        QCOMPARE(d.w->focusWidget(), edit);
        d.control<QLineEdit>("Edit1")->setFocus();
        d.p.prompter.expect(s("'' is not a valid integer value"));
        edit->clear();
        QCOMPARE(edit->text(), QString());
        QCOMPARE(d.w->focusWidget(), edit);
        QVERIFY(d.p.prompter.pending().isEmpty());
        // The cost window's fields are never checked.
        d.control<QLineEdit>("Edit14")->setText(s("9000"));
    }

    void fromTheMainWindowOkWritesPosizioneOnly()
    {
        Program p;
        p.configured(s("importo"), s("costo"), s("152"));
        p.start();
        bool disabled = false;
        onDialog([&](TfrmSetup& w) {
            disabled = !in<QLineEdit>(w, "Edit9")->isEnabled() && !in<QLineEdit>(w, "Edit10")->isEnabled() &&
                       in<QLineEdit>(w, "Edit12")->isEnabled() && in<QLineEdit>(w, "Edit15")->isEnabled();
            in<QLineEdit>(w, "Edit9")->setText(s("11"));
            in<QLineEdit>(w, "Edit12")->setText(s("12"));
            in<QLineEdit>(w, "Edit15")->setText(s("15"));
            p.prompter.expect(riavvio, Prompter::Button::No);
            in<QPushButton>(w, "BitBtn1")->click();
        });
        p.action("Setup1")->trigger();
        QVERIFY(disabled);
        QVERIFY(!p.stato.SetupDaBarra);
        QCOMPARE(p.store.read(Catalogue::PosizionePosX), s("12"));
        QCOMPARE(p.store.read(Catalogue::PosizionePosCostiY), s("15"));
        QCOMPARE(p.store.read(Catalogue::PosizioneFinePosX), s("0"));
        QVERIFY(p.window->isVisible());
        QVERIFY(p.window->findChildren<TfrmSetup*>().isEmpty());
    }

    void fromTheCompactStripOkWritesPosizioneFineOnly()
    {
        Dialogo d;
        bool disabled = false;
        onDialog([&](TfrmSetup& w) {
            disabled = in<QLineEdit>(w, "Edit9")->isEnabled() && !in<QLineEdit>(w, "Edit12")->isEnabled() &&
                       !in<QLineEdit>(w, "Edit13")->isEnabled() && !in<QLineEdit>(w, "Edit14")->isEnabled() &&
                       !in<QLineEdit>(w, "Edit15")->isEnabled();
            in<QLineEdit>(w, "Edit9")->setText(s("9"));
            in<QLineEdit>(w, "Edit10")->setText(s("10"));
            in<QLineEdit>(w, "Edit12")->setText(s("12"));
            d.p.prompter.expect(riavvio, Prompter::Button::No);
            in<QPushButton>(w, "BitBtn1")->click();
        });
        d.p.stato.fromStore(d.p.store);
        const bool chiudi = TfrmSetup::apri(nullptr, d.p.servizi, d.p.stato, true, QSize(300, 80), QSize(400, 30));
        QVERIFY(!chiudi);
        QVERIFY(disabled);
        QVERIFY(d.p.stato.SetupDaBarra);
        QCOMPARE(d.stored(Catalogue::PosizioneFinePosX), s("9"));
        QCOMPARE(d.stored(Catalogue::PosizioneFinePosY), s("10"));
        QCOMPARE(d.stored(Catalogue::PosizionePosX), s("0"));
    }

    void yesEndsTheProgramAfterItsClosingSteps()
    {
        Program p;
        p.configured(s("importo"), s("costo"), s("152"));
        p.configured(s("ritardo"), s("flagAuto"), s("ON"));
        p.start();
        QSignalSpy quit(p.window.get(), &TfrmPrincipale::readyToQuit);
        onDialog([&](TfrmSetup& w) {
            p.prompter.expect(riavvio, Prompter::Button::Yes);
            in<QPushButton>(w, "BitBtn1")->click();
        });
        p.action("Setup1")->trigger();
        // Not yet: the program ends from its event loop.
        QCOMPARE(quit.count(), 0);
        QTRY_COMPARE(quit.count(), 1);
        QVERIFY(!p.window->isVisible());
        QCOMPARE(p.store.read(Catalogue::RitardoFlagAuto), s("OFF"));
    }

    void defaultWritesTheFactoryValuesAndLeavesTheLimits()
    {
        Dialogo d;
        d.p.configured(s("importo"), s("costo"), s("300"));
        d.p.configured(s("limiti"), s("RxSpinEdit3_value"), s("60"));
        d.apri(true);
        d.p.prompter.expect(riavvio, Prompter::Button::No);
        d.control<QPushButton>("BitBtn7")->click();
        QCOMPARE(d.stored(Catalogue::ImportoCosto), s("152"));
        QCOMPARE(d.stored(Catalogue::PosizionePosCostiX), s("300"));
        QCOMPARE(d.stored(Catalogue::LimitiRxSpinEdit3), s("60"));
        QVERIFY(!d.w->isVisible());
    }

    void annullaStillStoresAChangedLimit()
    {
        Dialogo d;
        d.apri();
        d.control<QLineEdit>("Edit1")->setText(s("999"));
        d.control<QSpinBox>("RxSpinEdit3")->setValue(60);
        d.control<QPushButton>("BitBtn2")->click();
        QCOMPARE(d.stored(Catalogue::LimitiRxSpinEdit3), s("60"));
        QCOMPARE(d.stored(Catalogue::ImportoCosto), s("152"));
        QCOMPARE(d.w->result(), int(QDialog::Rejected));
    }

    void everyWayOfClosingSavesTheFormStorage()
    {
        Dialogo esc;
        esc.apri();
        esc.control<QCheckBox>("CheckBox6")->setChecked(true);
        QTest::keyClick(esc.w, Qt::Key_Escape);
        QCOMPARE(esc.stored(Catalogue::LimitiCheckBox6), s("True"));

        Dialogo box;
        box.apri();
        box.control<QComboBox>("ComboBox16")->setEditText(s("> 30"));
        box.w->close();
        QCOMPARE(box.stored(Catalogue::LimitiClasse[4]), s("> 30"));

        Dialogo distrutto;
        distrutto.apri();
        distrutto.control<QSpinBox>("RxCalcEdit1")->setValue(3000);
        delete distrutto.w.data();
        QCOMPARE(distrutto.stored(Catalogue::LimitiRxCalcEdit1), s("3000"));
    }

    void formStorageRestoreRunsTheChargeBoxRule()
    {
        Dialogo d;
        d.p.configured(s("limiti"), s("CheckBox13_Checked"), s("true"));
        d.p.configured(s("limiti"), s("CheckBox14_Checked"), s("TRUE"));
        d.p.configured(s("limiti"), s("RxSpinEdit4_Value"), s("600.5"));
        d.p.configured(s("limiti"), s("DateEdit2_text"), s("15/03/2000"));
        d.p.configured(s("limiti"), s("RadioGroup4_ItemIndex"), s("1"));
        d.apri();
        QVERIFY(!d.control<QCheckBox>("CheckBox13")->isChecked());
        QVERIFY(d.control<QCheckBox>("CheckBox14")->isChecked());
        QVERIFY(!d.control<QCheckBox>("CheckBox15")->isChecked());
        QCOMPARE(d.control<QSpinBox>("RxSpinEdit4")->value(), 601);
        QCOMPARE(d.control<TypedField>("DateEdit2")->typed(), s("15/03/2000"));
        QVERIFY(d.control<QRadioButton>("RadioGroup4_1")->isChecked());

        d.control<QCheckBox>("CheckBox15")->click();
        QVERIFY(!d.control<QCheckBox>("CheckBox14")->isChecked());
        d.control<QPushButton>("BitBtn2")->click();
        QCOMPARE(d.stored(Catalogue::LimitiCheckBox14), s("False"));
        QCOMPARE(d.stored(Catalogue::LimitiCheckBox15), s("True"));
        QCOMPARE(d.stored(Catalogue::LimitiRxSpinEdit4), s("601"));
        QCOMPARE(d.stored(Catalogue::LimitiDateEdit2), s("15/03/2000"));
    }

    void limitFieldsTakeWholeNumbersOnly()
    {
        Dialogo d;
        d.apri();
        auto* mensile = d.control<QSpinBox>("RxCalcEdit1");
        mensile->selectAll();
        QTest::keyClicks(mensile, s("600.5"));
        mensile->interpretText();
        QCOMPARE(mensile->value(), 6005);
        d.pickers.nextValue = 20.4 * 60;
        d.control<QToolButton>("RxCalcEdit1Button")->click();
        QCOMPARE(mensile->value(), 1224);
        d.control<QPushButton>("BitBtn2")->click();
        QCOMPARE(d.stored(Catalogue::LimitiRxCalcEdit1), s("1224"));
    }

    void okWithoutEnteringTheConnectionPageKeepsItsValues()
    {
        Dialogo d;
        d.p.configured(s("connessione"), s("automatico"), s("ON"));
        d.p.configured(s("connessione"), s("provider"), s("casa"));
        d.p.configured(s("connessione"), s("password"), s("segreta"));
        d.apri();
        d.ok();
        QCOMPARE(d.stored(Catalogue::ConnessioneAutomatico), s("ON"));
        QCOMPARE(d.stored(Catalogue::ConnessioneProvider), s("casa"));
        QCOMPARE(d.stored(Catalogue::ConnessionePassword), s("segreta"));
    }

    void connectionPageLoadsOnEveryEntry()
    {
        Dialogo d;
        d.p.dialUp.entries = {{s("ufficio"), s("")}, {s("casa"), s("")}};
        d.p.dialUp.params.insert(s("ufficio"), {s("luigi"), s("pw"), true});
        d.apri();
        d.pagina("TabSheet7");
        QCOMPARE(d.control<QGroupBox>("GroupBox4")->title(), s("Connessione automatica disattivata"));
        auto* combo = d.control<QComboBox>("ComboBox1");
        QCOMPARE(items(combo), QStringList({s("ufficio"), s("casa")}));
        QCOMPARE(combo->currentText(), s("ufficio"));
        QCOMPARE(d.control<QLineEdit>("Edit6")->text(), s("luigi"));
        QCOMPARE(d.control<QLineEdit>("Edit7")->text(), s("pw"));

        d.control<QCheckBox>("CheckBox4")->click();
        QCOMPARE(d.control<QGroupBox>("GroupBox4")->title(), s("Connessione automatica attivata"));
        QVERIFY(!combo->isEnabled());
        QVERIFY(!d.control<QLineEdit>("Edit6")->isEnabled());
        d.control<QPushButton>("BitBtn8")->click();
        QCOMPARE(d.stored(Catalogue::ConnessioneAutomatico), s("ON"));
        QCOMPARE(d.stored(Catalogue::ConnessioneProvider), s("ufficio"));
        QCOMPARE(d.stored(Catalogue::ConnessioneUtente), s("luigi"));

        d.control<QCheckBox>("CheckBox4")->click();
        QVERIFY(d.control<QLineEdit>("Edit6")->text().isEmpty());
        QVERIFY(combo->currentText().isEmpty());
        // Leaving and coming back shows the store again.
        d.pagina("TabSheet1");
        d.pagina("TabSheet7");
        QVERIFY(d.control<QCheckBox>("CheckBox4")->isChecked());
        QCOMPARE(combo->currentText(), s("ufficio"));

        d.p.prompter.expect(s("Impossibile recuperare i parametri di connessione: errore"));
        d.control<QCheckBox>("CheckBox4")->click();
        d.p.dialUp.entries.append({s("mare"), s("")});
        combo->addItem(s("mare"));
        combo->setCurrentIndex(combo->count() - 1);
        emit combo->activated(combo->count() - 1);
        QVERIFY(d.p.prompter.pending().isEmpty());
        QCOMPARE(d.p.prompter.shown.last().title, s("Errore"));
        d.control<QPushButton>("BitBtn2")->click();
        QCOMPARE(d.stored(Catalogue::ConnessioneAutomatico), s("ON"));
    }

    void launchPageWarnsEachTimeItIsShown()
    {
        Dialogo d;
        d.apri();
        const QString avviso = s("attenzione l'uso contemporaneo della funzione\r"
                                 "di connessione automatica con queste opzioni\r"
                                 "può creare problemi con programmi che richiamano\r"
                                 "automaticamente la connessione a Internet");
        d.p.prompter.expect(avviso).expect(avviso);
        d.pagina("TabSheet9");
        QCOMPARE(d.p.prompter.shown.at(0).title, s("Informazione"));
        d.pagina("TabSheet8");
        d.pagina("TabSheet9");
        QVERIFY(d.p.prompter.pending().isEmpty());

        d.pickers.nextProgram = s("/usr/bin/firefox");
        d.control<QToolButton>("FilenameEdit1Button")->click();
        d.control<QLineEdit>("FilenameEdit3")->clear();
        d.ok();
        QCOMPARE(d.stored(Catalogue::EseguiBrowser), s("/usr/bin/firefox"));
        QCOMPARE(d.stored(Catalogue::EseguiAltro), s("NESSUNO"));
    }

    void numbersPageHoldsFourDistancesHoweverOftenEntered()
    {
        Dialogo d;
        d.p.dialUp.entries = {{s("casa"), s("")}, {s("ufficio"), s("")}};
        d.p.configured(s("limiti"), s("ComboBox3_Text"), s("casa"));
        d.apri();
        for (int i = 0; i < 3; ++i) {
            d.pagina("TabSheet10");
            d.pagina("TabSheet1");
        }
        for (const char* name : {"ComboBox2", "ComboBox7", "ComboBox10", "ComboBox13", "ComboBox16"}) {
            QCOMPARE(items(d.control<QComboBox>(name)), QStringList({s("Tut"), s("< 15"), s("15 - 30"), s("> 30")}));
            QCOMPARE(d.control<QComboBox>(name)->currentText(), s("TuT"));
        }
        QCOMPARE(items(d.control<QComboBox>("ComboBox14")), QStringList({s("casa"), s("ufficio")}));
        QCOMPARE(d.control<QComboBox>("ComboBox3")->currentText(), s("casa"));
        QCOMPARE(d.control<QComboBox>("ComboBox5")->currentText(), s("2"));
        QCOMPARE(d.p.dialUp.phoneBookReads, 1);
    }

    void bandEditorThroughItsControls()
    {
        Dialogo d;
        d.apri();
        d.pagina("TabSheet2");
        QVERIFY(QTest::qWaitForWindowExposed(d.w));
        auto* grid = d.control<QTableWidget>("StringGrid2");
        const auto click = [grid](int row, int column) {
            const QRect cell = grid->visualRect(grid->model()->index(row, column));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        };
        click(1, 0);
        QCOMPARE(d.control<TypedField>("DTp5")->typed(), s("18.30.01"));
        QVERIFY(!d.control<QLineEdit>("Edit3")->isEnabled());
        // The keyboard stays in the grid: the arrows go on moving there.
        QCOMPARE(d.w->focusWidget(), grid);
        d.control<TypedField>("DTp5")->setTime(QTime(18, 30, 0));
        QVERIFY(d.control<QPushButton>("BitBtn6")->isDefault());
        d.control<QPushButton>("BitBtn6")->click();
        QCOMPARE(grid->item(1, 0)->text(), s("18.30.01"));

        click(0, 2);
        QVERIFY(d.control<QLineEdit>("Edit3")->isEnabled());
        QCOMPARE(d.control<QLineEdit>("Edit3")->text(), s("2200"));
        d.control<QLineEdit>("Edit3")->setText(s("50"));
        QTest::keyClick(d.control<QLineEdit>("Edit3"), Qt::Key_Return);
        QCOMPARE(grid->item(0, 2)->text(), s("0050"));
        QCOMPARE(d.control<QLineEdit>("Edit3")->text(), s("0050"));

        d.control<QLineEdit>("Edit3")->setText(s("5"));
        d.p.prompter.expect(s("I decimi di secondo devono essere fra 10 e 9999"));
        d.control<QPushButton>("BitBtn6")->click();
        QCOMPARE(grid->item(0, 2)->text(), s("0050"));
        QCOMPARE(d.w->focusWidget(), d.control<QLineEdit>("Edit3"));
        d.control<QLineEdit>("Edit3")->setText(s("cinque"));
        d.p.prompter.expect(s("'cinque' is not a valid integer value"));
        grid->setFocus();
        d.control<QPushButton>("BitBtn6")->click();
        QCOMPARE(d.w->focusWidget(), d.control<QLineEdit>("Edit3"));

        d.control<QTabWidget>("PageControl2")->setCurrentIndex(2);
        QVERIFY(d.control<QPushButton>("BitBtn4")->isDefault());
        d.pagina("TabSheet1");
        QVERIFY(d.control<QPushButton>("BitBtn1")->isDefault());
        d.ok();
        QCOMPARE(d.stored(Catalogue::Feriali[0]), s("08.00.00-18.30.00-0050-0750-0400-0267"));
        QCOMPARE(d.stored(Catalogue::Feriali[1]), s("18.30.01-23.59.59-4000-1500-0800-0500"));
    }

    void holidayChosenInTheCalendarIsStoredOnItsRow()
    {
        Dialogo d;
        d.p.at(QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
        d.apri();
        d.pagina("TabSheet6");
        auto* grid = d.control<QTableWidget>("StringGrid1");
        grid->setCurrentCell(3, 0);
        QCOMPARE(d.control<QLineEdit>("DateEdit1")->text(), s("01/05/2026"));
        QCOMPARE(d.control<QLineEdit>("Edit2")->text(), s("01/05"));
        d.pickers.nextDate = QDate(2026, 12, 25);
        d.control<QToolButton>("DateEdit1Button")->click();
        QCOMPARE(d.pickers.dates, QList<QDate>{QDate(2026, 5, 1)});
        QCOMPARE(d.control<QLineEdit>("DateEdit1")->text(), s("25/12/2026"));
        QCOMPARE(d.control<QLineEdit>("Edit2")->text(), s("25/12"));
        d.control<QPushButton>("BitBtn3")->click();
        QCOMPARE(grid->item(3, 0)->text(), s("25/12"));
        d.ok();
        QCOMPARE(d.stored(Catalogue::Festivita[3]), s("25/12"));
    }

    // "OK" on a field it cannot take writes nothing and keeps the dialog
    // open on that field's page, with the keyboard on the field.
    void okRefusesABadFieldAndKeepsTheKeyboardOnIt()
    {
        const struct
        {
            const char* campo;
            const char* testo;
            const char* pagina;
            const char* messaggio;
        } casi[] = {
            {"Edit11", "dodici", "TabSheet1", "'dodici' is not a valid integer value"},
            {"Edit14", "x", "TabSheet1", "'x' is not a valid integer value"},
            {"DateEdit2", "31/02/2026", "TabSheet8", "'31/02/2026' non è una data valida."},
        };
        for (const auto& c : casi) {
            Dialogo d;
            d.apri();
            d.control<QLineEdit>("Edit1")->setText(s("200"));
            if (auto* data = d.control<TypedField>(c.campo))
                data->setTyped(s(c.testo));
            else
                d.control<QLineEdit>(c.campo)->setText(s(c.testo));
            d.pagina("TabSheet10");
            const QList<SettingsStore::Entry> prima = d.p.store.allValues();
            d.p.prompter.expectContaining(s(c.messaggio));
            d.control<QPushButton>("BitBtn1")->click();
            QVERIFY2(d.p.prompter.pending().isEmpty(), c.campo);
            QCOMPARE(d.p.store.allValues(), prima);
            QVERIFY(d.w->isVisible());
            QCOMPARE(d.control<QTabWidget>("PageControl1")->currentWidget()->objectName(), s(c.pagina));
            QCOMPARE(d.w->focusWidget(), d.control<QWidget>(c.campo));
        }
    }

    // A time or a date typed the way its field shows it, or as digits alone, is that time or date.
    void typedTimesAndDatesAreTakenAsTyped()
    {
        Dialogo d;
        d.apri();
        d.pagina("TabSheet2");
        auto* dalle = d.control<TypedField>("DTp5");
        auto* alle = d.control<TypedField>("DTp6");
        dalle->setTyped(QString());
        QTest::keyClicks(dalle, s("09.15.30"));
        alle->setTyped(QString());
        QTest::keyClicks(alle, s("183000"));
        d.control<QPushButton>("BitBtn6")->click();
        auto* grid = d.control<QTableWidget>("StringGrid2");
        QCOMPARE(grid->item(0, 0)->text(), s("09.15.30"));
        QCOMPARE(grid->item(0, 1)->text(), s("18.30.00"));

        // A time that does not exist can be typed but is refused, and stays for the user to mend.
        alle->setTyped(QString());
        QTest::keyClicks(alle, s("25.00.00x"));
        QCOMPARE(alle->typed(), s("25.00.00"));
        d.p.prompter.expectContaining(s("'25.00.00' non è un orario valido."));
        d.control<QPushButton>("BitBtn6")->click();
        QCOMPARE(grid->item(0, 1)->text(), s("18.30.00"));
        QCOMPARE(alle->typed(), s("25.00.00"));
        QCOMPARE(d.w->focusWidget(), alle);

        auto* data = d.control<TypedField>("DateEdit2");
        data->setTyped(QString());
        QTest::keyClicks(data, s("15/03/2026"));
        QTest::keyClick(d.w, Qt::Key_Escape);
        QCOMPARE(d.stored(Catalogue::LimitiDateEdit2), s("15/03/2026"));
    }

    // Every caption and every page fits at the desktop's font; the dialog
    // keeps at least its designed size and its proportions.
    void nothingIsClipped()
    {
        Dialogo d;
        TfrmSetup& w = d.apri();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QVERIFY(w.width() >= 537 && w.height() >= 257);
        QVERIFY(std::abs(w.width() * 257.0 / w.height() - 537.0) < 4.0);
        auto* pages = d.control<QTabWidget>("PageControl1");
        QVERIFY(pages->tabBar()->tabRect(6).right() <= pages->tabBar()->width());
        for (int page = 0; page < pages->count(); ++page) {
            if (pages->widget(page)->objectName() == QLatin1String("TabSheet9"))
                d.p.prompter.expectContaining(s("attenzione"));
            pages->setCurrentIndex(page);
            QApplication::processEvents();
            for (const QLabel* label : pages->currentWidget()->findChildren<QLabel*>()) {
                if (label->isVisible())
                    QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
            }
            for (const QAbstractButton* button : pages->currentWidget()->findChildren<QAbstractButton*>()) {
                if (button->isVisible() && !button->text().isEmpty())
                    QVERIFY2(button->width() >= button->minimumSizeHint().width(), qPrintable(button->text()));
            }
        }
        for (const char* name : {"StringGrid2", "StringGrid3", "StringGrid4"}) {
            auto* grid = d.control<QTableWidget>(name);
            QVERIFY(grid->horizontalHeader()->length() <= grid->viewport()->width());
        }
    }

    // BRENVOLO_SCREENSHOT_DIR=DIR saves each page there; under a window
    // manager the pictures take the frame and the caption too.
    void screenshots()
    {
        const QString cartella = qEnvironmentVariable("BRENVOLO_SCREENSHOT_DIR");
        if (cartella.isEmpty())
            QSKIP("BRENVOLO_SCREENSHOT_DIR not set");
        Dialogo d;
        d.p.dialUp.entries = {{s("casa"), s("")}, {s("ufficio"), s("")}};
        d.p.dialUp.params.insert(s("casa"), {s("mario.rossi"), s("segreta"), true});
        d.p.configured(s("limiti"), s("RxSpinEdit3_value"), s("120"));
        d.p.configured(s("limiti"), s("CheckBox6_Checked"), s("True"));
        d.p.configured(s("limiti"), s("CheckBox14_Checked"), s("True"));
        d.p.configured(s("limiti"), s("CurrencyEdit1_value"), s("1500"));
        d.p.configured(s("limiti"), s("ComboBox3_Text"), s("casa"));
        d.p.configured(s("limiti"), s("ComboBox2_Text"), s("Tut"));
        d.p.configured(s("esegui"), s("browser"), s("/usr/bin/firefox"));
        TfrmSetup& w = d.apri();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* pages = d.control<QTabWidget>("PageControl1");
        const auto salva = [&](const QString& nome) {
            QTest::qWait(300);
            const QRect cornice = w.frameGeometry();
            QPixmap foto = w.screen()->grabWindow(0, cornice.x(), cornice.y(), cornice.width(), cornice.height());
            if (foto.isNull() || foto.size() != cornice.size())
                foto = w.grab();
            QVERIFY(foto.save(cartella + QLatin1Char('/') + nome));
        };
        d.p.prompter.expectContaining(s("attenzione"));
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            const QString nome = pages->currentWidget()->objectName();
            salva(QStringLiteral("TfrmSetup-%1.png").arg(nome));
            if (nome == QLatin1String("TabSheet2")) {
                for (int sub = 1; sub < 3; ++sub) {
                    d.control<QTabWidget>("PageControl2")->setCurrentIndex(sub);
                    salva(QStringLiteral("TfrmSetup-%1-%2.png").arg(nome).arg(sub + 1));
                }
            }
        }
    }
};

BRENVOLO_UI_TEST(TestTfrmSetup)
#include "TestTfrmSetup.moc"
