#include "platform/SheetCommands.h"

#include <gtest/gtest.h>

namespace {

using Kind = SheetCommands::Cell::Kind;

TEST(SheetCommands, SelectMovesTheActiveCellAndTheSelection)
{
    struct Caso
    {
        QStringList comandi;
        QString selezione;
    };
    const std::vector<Caso> casi{
        {{QStringLiteral("[SELECT(\"R1C1\")]")}, QStringLiteral("R1C1")},
        {{QStringLiteral("[SELECT(\"R3C2\")]"), QStringLiteral("[SELECT(\"R[0]C[1]\")]")}, QStringLiteral("R3C3")},
        {{QStringLiteral("[SELECT(\"R2C5\")]"), QStringLiteral("[SELECT(\"R[1]C[-4]\")]")}, QStringLiteral("R3C1")},
        {{QStringLiteral("[SELECT(\"R2C2\")]"), QStringLiteral("[SELECT(\"R[-1]C\")]")}, QStringLiteral("R1C2")},
        {{QStringLiteral("[SELECT(\"R2C2\")]"), QStringLiteral("[SELECT(\"RC[1]\")]")}, QStringLiteral("R2C3")},
        {{QStringLiteral("[select(\"R1C1:R1C5\")]")}, QStringLiteral("R1C1:R1C5")},
        {{QStringLiteral("[select(\"R4C3:R2C1\")]")}, QStringLiteral("R2C1:R4C3")},
        {{QStringLiteral("[SELECT(\"R9C9\")][select(\"r2c1\")]")}, QStringLiteral("R2C1")},
        {{QStringLiteral(" [ SELECT ( \"R7C7\" ) ] ")}, QStringLiteral("R7C7")},
    };
    for (const Caso& c : casi) {
        SheetCommands foglio;
        for (const QString& comando : c.comandi)
            ASSERT_TRUE(foglio.execute(comando)) << comando.toStdString() << ": " << foglio.error().toStdString();
        EXPECT_EQ(foglio.selectionText(), c.selezione) << c.comandi.join(QLatin1Char(' ')).toStdString();
    }
}

TEST(SheetCommands, FormulaEntersTheTextAsTyped)
{
    struct Caso
    {
        QString comando;
        Kind tipo;
        QString testo;
        double numero;
        QDate data;
    };
    const std::vector<Caso> casi{
        {QStringLiteral("[FORMULA(\"912\")]"), Kind::Number, {}, 912, {}},
        {QStringLiteral("[FORMULA(\"-3\")]"), Kind::Number, {}, -3, {}},
        {QStringLiteral("[FORMULA(\"75.5\")]"), Kind::Number, {}, 75.5, {}},
        {QStringLiteral("[FORMULA(\"0\")]"), Kind::Number, {}, 0, {}},
        {QStringLiteral("[FORMULA(\"07/04/1999\")]"), Kind::Date, {}, 0, QDate(1999, 4, 7)},
        {QStringLiteral("[FORMULA(\"Casa\")]"), Kind::Text, QStringLiteral("Casa"), 0, {}},
        {QStringLiteral("[FORMULA(\"---\")]"), Kind::Text, QStringLiteral("---"), 0, {}},
        // Texts that a number would change stay texts.
        {QStringLiteral("[FORMULA(\"0612345\")]"), Kind::Text, QStringLiteral("0612345"), 0, {}},
        {QStringLiteral("[FORMULA(\"1e5\")]"), Kind::Text, QStringLiteral("1e5"), 0, {}},
        {QStringLiteral("[FORMULA(\"1.50\")]"), Kind::Text, QStringLiteral("1.50"), 0, {}},
        {QStringLiteral("[FORMULA(\"31/02/1999\")]"), Kind::Text, QStringLiteral("31/02/1999"), 0, {}},
        {QStringLiteral("[FORMULA(\"=1+1\")]"), Kind::Text, QStringLiteral("=1+1"), 0, {}},
        {QStringLiteral("[FORMULA(\"Casa \"\"Mia\"\"\")]"), Kind::Text, QStringLiteral("Casa \"Mia\""), 0, {}},
        {QStringLiteral("[FORMULA(\"\"\"]\")]"), Kind::Text, QStringLiteral("\"]"), 0, {}},
        {QStringLiteral("[FORMULA(\"a\"\")][SELECT(\"\"R9C9\"\")]\")]"),
         Kind::Text,
         QStringLiteral("a\")][SELECT(\"R9C9\")]"),
         0,
         {}},
        {QStringLiteral("[FORMULA(\"Citt\u00e0\")]"), Kind::Text, QStringLiteral("Citt\u00e0"), 0, {}},
    };
    for (const Caso& c : casi) {
        SheetCommands foglio;
        ASSERT_TRUE(foglio.execute(QStringLiteral("[SELECT(\"R2C3\")]")));
        ASSERT_TRUE(foglio.execute(c.comando)) << c.comando.toStdString() << ": " << foglio.error().toStdString();
        ASSERT_EQ(foglio.cells().size(), 1u) << c.comando.toStdString();
        const auto& [dove, cella] = *foglio.cells().begin();
        EXPECT_EQ(dove, SheetCommands::Address(2, 3));
        EXPECT_EQ(cella.kind, c.tipo) << c.comando.toStdString();
        EXPECT_EQ(cella.text, c.testo) << c.comando.toStdString();
        EXPECT_EQ(cella.number, c.numero) << c.comando.toStdString();
        EXPECT_EQ(cella.date, c.data) << c.comando.toStdString();
        EXPECT_EQ(foglio.selectionText(), QStringLiteral("R2C3")); // the active cell stays
    }
}

TEST(SheetCommands, FontAndAlignmentFormatTheSelection)
{
    SheetCommands foglio;
    ASSERT_TRUE(foglio.execute(QStringLiteral("[SELECT(\"R1C1\")][FORMULA(\"Data\")]")));
    ASSERT_TRUE(foglio.execute(QStringLiteral("[select(\"R1C1:R1C5\")]")));
    ASSERT_TRUE(foglio.execute(QStringLiteral("[format.font(,10,true,false,false,false,0)]")));
    ASSERT_TRUE(foglio.execute(QStringLiteral("[alignment(3,false,3,0)]")));
    ASSERT_TRUE(foglio.execute(QStringLiteral("[select(\"R2C1\")][FORMULA(\"1\")]")));
    ASSERT_EQ(foglio.cells().size(), 6u);
    for (int colonna = 1; colonna <= 5; ++colonna) {
        const SheetCommands::Style& s = foglio.cells().at({1, colonna}).style;
        EXPECT_TRUE(s.bold);
        EXPECT_EQ(s.fontSize, 10);
        EXPECT_EQ(s.horizontal, 3);
        EXPECT_FALSE(s.italic);
        EXPECT_TRUE(s.fontName.isEmpty());
    }
    EXPECT_EQ(foglio.cells().at({1, 1}).text, QStringLiteral("Data"));
    EXPECT_EQ(foglio.cells().at({2, 1}).style, SheetCommands::Style());

    ASSERT_TRUE(foglio.execute(QStringLiteral("[select(\"R2C1\")][format.font(\"DejaVu Sans\",,,true)]")));
    EXPECT_EQ(foglio.cells().at({2, 1}).style.fontName, QStringLiteral("DejaVu Sans"));
    EXPECT_TRUE(foglio.cells().at({2, 1}).style.italic);
    EXPECT_FALSE(foglio.cells().at({2, 1}).style.bold);
}

TEST(SheetCommands, WhatItDoesNotUnderstandIsRefused)
{
    const QStringList rifiutati{
        QString(),
        QStringLiteral("SELECT(\"R1C1\")"),
        QStringLiteral("[SELECT(\"R1C1\")"),
        QStringLiteral("[SELECT(R1C1)]"),
        QStringLiteral("[SELECT(\"R0C1\")]"),
        QStringLiteral("[SELECT(\"R[-1]C\")]"),
        QStringLiteral("[SELECT(\"R1C16385\")]"),
        QStringLiteral("[SELECT(\"R1C1,R3C3\")]"),
        QStringLiteral("[SELECT(\"A1\")]"),
        QStringLiteral("[SELECT(\"R1C1\",\"R1C1\")]"),
        QStringLiteral("[FORMULA(\"a)]"),
        QStringLiteral("[FORMULA(\"a\",\"R2C2\")]"),
        QStringLiteral("[FORMULA()]"),
        QStringLiteral("[FORMULA(\"a\")] rest"),
        QStringLiteral("[format.font(,10,true,false,false,false,3)]"),
        QStringLiteral("[format.font(,0)]"),
        QStringLiteral("[format.font(,10,\"yes\")]"),
        QStringLiteral("[alignment(9,false,3,0)]"),
        QStringLiteral("[alignment(3,false,3,0,true)]"),
        QStringLiteral("[alignment(3,true,33333333333333333333,3)]"),
        QStringLiteral("[FILE.CLOSE(false)]"),
        QStringLiteral("[NEW(1)]"),
        QStringLiteral("[select(\"R1C1:R1000C1000\")][format.font(,10)]"),
    };
    for (const QString& comando : rifiutati) {
        SheetCommands foglio;
        EXPECT_FALSE(foglio.execute(comando)) << comando.toStdString();
        EXPECT_FALSE(foglio.error().isEmpty()) << comando.toStdString();
    }
}

TEST(SheetCommands, ARefusedCommandKeepsWhatCameBefore)
{
    SheetCommands foglio;
    EXPECT_FALSE(foglio.execute(QStringLiteral("[SELECT(\"R2C2\")][FORMULA(\"1\")][BEEP()]")));
    EXPECT_EQ(foglio.cells().size(), 1u);
    EXPECT_EQ(foglio.activeCell(), SheetCommands::Address(2, 2));
    EXPECT_TRUE(foglio.execute(QStringLiteral("[FORMULA(\"2\")]")));
    EXPECT_TRUE(foglio.error().isEmpty());
}

} // namespace
