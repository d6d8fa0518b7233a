#include "setup/Preferenze.h"
#include "settings/StatoProgramma.h"
#include "tests/setup/RecordingSettingsBackend.h"
#include "tests/support/ConversionFailure.h"
#include "tests/support/FakeDialUpSource.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

// The main window 300 x 80 and the compact strip 400 x 30 on a 1024 x 768 screen.
const Preferenze::Geometria geometria{QSize(1024, 768), QSize(300, 80), QSize(400, 30)};

// A program that has run once, the store holding its factory values, and the
// dialog opened over it from the main window (or the compact strip).
struct Dialogo
{
    RecordingSettingsBackend backend;
    SettingsStore store{backend};
    StatoProgramma stato;
    FakeDialUpSource dialUp;
    std::unique_ptr<Preferenze> preferenze;

    Dialogo() { store.writeFirstRunDefaults(300); }

    void metti(const Setting& setting, const char* text) { store.write(setting, s(text)); }

    Preferenze& apri(bool daBarra = false)
    {
        stato.fromStore(store);
        stato.SetupDaBarra = daBarra;
        preferenze = std::make_unique<Preferenze>(store, stato, dialUp, geometria, QDate(2026, 12, 8),
                                                  [] { return QStringList(); });
        return *preferenze;
    }
    Preferenze::Caricamento carica(bool daBarra = false)
    {
        Preferenze& p = apri(daBarra);
        backend.forget();
        return p.carica();
    }
    QList<SettingsStore::Entry> valori() const { return store.allValues(); }
};

QStringList names(const QStringList& writes)
{
    QStringList result;
    for (const QString& w : writes)
        result.append(w.section(QLatin1Char('='), 0, 0));
    return result;
}

} // namespace

TEST(Preferenze, LoadReadsInItsOrder)
{
    Dialogo d;
    d.carica();
    EXPECT_EQ(
        d.backend.reads,
        QStringList({s("suono/beep"), s("suono/inizio"), s("importo/costo"), s("frazione/scatto"), s("ritardo/secondi"),
                     s("tariffa/flag5"), s("tariffa/flag6"), s("esegui/browser"), s("esegui/mail"), s("esegui/altro"),
                     s("visualizza/tipo"), s("visualizza/backup"), s("PosizioneFine/posX"), s("PosizioneFine/posY"),
                     s("Posizione/posX"), s("Posizione/posY"), s("Posizione/posCostiX"), s("Posizione/posCostiY")}));
    EXPECT_TRUE(d.backend.writes.isEmpty());
}

TEST(Preferenze, LoadShowsTheFactoryValues)
{
    Dialogo d;
    const Preferenze::Caricamento caricamento = d.carica();
    EXPECT_TRUE(caricamento.avvisi.isEmpty());
    EXPECT_TRUE(caricamento.errori.isEmpty());
    const Preferenze::Generale& g = d.preferenze->generale();
    EXPECT_EQ(g.Edit1, s("152"));
    EXPECT_EQ(g.Edit11, s("12"));
    EXPECT_EQ(g.RxSpinEdit2, 5);
    EXPECT_EQ(g.RadioGroup1, 0);
    EXPECT_EQ(g.RadioGroup2, 0);
    EXPECT_EQ(g.RadioGroup3, 0);
    EXPECT_TRUE(g.CheckBox1);
    EXPECT_FALSE(g.CheckBox2);
    EXPECT_TRUE(g.CheckBox3);
    EXPECT_EQ(g.posizioni, (std::array<QString, 6>{s("0"), s("0"), s("0"), s("0"), s("300"), s("0")}));
    EXPECT_EQ(g.programmi, (std::array<QString, 3>{s("NESSUNO"), s("NESSUNO"), s("NESSUNO")}));
    EXPECT_EQ(d.preferenze->fasce(EditorFasce::Giorno::Feriali).dalle(), QTime(8, 0, 0));
}

