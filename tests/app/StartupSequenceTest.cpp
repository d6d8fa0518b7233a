#include "app/StartupSequence.h"
#include "tests/support/FakeServizi.h"

#include <gtest/gtest.h>

#include <QFile>
#include <functional>

namespace {

const QString attenzione = QStringLiteral("Attenzione!");
const QString informazione = QStringLiteral("Informazione!");

// One start-up on fake services: the boxes told, in order, each with
// whether the store was still a first run's empty one when it came.
struct Avvio : FakeServizi
{
    QList<Message> detti;
    QList<bool> primaEsecuzione;
    StartupSequence sequenza{servizi, stato, store, [this](const Message& m) {
                                 detti.append(m);
                                 primaEsecuzione.append(store.isFirstRun());
                             }};

    QStringList testi() const
    {
        QStringList t;
        for (const Message& m : detti)
            t.append(m.text);
        return t;
    }
};

struct Caso
{
    const char* nome;
    std::function<void(Avvio&)> prima;
    QDate oggi;
    QList<Message> detti;
    StartupSequence::Finestra finestra;
    Visualizzazione modo;
};

void PrintTo(const Caso& c, std::ostream* os)
{
    *os << c.nome;
}

void configurato(Avvio& a, const char* sezione, const char* valore, const char* testo)
{
    a.configured(QString::fromLatin1(sezione), QString::fromLatin1(valore), QString::fromUtf8(testo));
}

const QDate lunedi(1999, 12, 6);

// The caption follows the system's locale: it has a test of its own.
StartupSequence::Finestra finestra(int classe, bool festivo = false, std::optional<bool> vediCosti = true,
                                   bool bloccato = false)
{
    StartupSequence::Finestra f;
    if (vediCosti) {
        f.posizione = QPoint(0, 0);
        f.vediCosti = vediCosti;
    }
    f.vediCostiBloccato = bloccato;
    f.classe = classe;
    f.festivo = festivo;
    return f;
}

class StartupSequenceCase : public ::testing::TestWithParam<Caso>
{
};

TEST_P(StartupSequenceCase, TellsAndDecides)
{
    const Caso& c = GetParam();
    Avvio a;
    a.at(QDateTime(c.oggi, QTime(9, 0)));
    c.prima(a);
    StartupSequence::Finestra f = a.sequenza.prepara(220);
    EXPECT_EQ(f.caption, StartupSequence::caption(c.oggi, QLocale::system()));
    f.caption.clear();
    // The position read is the store's; only whether the window moves is the case's.
    if (f.posizione)
        f.posizione = QPoint(0, 0);
    EXPECT_EQ(a.detti, c.detti);
    EXPECT_EQ(f, c.finestra);
    EXPECT_EQ(a.stato.ModoVisualizzazione, c.modo);
    EXPECT_TRUE(QFile::exists(a.archive()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartupSequenceCase,
    ::testing::Values(
        Caso{"firstRun",
             [](Avvio&) {},
             lunedi,
             {{QStringLiteral("Inizializzazione alla prima esecuzione"), attenzione, Message::Icon::Warning},
              {QStringLiteral("Grazie per aver scelto Brenvolo"), informazione, Message::Icon::Information},
              {QStringLiteral("Creazione archivio chiamate"), attenzione, Message::Icon::Warning}},
             finestra(1),
             Visualizzazione::Normale},
        Caso{"laterRun",
             [](Avvio& a) { configurato(a, "tariffa", "flag5", "3"); },
             lunedi,
             {},
             finestra(3),
             Visualizzazione::Normale},
        Caso{"costsHidden",
             [](Avvio& a) { configurato(a, "VediCosti", "attivo", "OFF"); },
             lunedi,
             {},
             finestra(1, false, false),
             Visualizzazione::Normale},
        Caso{"natale",
             [](Avvio& a) { configurato(a, "tariffa", "flag5", "1"); },
             QDate(1999, 12, 25),
             {},
             finestra(1, true),
             Visualizzazione::Normale},
        Caso{"santoStefano",
             [](Avvio& a) { configurato(a, "tariffa", "flag5", "1"); },
             QDate(1999, 12, 26),
             {},
             finestra(1, true),
             Visualizzazione::Normale},
        Caso{"pasqua1999",
             [](Avvio& a) { configurato(a, "tariffa", "flag5", "1"); },
             QDate(1999, 4, 4),
             {},
             finestra(1, true),
             Visualizzazione::Normale},
        Caso{"pasquetta2024",
             [](Avvio& a) { configurato(a, "tariffa", "flag5", "1"); },
             QDate(2024, 4, 1),
             {},
             finestra(1, true),
             Visualizzazione::Normale},
        // The comparison is of the exact five characters: 1/5 is not 01/05.
        Caso{"oneFifthIsNotMayDay",
             [](Avvio& a) { configurato(a, "festivita", "FEST4", "1/5"); },
             QDate(2000, 5, 1),
             {},
             finestra(1, false),
             Visualizzazione::Normale},
        Caso{"compact",
             [](Avvio& a) { configurato(a, "visualizza", "tipo", "2"); },
             lunedi,
             {},
             finestra(1, false, std::nullopt),
             Visualizzazione::Barra},
        Caso{"minimisedForcesCosts",
             [](Avvio& a) {
                 configurato(a, "visualizza", "tipo", "3");
                 configurato(a, "VediCosti", "attivo", "OFF");
             },
             lunedi,
             {},
             finestra(1, false, true, true),
             Visualizzazione::Ridotto},
        Caso{"trayWithoutATray",
             [](Avvio& a) {
                 configurato(a, "visualizza", "tipo", "1");
                 a.trayAvailable = false;
             },
             lunedi,
             {{QStringLiteral("Il desktop non ha un'area di notifica in cui mostrare l'icona di Brenvolo.\r"
                              "Brenvolo si avvia ridotto a icona: i costi restano nella finestra principale."),
               informazione, Message::Icon::Information}},
             finestra(1, false, true, true),
             Visualizzazione::Ridotto},
        Caso{"missingArchive",
             [](Avvio& a) {
                 configurato(a, "tariffa", "flag5", "1");
                 QFile::remove(a.archive());
             },
             lunedi,
             {{QStringLiteral("Creazione archivio chiamate"), attenzione, Message::Icon::Warning}},
             finestra(1),
             Visualizzazione::Normale}),
    [](const ::testing::TestParamInfo<Caso>& info) { return std::string(info.param.nome); });

// The user is warned before the first-run defaults are written, and thanked after.
TEST(StartupSequence, FirstRunWarnsBeforeWriting)
{
    Avvio a;
    a.sequenza.prepara(220);
    EXPECT_EQ(a.primaEsecuzione, (QList<bool>{true, false, false}));
    EXPECT_EQ(a.store.readInteger(QStringLiteral("posizione"), QStringLiteral("poscostix"), -1), 220);
}

TEST(StartupSequence, CaptionIsTheWeekdayAndTheShortDate)
{
    EXPECT_EQ(StartupSequence::caption(lunedi, QLocale(QLocale::Italian, QLocale::Italy)),
              QStringLiteral("lunedì 06/12/99"));
    EXPECT_EQ(StartupSequence::caption(QDate(2000, 1, 2), QLocale(QLocale::English, QLocale::UnitedKingdom)),
              QStringLiteral("Sunday 02/01/00"));
}

// The limits' boxes are told and sent to the desktop too.
TEST(StartupSequence, LimitsAreToldAndNotified)
{
    Avvio a;
    a.configured(QStringLiteral("limiti"), QStringLiteral("RxSpinEdit4_value"), QStringLiteral("60"));
    a.configured(QStringLiteral("limiti"), QStringLiteral("CheckBox6_Checked"), QStringLiteral("True"));
    QFile archivio(a.archive());
    ASSERT_TRUE(archivio.open(QIODevice::Append));
    archivio.write("06/12/1999 10.00.00 collegamento Aperto  011 \r\n06/12/1999 10.55.00 collegamento Chiuso  011\r\n");
    archivio.close();
    a.sequenza.prepara(220);
    const LimitiResult limiti = a.sequenza.verificaLimiti();
    EXPECT_FALSE(limiti.interrotto);
    EXPECT_EQ(a.testi(), QStringList{QStringLiteral("Limite Giornaliero superato fra 5 minuti")});
    ASSERT_EQ(a.notifier.sent.size(), 1);
    EXPECT_EQ(a.notifier.sent.at(0).text, QStringLiteral("Limite Giornaliero superato fra 5 minuti"));
}

// Only the normal mode's main window dials and launches at its first show.
TEST(StartupSequence, OnlyTheNormalModeLaunchesAtTheFirstShow)
{
    const std::pair<const char*, qsizetype> casi[] = {{"0", 1}, {"1", 0}, {"2", 0}, {"3", 0}};
    for (const auto& [tipo, lanciati] : casi) {
        Avvio a;
        a.configured(QStringLiteral("visualizza"), QStringLiteral("tipo"), QString::fromLatin1(tipo));
        a.configured(QStringLiteral("connessione"), QStringLiteral("automatico"), QStringLiteral("ON"));
        a.configured(QStringLiteral("connessione"), QStringLiteral("provider"), QStringLiteral("Casa"));
        a.configured(QStringLiteral("esegui"), QStringLiteral("browser"), QStringLiteral("/usr/bin/browser"));
        a.sequenza.prepara(220);
        a.sequenza.primaVisione();
        EXPECT_EQ(a.shell.opened.size(), lanciati) << tipo;
        EXPECT_EQ(a.dialUp.dialled.size(), lanciati) << tipo;
    }
}

} // namespace
