#include "setup/EditorFasce.h"
#include "settings/StatoProgramma.h"
#include "setup/EditorFestivita.h"
#include "tests/support/ConversionFailure.h"

#include <gtest/gtest.h>

namespace {

using Giorno = EditorFasce::Giorno;

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

QTime t(const char* text)
{
    return QTime::fromString(QString::fromLatin1(text), QStringLiteral("HH:mm:ss"));
}

EditorFasce factory(Giorno giorno)
{
    const StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    const QStringList& fasce = giorno == Giorno::Feriali  ? stato.feriali
                               : giorno == Giorno::Sabato ? stato.sabato
                                                          : stato.festivi;
    EditorFasce editor(giorno, fasce);
    editor.pickersIniziali();
    return editor;
}

} // namespace

TEST(EditorFasce, SplitsAtTheFixedPositionsAndJoinsBack)
{
    const QString fascia = s("08.00.00-18.30.00-2200-0750-0400-0267");
    const QStringList celle = EditorFasce::dividi(fascia);
    EXPECT_EQ(celle, QStringList({s("08.00.00"), s("18.30.00"), s("2200"), s("0750"), s("0400"), s("0267")}));
    EXPECT_EQ(EditorFasce::unisci(celle), fascia);
    // The placeholder of a band missing from the store.
    EXPECT_EQ(EditorFasce::dividi(s("000")), QStringList({s("000"), s(""), s(""), s(""), s(""), s("")}));
}

TEST(EditorFasce, HeadersAndRowLabels)
{
    EXPECT_EQ(EditorFasce::intestazioni(Giorno::Feriali).at(5), s("> 30"));
    EXPECT_EQ(EditorFasce::intestazioni(Giorno::Sabato).at(5), s("> 30"));
    EXPECT_EQ(EditorFasce::intestazioni(Giorno::Festivi).at(5), s(">30"));
    EXPECT_EQ(EditorFasce::intestazioni(Giorno::Feriali).mid(0, 5),
              QStringList({s("dalle"), s("alle"), s("Tut"), s("< 15"), s("15 - 30")}));
    EXPECT_EQ(EditorFasce::etichette(Giorno::Sabato), QStringList({s("Ordinaria"), s("Notturna"), s("Notturna")}));
    EXPECT_EQ(EditorFasce::etichette(Giorno::Festivi), QStringList({s("Notturna"), s("Notturna")}));
}

TEST(EditorFasce, OpensOnRowOneWithItsTimesInThePickers)
{
    const EditorFasce editor = factory(Giorno::Sabato);
    EXPECT_EQ(editor.rigaCorrente(), 1);
    EXPECT_EQ(editor.colonnaCorrente(), 1);
    EXPECT_EQ(editor.dalle(), t("08:00:00"));
    EXPECT_EQ(editor.alle(), t("13:00:00"));
    EXPECT_TRUE(editor.intervalloAttivo());
    EXPECT_TRUE(editor.intervallo().isEmpty());
}

TEST(EditorFasce, ClickOnAnIntervalOrATimeCell)
{
    EditorFasce editor = factory(Giorno::Feriali);
    editor.clic(4, 2);
    EXPECT_EQ(editor.dalle(), t("18:30:01"));
    EXPECT_EQ(editor.alle(), t("23:59:59"));
    EXPECT_EQ(editor.intervallo(), s("1500"));
    EXPECT_TRUE(editor.intervalloAttivo());
    EXPECT_EQ(editor.fuoco(), EditorFasce::Fuoco::Intervallo);

    editor.clic(2, 3);
    EXPECT_EQ(editor.dalle(), t("00:00:00"));
    EXPECT_EQ(editor.alle(), t("07:59:59"));
    EXPECT_TRUE(editor.intervallo().isEmpty());
    EXPECT_FALSE(editor.intervalloAttivo());
    EXPECT_EQ(editor.fuoco(), EditorFasce::Fuoco::Alle);
    editor.clic(1, 1);
    EXPECT_EQ(editor.fuoco(), EditorFasce::Fuoco::Dalle);
}