TEST(Preferenze, RadioGroupsAndTheWarningSpinFollowTheirRules)
{
    const struct
    {
        const Setting& setting;
        const char* stored;
        int Preferenze::Generale::*campo;
        int mostrato;
        const char* salvato;
    } casi[] = {
        {Catalogue::TariffaFlag5, "4", &Preferenze::Generale::RadioGroup1, 3, "4"},
        {Catalogue::TariffaFlag5, "9", &Preferenze::Generale::RadioGroup1, 3, "4"},
        {Catalogue::TariffaFlag5, "0", &Preferenze::Generale::RadioGroup1, -1, "0"},
        {Catalogue::TariffaFlag5, "0x3", &Preferenze::Generale::RadioGroup1, 2, "3"},
        {Catalogue::TariffaFlag5, "tre", &Preferenze::Generale::RadioGroup1, 0, "1"},
        {Catalogue::TariffaFlag6, "2", &Preferenze::Generale::RadioGroup2, 1, "2"},
        {Catalogue::TariffaFlag6, "5", &Preferenze::Generale::RadioGroup2, 1, "2"},
        {Catalogue::VisualizzaTipo, "3", &Preferenze::Generale::RadioGroup3, 3, "3"},
        {Catalogue::VisualizzaTipo, "7", &Preferenze::Generale::RadioGroup3, 3, "3"},
        {Catalogue::VisualizzaTipo, "-2", &Preferenze::Generale::RadioGroup3, -1, "-1"},
        {Catalogue::SuonoInizio, "30", &Preferenze::Generale::RxSpinEdit2, 18, "18"},
        {Catalogue::SuonoInizio, "0", &Preferenze::Generale::RxSpinEdit2, 1, "1"},
        {Catalogue::SuonoInizio, "12", &Preferenze::Generale::RxSpinEdit2, 12, "12"},
    };
    for (const auto& c : casi) {
        Dialogo d;
        d.metti(c.setting, c.stored);
        d.carica();
        EXPECT_EQ(d.preferenze->generale().*c.campo, c.mostrato) << c.setting.value << "=" << c.stored;
        d.preferenze->salva();
        EXPECT_EQ(d.store.read(c.setting), s(c.salvato)) << c.setting.value << "=" << c.stored;
    }
}

TEST(Preferenze, LoadSetsTheRunningUnitPrice)
{
    Dialogo d;
    d.apri();
    d.stato.CostoScatto = s("76");
    d.metti(Catalogue::ImportoCosto, "200");
    d.preferenze->carica();
    EXPECT_EQ(d.stato.CostoScatto, s("200"));
    EXPECT_EQ(d.preferenze->generale().Edit1, s("200"));

    // A price the meter could not count with is shown, to be mended, but never counted with.
    d.metti(Catalogue::ImportoCosto, "12 lire");
    d.preferenze->carica();
    EXPECT_EQ(d.stato.CostoScatto, s("200"));
    EXPECT_EQ(d.preferenze->generale().Edit1, s("12 lire"));
}

TEST(Preferenze, SaveWritesInItsOrderUnderTheCatalogueNames)
{
    Dialogo d;
    d.carica();
    d.backend.forget();
    d.preferenze->connessione().entra();
    d.preferenze->salva();
    EXPECT_EQ(names(d.backend.writes),
              QStringList({s("importo/costo"),       s("ritardo/secondi"),        s("suono/beep"),
                           s("suono/inizio"),        s("frazione/scatto"),        s("tariffa/flag5"),
                           s("tariffa/flag6"),       s("visualizza/tipo"),        s("visualizza/backup"),
                           s("Posizione/posX"),      s("Posizione/posY"),         s("Posizione/posCostiX"),
                           s("Posizione/posCostiY"), s("connessione/automatico"), s("connessione/provider"),
                           s("connessione/utente"),  s("connessione/password"),   s("esegui/browser"),
                           s("esegui/mail"),         s("esegui/altro"),           s("festivita/FEST1"),
                           s("festivita/FEST2"),     s("festivita/FEST3"),        s("festivita/FEST4"),
                           s("festivita/FEST5"),     s("festivita/FEST6"),        s("festivita/FEST7"),
                           s("festivita/FEST8"),     s("festivita/FEST9"),        s("feriali/fascia1"),
                           s("feriali/fascia2"),     s("feriali/fascia3"),        s("sabato/fascia1"),
                           s("sabato/fascia2"),      s("sabato/fascia3"),         s("festivi/fascia1"),
                           s("festivi/fascia2")}));
}

