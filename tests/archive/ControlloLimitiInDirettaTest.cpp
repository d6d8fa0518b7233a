#include "archive/ControlloLimitiInDiretta.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

namespace {

using Avviso = ControlloLimitiInDiretta::Avviso;

SettingsStore::Entry limite(const char* value, const char* text)
{
    return {QStringLiteral("limiti"), QString::fromLatin1(value), QString::fromUtf8(text)};
}

ControlloLimitiInDiretta::Limiti leggi(const QList<SettingsStore::Entry>& entries, QStringList* problemi = nullptr)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    for (const auto& e : entries)
        store.writeText(e.section, e.value, e.text);
    return ControlloLimitiInDiretta::leggi(store, problemi);
}

// The first tenth of a second at which each condition fires, walking a session tick by tick.
QList<std::pair<Avviso, qint64>> primiAvvisi(ControlloLimitiInDiretta& controllo, int consumiGiorno, qint64 fino)
{
    QList<std::pair<Avviso, qint64>> visti;
    controllo.arma();
    for (qint64 e = 0; e <= fino; ++e) {
        for (Avviso a : controllo.verifica(e, consumiGiorno))
            visti.append({a, e});
    }
    return visti;
}

TEST(ControlloLimitiInDiretta, ReadsLimitsInTenths)
{
    const auto limiti = leggi({limite("RxSpinEdit3_Value", "30"), limite("CheckBox5_Checked", "True"),
                               limite("RxSpinEdit4_Value", "60"), limite("CheckBox6_Checked", "True"),
                               limite("RxSpinEdit7_Value", "10")});
    EXPECT_EQ(limiti.collegamento, 18000);
    EXPECT_EQ(limiti.giornaliero, 36000);
    EXPECT_EQ(limiti.anticipo, 100);

    // Only the exact text "True" switches an alarm on.
    const auto spenti = leggi(
        {limite("RxSpinEdit3_Value", "30"), limite("CheckBox5_Checked", "true"), limite("RxSpinEdit4_Value", "60")});
    EXPECT_EQ(spenti.collegamento, 0);
    EXPECT_EQ(spenti.giornaliero, 0);
}

TEST(ControlloLimitiInDiretta, TextThatDoesNotConvertIsReportedAndNotWatched)
{
    QStringList problemi;
    const auto limiti = leggi({limite("RxSpinEdit3_Value", "trenta"), limite("CheckBox5_Checked", "True"),
                               limite("RxSpinEdit4_Value", "60"), limite("CheckBox6_Checked", "True")},
                              &problemi);
    EXPECT_EQ(limiti.collegamento, 0);
    EXPECT_EQ(limiti.giornaliero, 36000);
    ASSERT_EQ(problemi.size(), 1);
    EXPECT_TRUE(problemi.first().contains(QStringLiteral("RxSpinEdit3_value")));
    EXPECT_TRUE(problemi.first().contains(QStringLiteral("'trenta'")));
}

struct Caso
{
    const char* nome;
    ControlloLimitiInDiretta::Limiti limiti;
    int consumiGiorno;
    QList<std::pair<Avviso, qint64>> attesi;
};

class Condizioni : public ::testing::TestWithParam<Caso>
{
};

TEST_P(Condizioni, FireOnceAtTheirMoment)
{
    ControlloLimitiInDiretta controllo(GetParam().limiti);
    EXPECT_EQ(primiAvvisi(controllo, GetParam().consumiGiorno, 40000), GetParam().attesi);
    // Armed again at the next session, it fires again.
    EXPECT_EQ(primiAvvisi(controllo, GetParam().consumiGiorno, 40000), GetParam().attesi);
}

INSTANTIATE_TEST_SUITE_P(Casi, Condizioni,
                         ::testing::Values(
                             // 30 minutes with a 1 s lead: at 29:59.
                             Caso{"collegamento", {18000, 0, 10}, 0, {{Avviso::Collegamento, 17990}}},
                             Caso{"collegamentoSenzaAnticipo", {18000, 0, 0}, 0, {{Avviso::Collegamento, 18000}}},
                             // Daily 60 with a 10 s lead, 59 minutes already used: at 50 s.
                             Caso{"giornaliero", {0, 36000, 100}, 59, {{Avviso::Giornaliero, 500}}},
                             // 70 minutes already used: far past the window around the limit, never.
                             Caso{"giornalieroGiaSuperato", {0, 36000, 100}, 70, {}},
                             Caso{"nessunLimite", {0, 0, 100}, 59, {}}),
                         [](const ::testing::TestParamInfo<Caso>& info) { return std::string(info.param.nome); });

} // namespace