struct ConfermaCase
{
    const char* nome;
    Giorno giorno;
    int colonna, riga;
    const char* dalle;
    const char* alle;
    const char* intervallo;
    // Expected: the row's two time cells and the interval cell, or the refusal.
    const char* cellaDalle;
    const char* cellaAlle;
    const char* cellaIntervallo;
    const char* rifiuto;
};

void PrintTo(const ConfermaCase& c, std::ostream* os)
{
    *os << c.nome;
}

class Conferma : public ::testing::TestWithParam<ConfermaCase>
{
};

TEST_P(Conferma, AdjustsChecksAndWritesTheRow)
{
    const ConfermaCase& c = GetParam();
    EditorFasce editor = factory(c.giorno);
    editor.clic(c.colonna, c.riga);
    const QStringList prima = {editor.cella(1, c.riga), editor.cella(2, c.riga), editor.cella(c.colonna, c.riga)};
    editor.setDalle(t(c.dalle));
    editor.setAlle(t(c.alle));
    if (c.intervallo)
        editor.setIntervallo(s(c.intervallo));
    const std::optional<Message> rifiuto = editor.conferma();
    if (c.rifiuto) {
        ASSERT_TRUE(rifiuto);
        EXPECT_EQ(rifiuto->text, s(c.rifiuto));
        EXPECT_EQ(rifiuto->title, s("Attenzione!"));
        EXPECT_EQ(rifiuto->icon, Message::Icon::Critical);
        EXPECT_EQ(QStringList({editor.cella(1, c.riga), editor.cella(2, c.riga), editor.cella(c.colonna, c.riga)}),
                  prima);
        return;
    }
    ASSERT_FALSE(rifiuto) << rifiuto->text.toStdString();
    EXPECT_EQ(editor.cella(1, c.riga), s(c.cellaDalle));
    EXPECT_EQ(editor.cella(2, c.riga), s(c.cellaAlle));
    if (c.cellaIntervallo) {
        EXPECT_EQ(editor.cella(c.colonna, c.riga), s(c.cellaIntervallo));
    }
    EXPECT_EQ(editor.fasce().at(c.riga - 1).size(), 37);
}

constexpr const char* ordine = "\"dalle:\" deve precedere \"alle:\"";
constexpr const char* decimi = "I decimi di secondo devono essere fra 10 e 9999";