TEST(Preferenze, OkWithNothingChangedRewritesWhatWasLoadedAndTheStartUpBands)
{
    Dialogo d;
    d.metti(Catalogue::TariffaFlag5, "3");
    d.metti(Catalogue::PosizionePosX, "120");
    d.metti(Catalogue::EseguiMail, "/usr/bin/mutt");
    d.metti(Catalogue::ConnessioneAutomatico, "ON");
    d.metti(Catalogue::ConnessioneProvider, "casa");
    d.apri();
    // Saved since the program started: the dialog shows and saves the bands of the start.
    d.metti(Catalogue::Feriali[0], "09.00.00-18.30.00-2200-0750-0400-0267");
    d.metti(Catalogue::Festivita[0], "02/01");
    const QList<SettingsStore::Entry> prima = d.valori();
    d.preferenze->carica();
    d.preferenze->salva();
    QList<SettingsStore::Entry> attesi = prima;
    for (SettingsStore::Entry& e : attesi) {
        if (e.section == QLatin1String("feriali") && e.value == QLatin1String("fascia1"))
            e.text = s("08.00.00-18.30.00-2200-0750-0400-0267");
        if (e.value == QLatin1String("FEST1"))
            e.text = s("01/01");
    }
    EXPECT_EQ(d.valori(), attesi);
}

TEST(Preferenze, EachOpenerSavesItsOwnPositionsOnly)
{
    Dialogo principale;
    principale.carica(false);
    principale.preferenze->generale().posizioni = {s("1"), s("2"), s("3"), s("4"), s("5"), s("6")};
    principale.preferenze->salva();
    EXPECT_EQ(principale.store.read(Catalogue::PosizioneFinePosX), s("0"));
    EXPECT_EQ(principale.store.read(Catalogue::PosizioneFinePosY), s("0"));
    EXPECT_EQ(principale.store.read(Catalogue::PosizionePosX), s("3"));
    EXPECT_EQ(principale.store.read(Catalogue::PosizionePosY), s("4"));
    EXPECT_EQ(principale.store.read(Catalogue::PosizionePosCostiX), s("5"));
    EXPECT_EQ(principale.store.read(Catalogue::PosizionePosCostiY), s("6"));

    Dialogo barra;
    barra.carica(true);
    barra.preferenze->generale().posizioni = {s("1"), s("2"), s("3"), s("4"), s("5"), s("6")};
    barra.preferenze->salva();
    EXPECT_EQ(barra.store.read(Catalogue::PosizioneFinePosX), s("1"));
    EXPECT_EQ(barra.store.read(Catalogue::PosizioneFinePosY), s("2"));
    EXPECT_EQ(barra.store.read(Catalogue::PosizionePosX), s("0"));
    EXPECT_EQ(barra.store.read(Catalogue::PosizionePosCostiX), s("300"));
    EXPECT_TRUE(barra.preferenze->modificabile(Preferenze::Edit9));
    EXPECT_FALSE(barra.preferenze->modificabile(Preferenze::Edit14));
}

