#include "archive/ProgressoAvviso.h"

#include <gtest/gtest.h>

namespace {

const QDateTime inizio(QDate(1999, 12, 6), QTime(23, 59, 59));

struct Caso
{
    const char* nome;
    qint64 anticipo; // tenths of a second
    qint64 dopo;     // milliseconds after the start
    int valore;      // the gauge
    bool scaduto;
};

TEST(ProgressoAvviso, FillsOverTheLeadThenExpires)
{
    const Caso casi[] = {
        {"at the start", 10, 0, 0, false},
        {"half-way", 10, 500, 5, false},
        {"at the lead exactly", 10, 1000, 10, false},
        {"just past it", 10, 1010, 10, true},
        // Past midnight the time of day keeps counting.
        {"across midnight", 100, 2500, 25, false},
        // A clock set back reads as nearly a day later: expired.
        {"clock set back", 100, -1000, 100, true},
        {"no lead", 0, 0, 0, false},
        {"no lead, a moment later", 0, 1, 1, true},
    };
    for (const Caso& c : casi) {
        ProgressoAvviso progresso(c.anticipo, inizio);
        EXPECT_EQ(progresso.tick(inizio.addMSecs(c.dopo)), c.valore) << c.nome;
        EXPECT_EQ(progresso.scaduto(), c.scaduto) << c.nome;
        EXPECT_EQ(progresso.massimo(), std::max<qint64>(c.anticipo, 1)) << c.nome;
    }
}

TEST(ProgressoAvviso, ExpiryIsForGood)
{
    ProgressoAvviso progresso(10, inizio);
    progresso.tick(inizio.addSecs(2));
    EXPECT_EQ(progresso.tick(inizio), 10);
    EXPECT_TRUE(progresso.scaduto());
}

} // namespace
