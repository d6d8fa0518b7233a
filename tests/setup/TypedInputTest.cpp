#include "setup/TypedInput.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

TEST(TypedInput, TimesAsShownOrAsDigits)
{
    const struct
    {
        const char* typed;
        QTime atteso; // invalid: refused
    } casi[] = {
        {"09.15.30", QTime(9, 15, 30)},
        {"9.15.30", QTime(9, 15, 30)},
        {"09:15:30", QTime(9, 15, 30)},
        {" 9.5.0 ", QTime(9, 5, 0)},
        {"18.30", QTime(18, 30, 0)},
        {"7", QTime(7, 0, 0)},
        {"091530", QTime(9, 15, 30)},
        {"91530", QTime(9, 15, 30)},
        {"0915", QTime(9, 15, 0)},
        {"915", QTime(9, 15, 0)},
        {"235959", QTime(23, 59, 59)},
        {"000000", QTime(0, 0, 0)},
        {"24.00.00", QTime()},
        {"12.60.00", QTime()},
        {"12.00.60", QTime()},
        {"246000", QTime()},
        {"1234567", QTime()},
        {"09.150.30", QTime()},
        {"09.15.30.1", QTime()},
        {"09..15", QTime()},
        {"09.", QTime()},
        {".15", QTime()},
        {"9h15", QTime()},
        {"", QTime()},
    };
    for (const auto& c : casi) {
        const std::optional<QTime> letta = TypedInput::time(s(c.typed));
        EXPECT_EQ(letta.value_or(QTime()), c.atteso) << c.typed;
        EXPECT_EQ(letta.has_value(), c.atteso.isValid()) << c.typed;
    }
}

TEST(TypedInput, DatesAsShownOrAsDigits)
{
    const struct
    {
        const char* typed;
        QDate atteso;
    } casi[] = {
        {"15/03/2026", QDate(2026, 3, 15)},
        {"5/3/2026", QDate(2026, 3, 5)},
        {"15.03.2026", QDate(2026, 3, 15)},
        {"15-03-26", QDate(2026, 3, 15)},
        {"01/01/99", QDate(1999, 1, 1)},
        {"15032026", QDate(2026, 3, 15)},
        {"150326", QDate(2026, 3, 15)},
        {"290224", QDate(2024, 2, 29)},
        {"31/02/2026", QDate()},
        {"29/02/2025", QDate()},
        {"00/01/2026", QDate()},
        {"15/13/2026", QDate()},
        {"15/01/0000", QDate()},
        {"15/03/202", QDate()},
        {"15/03", QDate()},
        {"1503", QDate()},
        {"1503202", QDate()},
        {"15/03/2026/1", QDate()},
        {"15 marzo 2026", QDate()},
        {"", QDate()},
    };
    for (const auto& c : casi) {
        const std::optional<QDate> letta = TypedInput::date(s(c.typed));
        EXPECT_EQ(letta.value_or(QDate()), c.atteso) << c.typed;
    }
}

TEST(TypedInput, KeysThatCanStillMakeATimeOrADate)
{
    const struct
    {
        const char* typed;
        bool ora;
        bool data;
    } casi[] = {
        {"", true, true},           {"0", true, true},           {"09.", true, true},         {"09.1", true, true},
        {"09.15.", true, true},     {"091530", true, true},      {"0915301", false, true},    {"15/03/", false, true},
        {"15/03/202", false, true}, {"15032026", false, true},   {"150320261", false, false}, {"09..", false, false},
        {".", false, false},        {"09.15.30.", false, false}, {"9a", false, false},        {"091", true, true},
    };
    for (const auto& c : casi) {
        EXPECT_EQ(TypedInput::couldBeTime(s(c.typed)), c.ora) << c.typed;
        EXPECT_EQ(TypedInput::couldBeDate(s(c.typed)), c.data) << c.typed;
    }
}

TEST(TypedInput, ArrowsMoveThePartUnderTheCursor)
{
    const struct
    {
        const char* testo;
        bool data;
        int posizione;
        int passi;
        const char* atteso; // nullptr: nothing to move
    } casi[] = {
        {"09.15.30", false, 0, 1, "10.15.30"},    {"09.15.30", false, 4, -20, "09.00.30"},
        {"23.59.30", false, 7, 45, "23.59.59"},   {"091530", false, 1, 1, "10.15.30"},
        {"31/01/2026", true, 4, 1, "28/02/2026"}, {"15/03/2026", true, 1, -20, "01/03/2026"},
        {"29/02/2024", true, 8, 1, "28/02/2025"}, {"15032026", true, 0, 1, "16/03/2026"},
        {"25.00.00", false, 0, 1, nullptr},       {"31/02/2026", true, 0, 1, nullptr},
    };
    for (const auto& c : casi) {
        const std::optional<QString> mosso = c.data ? TypedInput::stepDate(s(c.testo), c.posizione, c.passi)
                                                    : TypedInput::stepTime(s(c.testo), c.posizione, c.passi);
        EXPECT_EQ(mosso.value_or(QStringLiteral("-")), c.atteso ? s(c.atteso) : QStringLiteral("-")) << c.testo;
    }
}

TEST(TypedInput, RefusalsNameTheTextAndTheForm)
{
    EXPECT_EQ(TypedInput::timeRefused(s(" 25.00.00")).text,
              s("'25.00.00' non è un orario valido.\rScrivere ore, minuti e secondi come 09.15.30, "
                "oppure le sole cifre: 091530."));
    EXPECT_EQ(TypedInput::dateRefused(s("31/02/2026")).title, s("Attenzione!"));
    EXPECT_EQ(TypedInput::dateRefused(s("31/02/2026")).icon, Message::Icon::Critical);
}