TEST(Preferenze, StoredPositionOffTheScreenIsToldOnceWhileLoading)
{
    Dialogo d;
    d.metti(Catalogue::PosizionePosX, "5000");
    d.metti(Catalogue::PosizioneFinePosX, "5000");
    d.metti(Catalogue::PosizionePosCostiX, "5000");
    const Preferenze::Caricamento caricamento = d.carica(false);
    ASSERT_EQ(caricamento.avvisi.size(), 1);
    EXPECT_EQ(caricamento.avvisi.at(0).text, s("La finestra esce dallo schermo!"));
    EXPECT_EQ(caricamento.avvisi.at(0).title, s("Attenzione!"));
    EXPECT_EQ(caricamento.avvisi.at(0).icon, Message::Icon::Critical);
    const auto& posizioni = d.preferenze->generale().posizioni;
    EXPECT_EQ(posizioni[Preferenze::Edit12], s("724"));  // 1024 - 300
    EXPECT_EQ(posizioni[Preferenze::Edit9], s("5000"));  // not checked in this opening
    EXPECT_EQ(posizioni[Preferenze::Edit14], s("5000")); // the cost window is never checked

    Dialogo barra;
    barra.metti(Catalogue::PosizioneFinePosX, "5000");
    barra.metti(Catalogue::PosizioneFinePosY, "900");
    EXPECT_EQ(barra.carica(true).avvisi.size(), 2);
    EXPECT_EQ(barra.preferenze->generale().posizioni[Preferenze::Edit9], s("624"));
    EXPECT_EQ(barra.preferenze->generale().posizioni[Preferenze::Edit10], s("738"));
}

TEST(Preferenze, ScreenCheckOfATypedPosition)
{
    Dialogo d;
    d.carica(false);
    const Preferenze& p = *d.preferenze;
    EXPECT_FALSE(p.controllaPosizione(Preferenze::Edit12, s("724")).avviso); // the edge itself passes
    EXPECT_FALSE(p.controllaPosizione(Preferenze::Edit12, s("-50")).avviso);
    const Preferenze::Controllo oltre = p.controllaPosizione(Preferenze::Edit13, s("700"));
    ASSERT_TRUE(oltre.avviso);
    EXPECT_EQ(oltre.correzione, s("688")); // 768 - 80
    EXPECT_FALSE(p.controllaPosizione(Preferenze::Edit9, s("9999")).avviso);
    EXPECT_EQ(conversionFailure([&] { p.controllaPosizione(Preferenze::Edit12, s("")); }),
              s("'' is not a valid integer value"));
    EXPECT_EQ(conversionFailure([&] { p.controllaPosizione(Preferenze::Edit13, s("-")); }),
              s("'-' is not a valid integer value"));
    // A field not checked in this opening takes any text until the save.
    EXPECT_EQ(conversionFailure([&] { p.controllaPosizione(Preferenze::Edit10, s("x")); }), s("(no error)"));
}

