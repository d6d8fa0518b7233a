#include "archive/ImpostazioniLimiti.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

namespace {

using P = ImpostazioniLimiti::Periodo;

struct Lettura
{
    P periodo;
    const char* allarme; // nullptr: not stored
    const char* valore;
    std::optional<qint64> attivo;
    bool problema; // the value was read and did not convert
};

TEST(ImpostazioniLimiti, ALimitCountsOnlyWithItsAlarmAndAWholeNumber)
{
    const Lettura casi[] = {
        {P::Giornaliero, "True", "60", 60, false},         {P::Giornaliero, "true", "60", std::nullopt, false},
        {P::Mensile, nullptr, "600", std::nullopt, false}, {P::Annuo, "True", " 0x10 ", 16, false},
        {P::Collegamento, "True", "30", 30, false},        {P::Mensile, "True", "6OO", std::nullopt, true},
        {P::Annuo, "False", "6OO", std::nullopt, false},
    };
    for (const Lettura& c : casi) {
        MemorySettingsBackend backend;
        SettingsStore store(backend);
        const ImpostazioniLimiti::Limite& limite = ImpostazioniLimiti::limite(c.periodo);
        if (c.allarme)
            store.write(limite.allarme, QLatin1String(c.allarme));
        store.write(limite.valore, QLatin1String(c.valore));
        ImpostazioniLimiti impostazioni(store);
        EXPECT_EQ(impostazioni.attivo(limite), c.attivo) << limite.nome << " " << c.valore;
        EXPECT_EQ(impostazioni.problemi().size(), c.problema ? 1 : 0) << limite.nome << " " << c.valore;
    }
}

TEST(ImpostazioniLimiti, AChargeIsOnUnlessFalseAndThePerConnectionLimitHasNone)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    ImpostazioniLimiti impostazioni(store);
    for (const ImpostazioniLimiti::Limite& limite : ImpostazioniLimiti::tabella()) {
        EXPECT_FALSE(impostazioni.addebito(limite)) << limite.nome;
        if (limite.addebito)
            store.write(*limite.addebito, QStringLiteral("no"));
        EXPECT_EQ(impostazioni.addebito(limite), limite.addebito != nullptr) << limite.nome;
        EXPECT_EQ(impostazioni.consumo(limite), limite.consumo ? std::optional<qint64>(0) : std::nullopt);
    }
}

TEST(ImpostazioniLimiti, AValueThatDoesNotConvertIsToldOnce)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    store.write(Catalogue::LimitiDateEdit2, QStringLiteral("31/02/1999"));
    store.write(Catalogue::LimitiCurrencyEdit1, QStringLiteral("mille"));
    ImpostazioniLimiti impostazioni(store);
    EXPECT_EQ(impostazioni.inizioAnno(), std::nullopt);
    EXPECT_EQ(impostazioni.inizioAnno(), std::nullopt);
    EXPECT_EQ(impostazioni.prezzoOreAggiuntive(), std::nullopt);
    EXPECT_EQ(impostazioni.anticipo(), 0);
    EXPECT_EQ(impostazioni.problemi(),
              (QStringList{QStringLiteral("Il valore '31/02/1999' dell'impostazione limiti\\DateEdit2_text non è "
                                          "valido:\ril limite non viene considerato."),
                           QStringLiteral("Il valore 'mille' dell'impostazione limiti\\CurrencyEdit1_value non è "
                                          "valido:\ril limite non viene considerato.")}));
}

} // namespace
