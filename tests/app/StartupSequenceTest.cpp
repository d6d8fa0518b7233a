#include "app/StartupSequence.h"
#include "tests/support/FakeServizi.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

const QDate lunedi(1999, 12, 6);

Message avviso(const char* testo)
{
    return {QString::fromUtf8(testo), QStringLiteral("Attenzione!"), Message::Icon::Warning};
}

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

    // A program that has run before, with these settings (section, value, text).
    void configurato(std::initializer_list<std::array<const char*, 3>> impostazioni)
    {
        for (const auto& [sezione, valore, testo] : impostazioni)
            configured(QString::fromLatin1(sezione), QString::fromLatin1(valore), QString::fromLatin1(testo));
    }
};

// What the window is told to show, the caption aside (it follows the
// system's locale and has a test of its own) and the position reduced to
// whether the window moves.
struct Mostra
{
    bool muove;
    std::optional<bool> vediCosti;
    bool bloccato;
    int classe;
};

struct Caso
{
    const char* nome;
    std::vector<std::array<const char*, 3>> impostazioni; // none: the first run
    bool tray;
    bool archivio;
    QList<Message> detti;
    Mostra mostra;
    Visualizzazione modo;
};

void PrintTo(const Caso& c, std::ostream* os)
{
    *os << c.nome;
}

class StartupSequenceCase : public ::testing::TestWithParam<Caso>
{
};

TEST_P(StartupSequenceCase, TellsAndDecides)
{
    const Caso& c = GetParam();
    Avvio a;
    a.at(QDateTime(lunedi, QTime(9, 0)));
    for (const auto& [sezione, valore, testo] : c.impostazioni)
        a.configurato({{sezione, valore, testo}});
    if (!c.archivio)
        QFile::remove(a.archive());
    a.trayAvailable = c.tray;
    const StartupSequence::Finestra f = a.sequenza.prepara(220);
    EXPECT_EQ(a.detti, c.detti);
    EXPECT_EQ(f.caption, StartupSequence::caption(lunedi, QLocale::system()));
    EXPECT_EQ(f.posizione.has_value(), c.mostra.muove);
    EXPECT_EQ(f.vediCosti, c.mostra.vediCosti);
    EXPECT_EQ(f.vediCostiBloccato, c.mostra.bloccato);
    EXPECT_EQ(f.classe, c.mostra.classe);
    EXPECT_FALSE(f.festivo);
    EXPECT_EQ(a.stato.ModoVisualizzazione, c.modo);
    EXPECT_TRUE(QFile::exists(a.archive()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartupSequenceCase,
    ::testing::Values(
        Caso{"firstRun",
             {},
             true,
             false,
             {avviso("Inizializzazione alla prima esecuzione"),
              {QStringLiteral("Grazie per aver scelto Brenvolo"), QStringLiteral("Informazione!"),
               Message::Icon::Information},
              avviso("Creazione archivio chiamate")},
             {true, true, false, 1},
             Visualizzazione::Normale},
        Caso{"laterRun", {{"tariffa", "flag5", "3"}}, true, true, {}, {true, true, false, 3}, Visualizzazione::Normale},
        Caso{"compact",
             {{"visualizza", "tipo", "2"}},
             true,
             true,
             {},
             {false, std::nullopt, false, 1},
             Visualizzazione::Barra},
        Caso{"minimisedForcesCosts",
             {{"visualizza", "tipo", "3"}, {"VediCosti", "attivo", "OFF"}},
             true,
             true,
             {},
             {true, true, true, 1},
             Visualizzazione::Ridotto},
        Caso{"trayWithoutATray",
             {{"visualizza", "tipo", "1"}},
             false,
             true,
             {{QStringLiteral("Il desktop non ha un'area di notifica in cui mostrare l'icona di Brenvolo.\r"
                              "Brenvolo si avvia ridotto a icona: i costi restano nella finestra principale."),
               QStringLiteral("Informazione!"), Message::Icon::Information}},
             {true, true, true, 1},
             Visualizzazione::Ridotto},
        Caso{"missingArchive",
             {{"tariffa", "flag5", "1"}},
             true,
             false,
             {avviso("Creazione archivio chiamate")},
             {true, true, false, 1},
             Visualizzazione::Normale}),
    [](const ::testing::TestParamInfo<Caso>& info) { return std::string(info.param.nome); });

// Today is a holiday when it is one of the nine fixed ones, exactly as
// "dd/mm", or Easter Sunday or Monday.
TEST(StartupSequence, FindsTodaysHoliday)
{
    const struct
    {
        QDate oggi;
        const char* fest4;
        bool festivo;
    } casi[] = {{QDate(1999, 12, 25), "01/05", true},
                {QDate(1999, 12, 26), "01/05", true},
                {QDate(1999, 4, 4), "01/05", true},
                {QDate(2024, 4, 1), "01/05", true},
                {lunedi, "01/05", false},
                {QDate(2000, 5, 1), "1/5", false}};
    for (const auto& c : casi) {
        Avvio a;
        a.at(QDateTime(c.oggi, QTime(9, 0)));
        a.configurato({{"festivita", "FEST4", c.fest4}});
        EXPECT_EQ(a.sequenza.prepara(220).festivo, c.festivo) << c.oggi.toString().toStdString();
        EXPECT_EQ(a.stato.FestivoForzato, c.festivo ? 1 : 0);
    }
}

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
    a.configurato({{"limiti", "RxSpinEdit4_value", "60"}, {"limiti", "CheckBox6_Checked", "True"}});
    QFile archivio(a.archive());
    ASSERT_TRUE(archivio.open(QIODevice::Append));
    archivio.write("06/12/1999 10.00.00 collegamento Aperto  011 \r\n06/12/1999 10.55.00 collegamento Chiuso  011\r\n");
    archivio.close();
    a.sequenza.prepara(220);
    EXPECT_FALSE(a.sequenza.verificaLimiti().interrotto);
    const QString limite = QStringLiteral("Limite Giornaliero superato fra 5 minuti");
    ASSERT_EQ(a.detti.size(), 1);
    EXPECT_EQ(a.detti.at(0).text, limite);
    ASSERT_EQ(a.notifier.sent.size(), 1);
    EXPECT_EQ(a.notifier.sent.at(0).text, limite);
}

// Only the normal mode's main window dials and launches at its first show.
TEST(StartupSequence, OnlyTheNormalModeLaunchesAtTheFirstShow)
{
    const std::pair<const char*, qsizetype> casi[] = {{"0", 1}, {"1", 0}, {"2", 0}, {"3", 0}};
    for (const auto& [tipo, lanciati] : casi) {
        Avvio a;
        a.configurato({{"visualizza", "tipo", tipo},
                       {"connessione", "automatico", "ON"},
                       {"connessione", "provider", "Casa"},
                       {"esegui", "browser", "/usr/bin/browser"}});
        a.sequenza.prepara(220);
        a.sequenza.primaVisione();
        EXPECT_EQ(a.shell.opened.size(), lanciati) << tipo;
        EXPECT_EQ(a.dialUp.dialled.size(), lanciati) << tipo;
    }
}

} // namespace