TEST(Preferenze, SaveWritesNothingWhenAFieldIsRefused)
{
    const QString data = s("'31/02/2026' non è una data valida.\rScrivere giorno, mese e anno come 15/03/2026, "
                           "oppure le sole cifre: 15032026.");
    const struct
    {
        const char* nome;
        std::function<void(Preferenze&)> scrivi;
        const char* campo; // nullptr: nothing refused
        QString messaggio;
    } casi[] = {
        {"delay", [](Preferenze& p) { p.generale().Edit11 = s("dodici"); }, "Edit11",
         s("'dodici' is not a valid integer value")},
        // A disabled field is converted too.
        {"disabled position", [](Preferenze& p) { p.generale().posizioni[Preferenze::Edit10] = s(""); }, "Edit10",
         s("'' is not a valid integer value")},
        {"cost window position", [](Preferenze& p) { p.generale().posizioni[Preferenze::Edit15] = s("1e3"); }, "Edit15",
         s("'1e3' is not a valid integer value")},
        {"subscription date", [](Preferenze& p) { p.limiti().DateEdit2 = s("31/02/2026"); }, "DateEdit2", data},
        {"the first in the save's order",
         [](Preferenze& p) {
             p.limiti().DateEdit2 = s("x");
             p.generale().posizioni[Preferenze::Edit12] = s("-");
         },
         "Edit12", s("'-' is not a valid integer value")},
        {"a date typed as digits", [](Preferenze& p) { p.limiti().DateEdit2 = s("15032026"); }, nullptr, {}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        Dialogo d;
        d.carica();
        d.preferenze->generale().Edit1 = s("200");
        c.scrivi(*d.preferenze);
        const QList<SettingsStore::Entry> prima = d.valori();
        d.backend.forget();
        const std::optional<Preferenze::Rifiuto> rifiuto = d.preferenze->salva();
        if (!c.campo) {
            EXPECT_FALSE(rifiuto);
            EXPECT_EQ(d.store.read(Catalogue::ImportoCosto), s("200"));
            continue;
        }
        ASSERT_TRUE(rifiuto);
        EXPECT_EQ(rifiuto->campo, QLatin1String(c.campo));
        EXPECT_EQ(rifiuto->messaggio.text, c.messaggio);
        EXPECT_EQ(rifiuto->messaggio.icon, Message::Icon::Critical);
        EXPECT_TRUE(d.backend.writes.isEmpty());
        EXPECT_EQ(d.valori(), prima);
    }
}

TEST(Preferenze, ConnectionValuesAreWrittenOnlyOnceThePageWasLoaded)
{
    Dialogo d;
    d.metti(Catalogue::ConnessioneAutomatico, "ON");
    d.metti(Catalogue::ConnessioneProvider, "casa");
    d.metti(Catalogue::ConnessioneUtente, "mario");
    d.metti(Catalogue::ConnessionePassword, "segreta");
    d.carica();
    d.backend.forget();
    d.preferenze->salva();
    EXPECT_FALSE(names(d.backend.writes).contains(s("connessione/automatico")));
    EXPECT_EQ(d.store.read(Catalogue::ConnessionePassword), s("segreta"));

    d.preferenze->connessione().entra();
    d.preferenze->connessione().spunta(false);
    d.preferenze->salva();
    EXPECT_EQ(d.store.read(Catalogue::ConnessioneAutomatico), s("OFF"));
    EXPECT_EQ(d.store.read(Catalogue::ConnessionePassword), QString());
}

TEST(Preferenze, EmptyProgramFieldsAreSavedAsNone)
{
    Dialogo d;
    d.carica();
    d.preferenze->generale().programmi = {s(""), s("/usr/bin/thunderbird"), s("")};
    d.preferenze->salva();
    EXPECT_EQ(d.store.read(Catalogue::EseguiBrowser), s("NESSUNO"));
    EXPECT_EQ(d.store.read(Catalogue::EseguiMail), s("/usr/bin/thunderbird"));
    EXPECT_EQ(d.preferenze->generale().programmi[2], s("NESSUNO"));
}

TEST(Preferenze, EditedBandsAndHolidaysAreSaved)
{
    Dialogo d;
    d.carica();
    EditorFasce& sabato = d.preferenze->fasce(EditorFasce::Giorno::Sabato);
    sabato.clic(3, 2);
    sabato.setIntervallo(s("50"));
    ASSERT_FALSE(sabato.conferma());
    EditorFestivita& festivita = d.preferenze->festivita();
    festivita.clic(3);
    festivita.dataScelta(QDate(2026, 12, 25));
    festivita.conferma();
    d.preferenze->salva();
    EXPECT_EQ(d.store.read(Catalogue::Sabato[1]), s("13.00.01-23.59.59-0050-1500-0800-0500"));
    EXPECT_EQ(d.store.read(Catalogue::Festivita[3]), s("25/12"));
}

TEST(Preferenze, UnreadableBandsAreToldAndTheOtherGridsStillFilled)
{
    Dialogo d;
    d.apri();
    d.stato.feriali[1] = s("000"); // not row 1: the pickers read row 1 only
    d.stato.festivi[0] = s("000");
    d.stato.sabato.clear();
    d.preferenze = std::make_unique<Preferenze>(d.store, d.stato, d.dialUp, geometria, QDate(2026, 12, 8),
                                                [] { return QStringList(); });
    const Preferenze::Caricamento caricamento = d.preferenze->carica();
    EXPECT_EQ(caricamento.errori, QStringList({s("'000' is not a valid time"), s("'' is not a valid time")}));
    EXPECT_EQ(d.preferenze->fasce(EditorFasce::Giorno::Feriali).cella(1, 3), s("00.00.00"));
    d.preferenze->salva();
    EXPECT_EQ(d.store.read(Catalogue::Festivi[0]), s("000"));
    EXPECT_EQ(d.store.read(Catalogue::Feriali[1]), s("000"));
}

TEST(Preferenze, DefaultWritesTheFactoryValuesInItsOrder)
{
    Dialogo d;
    d.metti(Catalogue::LimitiRxSpinEdit3, "60");
    d.metti(Catalogue::ImportoCosto, "300");
    d.carica(true);
    d.preferenze->ripristinaDefault();
    QStringList attesi;
    for (const char* v : {"importo/costo=152",
                          "suono/beep=ON",
                          "suono/inizio=5",
                          "frazione/scatto=0",
                          "ritardo/secondi=12",
                          "tariffa/flag5=1",
                          "tariffa/flag6=1",
                          "internet/ridTut=50",
                          "internet/ridTutDopo=1",
                          "internet/ridTel=50",
                          "internet/ridTelDopo=120",
                          "ritardo/flagAuto=OFF",
                          "InizioConteggio/DataInizio=01/11/1997",
                          "visualizza/barra=OFF",
                          "visualizza/icona=OFF",
                          "visualizza/tipo=0",
                          "VediCosti/attivo=ON",
                          "Posizione/posX=0",
                          "Posizione/posY=0",
                          "Posizione/posCostiX=300",
                          "Posizione/posCostiY=0",
                          "PosizioneFine/posX=0",
                          "PosizioneFine/posY=0",
                          "visualizza/backup=ON",
                          "NonModificare/deviceInterno=0",
                          "connessione/automatico=OFF",
                          "connessione/provider=NESSUNO",
                          "connessione/utente=NESSUNO",
                          "connessione/password=VACANTE",
                          "esegui/browser=NESSUNO",
                          "esegui/mail=NESSUNO",
                          "esegui/altro=NESSUNO",
                          "festivita/FEST1=01/01",
                          "festivita/FEST2=06/01",
                          "festivita/FEST3=25/04",
                          "festivita/FEST4=01/05",
                          "festivita/FEST5=15/08",
                          "festivita/FEST6=01/11",
                          "festivita/FEST7=08/12",
                          "festivita/FEST8=25/12",
                          "festivita/FEST9=26/12",
                          "feriali/fascia1=08.00.00-18.30.00-2200-0750-0400-0267",
                          "feriali/fascia2=18.30.01-23.59.59-4000-1500-0800-0500",
                          "feriali/fascia3=00.00.00-07.59.59-4000-1500-0800-0500",
                          "sabato/fascia1=08.00.00-13.00.00-2200-0750-0400-0267",
                          "sabato/fascia2=13.00.01-23.59.59-4000-1500-0800-0500",
                          "sabato/fascia3=00.00.00-07.59.59-4000-1500-0800-0500",
                          "festivi/fascia1=08.00.00-23.59.59-4000-1500-0800-0500",
                          "festivi/fascia2=00.00.00-07.59.59-4000-1500-0800-0500"})
        attesi.append(s(v));
    EXPECT_EQ(d.backend.writes, attesi);
    EXPECT_EQ(d.store.read(Catalogue::LimitiRxSpinEdit3), s("60"));
}

TEST(Preferenze, TextsOfTheDialog)
{
    EXPECT_EQ(Preferenze::domandaRiavvio(), s("Le nuove impostazioni saranno effettive solo alla prossima "
                                              "esecuzione.\r          Chiudere il programma e riavviare manualmente?"));
    EXPECT_EQ(Preferenze::avvisoAvvioAutomatico().count(QLatin1Char('\r')), 3);
    EXPECT_EQ(Preferenze::distanze(), QStringList({s("Tut"), s("< 15"), s("15 - 30"), s("> 30")}));
}