INSTANTIATE_TEST_SUITE_P(
    Casi, Conferma,
    ::testing::Values(ConfermaCase{"feriali row 2 starts a second later", Giorno::Feriali, 1, 2, "18:30:00", "23:59:59",
                                   nullptr, "18.30.01", "23.59.59", nullptr, nullptr},
                      ConfermaCase{"feriali row 3 ends a second earlier", Giorno::Feriali, 2, 3, "00:00:00", "08:00:00",
                                   nullptr, "00.00.00", "07.59.59", nullptr, nullptr},
                      ConfermaCase{"feriali row 3 midnight end", Giorno::Feriali, 2, 3, "00:00:00", "00:00:00", nullptr,
                                   "00.00.00", "23.59.59", nullptr, nullptr},
                      ConfermaCase{"feriali row 2 midnight end", Giorno::Feriali, 1, 2, "18:30:00", "00:00:00", nullptr,
                                   "18.30.01", "23.59.59", nullptr, nullptr},
                      ConfermaCase{"sabato row 2 midnight end", Giorno::Sabato, 2, 2, "13:00:00", "00:00:00", nullptr,
                                   "13.00.01", "23.59.59", nullptr, nullptr},
                      ConfermaCase{"feriali row 1 gets no midnight", Giorno::Feriali, 1, 1, "08:00:00", "00:00:00",
                                   nullptr, nullptr, nullptr, nullptr, ordine},
                      ConfermaCase{"festivi row 1 midnight end", Giorno::Festivi, 2, 1, "08:00:00", "00:00:00", nullptr,
                                   "08.00.00", "23.59.59", nullptr, nullptr},
                      ConfermaCase{"festivi row 2 ends a second earlier", Giorno::Festivi, 1, 2, "00:00:00", "08:00:00",
                                   nullptr, "00.00.00", "07.59.59", nullptr, nullptr},
                      ConfermaCase{"festivi never moves the start", Giorno::Festivi, 1, 2, "00:00:30", "07:59:59",
                                   nullptr, "00.00.30", "07.59.59", nullptr, nullptr},
                      ConfermaCase{"equal times pass", Giorno::Feriali, 1, 1, "10:00:00", "10:00:00", nullptr,
                                   "10.00.00", "10.00.00", nullptr, nullptr},
                      ConfermaCase{"hour below ten", Giorno::Feriali, 1, 1, "07:05:09", "18:30:00", nullptr, "07.05.09",
                                   "18.30.00", nullptr, nullptr},
                      ConfermaCase{"interval 50", Giorno::Feriali, 3, 1, "08:00:00", "18:30:00", "50", "08.00.00",
                                   "18.30.00", "0050", nullptr},
                      ConfermaCase{"interval 750", Giorno::Sabato, 4, 1, "08:00:00", "13:00:00", "750", "08.00.00",
                                   "13.00.00", "0750", nullptr},
                      ConfermaCase{"interval 2200", Giorno::Festivi, 6, 1, "08:00:00", "23:59:59", "2200", "08.00.00",
                                   "23.59.59", "2200", nullptr},
                      ConfermaCase{"interval 10 is the least", Giorno::Feriali, 5, 1, "08:00:00", "18:30:00", "10",
                                   "08.00.00", "18.30.00", "0010", nullptr},
                      ConfermaCase{"interval 9999 is the most", Giorno::Feriali, 5, 1, "08:00:00", "18:30:00", "9999",
                                   "08.00.00", "18.30.00", "9999", nullptr},
                      ConfermaCase{"interval typed with a sign or zeros", Giorno::Feriali, 6, 1, "08:00:00", "18:30:00",
                                   "+00050", "08.00.00", "18.30.00", "0050", nullptr},
                      ConfermaCase{"interval 5", Giorno::Feriali, 3, 1, "08:00:00", "18:30:00", "5", nullptr, nullptr,
                                   nullptr, decimi},
                      ConfermaCase{"interval 10000", Giorno::Sabato, 3, 1, "08:00:00", "13:00:00", "10000", nullptr,
                                   nullptr, nullptr, decimi},
                      ConfermaCase{"interval emptied", Giorno::Festivi, 3, 1, "08:00:00", "23:59:59", "", nullptr,
                                   nullptr, nullptr, decimi},
                      ConfermaCase{"range before order", Giorno::Feriali, 3, 1, "20:00:00", "18:30:00", "5", nullptr,
                                   nullptr, nullptr, decimi}));

TEST(EditorFasce, ConfirmOnATimeColumnWritesBothTimesAndNoInterval)
{
    EditorFasce editor = factory(Giorno::Feriali);
    editor.clic(2, 1);
    editor.setIntervallo(s("1234"));
    editor.setDalle(t("09:00:00"));
    editor.setAlle(t("18:00:00"));
    ASSERT_FALSE(editor.conferma());
    EXPECT_EQ(editor.fasce().at(0), s("09.00.00-18.00.00-2200-0750-0400-0267"));
}

TEST(EditorFasce, RefusedIntervalKeepsTheAdjustmentsAndThePadding)
{
    EditorFasce editor = factory(Giorno::Feriali);
    editor.clic(3, 2);
    editor.setDalle(t("18:30:00"));
    editor.setAlle(t("00:00:00"));
    editor.setIntervallo(QString());
    ASSERT_TRUE(editor.conferma());
    EXPECT_EQ(editor.dalle(), t("18:30:01"));
    EXPECT_EQ(editor.alle(), t("23:59:59"));
    EXPECT_EQ(editor.intervallo(), s("0"));
    EXPECT_EQ(editor.cella(1, 2), s("18.30.01"));

    // Refused by the order check after the interval passed: the field shows its four digits.
    editor.setDalle(t("20:00:00"));
    editor.setAlle(t("19:00:00"));
    editor.setIntervallo(s("99"));
    ASSERT_TRUE(editor.conferma());
    EXPECT_EQ(editor.intervallo(), s("0099"));
    EXPECT_EQ(editor.cella(3, 2), s("4000"));
}

