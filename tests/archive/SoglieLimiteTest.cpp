#include "archive/SoglieLimite.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const QString dicembre = QStringLiteral("01/12/1999");
const QString novembre = QStringLiteral("01/11/1999");

struct Soglia
{
    qint64 limite;
    qint64 usati;
    SoglieLimite::Ricordo ricordo;
    bool giaAvvisato;
    const char* messaggio; // nullptr: none
    SoglieLimite::Ricordo dopo;
};

class Soglie : public ::testing::TestWithParam<Soglia>
{
};

TEST_P(Soglie, TheHighestThresholdPassedIsToldOnceAPeriod)
{
    const Soglia& c = GetParam();
    const SoglieLimite::Esito e =
        SoglieLimite::valuta(QStringLiteral("Mensile"), c.limite, c.usati, dicembre, c.ricordo, c.giaAvvisato);
    if (c.messaggio) {
        ASSERT_EQ(e.messaggi.size(), 1);
        EXPECT_EQ(e.messaggi[0], (Message{QString::fromUtf8(c.messaggio), QStringLiteral("Informazione!"),
                                          Message::Icon::Information}));
    } else {
        EXPECT_TRUE(e.messaggi.isEmpty());
    }
    EXPECT_EQ(e.ricordo, c.dopo);
}

INSTANTIATE_TEST_SUITE_P(
    Used, Soglie,
    ::testing::Values(
        // 80 % of 600 is 480: reaching it is not passing it.
        Soglia{600, 480, {}, false, nullptr, {}},
        Soglia{600, 481, {}, false, "Limite Mensile utilizzato oltre l'80%: 481 minuti su 600", {dicembre, {}}},
        Soglia{600, 481, {dicembre, {}}, false, nullptr, {dicembre, {}}},
        // Told last month: told again in this one.
        Soglia{600,
               500,
               {novembre, novembre},
               false,
               "Limite Mensile utilizzato oltre l'80%: 500 minuti su 600",
               {dicembre, novembre}},
        Soglia{600,
               541,
               {dicembre, {}},
               false,
               "Limite Mensile utilizzato oltre il 90%: 541 minuti su 600",
               {dicembre, dicembre}},
        // Both passed at the first look: only the higher is told, both are remembered.
        Soglia{600, 600, {}, false, "Limite Mensile utilizzato oltre il 90%: 600 minuti su 600", {dicembre, dicembre}},
        Soglia{600, 700, {dicembre, dicembre}, false, nullptr, {dicembre, dicembre}},
        // The check already said the limit is near or passed: remembered, not told.
        Soglia{600, 550, {}, true, nullptr, {dicembre, dicembre}},
        // Limits that are not multiples of 100: 80 % of 1001 is 800.8, 90 % of 7 is 6.3.
        Soglia{1001, 800, {}, false, nullptr, {}},
        Soglia{1001, 801, {}, false, "Limite Mensile utilizzato oltre l'80%: 801 minuti su 1001", {dicembre, {}}},
        Soglia{7, 6, {}, false, "Limite Mensile utilizzato oltre l'80%: 6 minuti su 7", {dicembre, {}}},
        Soglia{
            7, 7, {dicembre, {}}, false, "Limite Mensile utilizzato oltre il 90%: 7 minuti su 7", {dicembre, dicembre}},
        // No limit, or one the store holds as an absurd number: no thresholds, no overflow.
        Soglia{0, 100, {}, false, nullptr, {}}, Soglia{-60, 100, {}, false, nullptr, {}},
        Soglia{std::numeric_limits<qint64>::max(),
               std::numeric_limits<qint64>::max(),
               {},
               false,
               "Limite Mensile utilizzato oltre il 90%: 9223372036854775807 minuti su 9223372036854775807",
               {dicembre, dicembre}}));

} // namespace