TEST(EditorFasce, TextsThatDoNotConvert)
{
    EditorFasce editor = factory(Giorno::Feriali);
    editor.clic(3, 1);
    editor.setIntervallo(s("12a"));
    EXPECT_EQ(conversionFailure([&] { editor.conferma(); }), s("'12a' is not a valid integer value"));
    EXPECT_EQ(editor.cella(3, 1), s("2200"));

    EditorFasce rotta(Giorno::Sabato, {s("000"), s("13.00.01-23.59.59-4000-1500-0800-0500")});
    EXPECT_EQ(conversionFailure([&] { rotta.pickersIniziali(); }), s("'000' is not a valid time"));
    EXPECT_EQ(conversionFailure([&] { rotta.clic(3, 1); }), s("'000' is not a valid time"));
    EXPECT_EQ(conversionFailure([&] { rotta.clic(1, 2); }), s("(no error)"));
    // The missing third band was never touched: it goes back as it came, not cut into dashes.
    EXPECT_EQ(rotta.fasce(), QStringList({s("000"), s("13.00.01-23.59.59-4000-1500-0800-0500"), QString()}));
}

TEST(EditorFasce, TypedTimesAreReadOrRefusedWithTheFocusOnTheirPicker)
{
    EditorFasce editor = factory(Giorno::Feriali);
    editor.clic(3, 1);
    ASSERT_FALSE(editor.leggiOrari(s("9.15.30"), s("183000")));
    EXPECT_EQ(editor.dalle(), t("09:15:30"));
    EXPECT_EQ(editor.alle(), t("18:30:00"));

    const std::optional<Message> alle = editor.leggiOrari(s("08.00.00"), s("18.61.00"));
    ASSERT_TRUE(alle);
    EXPECT_TRUE(alle->text.startsWith(s("'18.61.00' non è un orario valido.")));
    EXPECT_EQ(editor.fuoco(), EditorFasce::Fuoco::Alle);
    EXPECT_EQ(editor.dalle(), t("09:15:30"));
    ASSERT_TRUE(editor.leggiOrari(s(""), s("18.00.00")));
    EXPECT_EQ(editor.fuoco(), EditorFasce::Fuoco::Dalle);

    // The refusals of the confirm point the focus at their field too.
    editor.setIntervallo(s("5"));
    ASSERT_TRUE(editor.conferma());
    EXPECT_EQ(editor.fuoco(), EditorFasce::Fuoco::Intervallo);
    editor.setIntervallo(s("50"));
    editor.setDalle(t("20:00:00"));
    editor.setAlle(t("19:00:00"));
    ASSERT_TRUE(editor.conferma());
    EXPECT_EQ(editor.fuoco(), EditorFasce::Fuoco::Dalle);
}

TEST(EditorFestivita, ConfirmedDateIsStoredAsDayAndMonth)
{
    EditorFestivita editor(StatoProgramma::fromFactoryDefaults().festivita, QDate(2026, 3, 14));
    EXPECT_EQ(editor.data(), s("01/01/2026"));
    EXPECT_EQ(editor.nuovoValore(), s("01/01"));

    editor.clic(3);
    EXPECT_EQ(editor.data(), s("01/05/2026"));
    editor.dataScelta(QDate(2026, 12, 25));
    EXPECT_EQ(editor.data(), s("25/12/2026"));
    EXPECT_EQ(editor.nuovoValore(), s("25/12"));
    editor.conferma();
    EXPECT_EQ(editor.cella(3), s("25/12"));
    EXPECT_EQ(editor.festivita().at(3), s("25/12"));
    // The same date may stand in two rows; the others keep their order.
    EXPECT_EQ(editor.cella(7), s("25/12"));
    EXPECT_EQ(editor.festivita().size(), 9);
}

TEST(EditorFestivita, AClickThenConfirmKeepsTheHoliday)
{
    EditorFestivita editor(StatoProgramma::fromFactoryDefaults().festivita, QDate(2026, 3, 14));
    editor.clic(0); // the row already shown: the date field's text does not change
    editor.conferma();
    EXPECT_EQ(editor.cella(0), s("01/01"));
    editor.clic(5);
    editor.conferma();
    EXPECT_EQ(editor.festivita(), StatoProgramma::fromFactoryDefaults().festivita);
}
