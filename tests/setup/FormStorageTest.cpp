#include "setup/FormStorage.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "tests/setup/RecordingSettingsBackend.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

struct Negozio
{
    RecordingSettingsBackend backend;
    SettingsStore store{backend};

    void metti(const char* value, const char* text) { store.writeText(s("limiti"), s(value), s(text)); }
    FormStorage::Valori ripristinati()
    {
        FormStorage::Valori valori;
        FormStorage::ripristina(store, valori);
        return valori;
    }
};

} // namespace

TEST(FormStorage, SavesTheTwentyFivePropertiesUnderTheirNamesInOrder)
{
    Negozio n;
    FormStorage::Valori valori;
    valori.RxSpinEdit3 = 60;
    valori.CheckBox6 = true;
    valori.ComboBox3 = s("casa");
    valori.ComboBox2 = s("> 30");
    valori.RadioGroup4 = 1;
    FormStorage::salva(n.store, valori);
    EXPECT_EQ(n.backend.writes,
              QStringList({s("limiti/CurrencyEdit1_value=0"),     s("limiti/RxSpinEdit3_value=60"),
                           s("limiti/RxSpinEdit4_value=0"),       s("limiti/RxCalcEdit1_value=0"),
                           s("limiti/RxSpinEdit7_value=10"),      s("limiti/CheckBox5_Checked=False"),
                           s("limiti/CheckBox6_Checked=True"),    s("limiti/CheckBox7_Checked=False"),
                           s("limiti/CheckBox11_Checked=False"),  s("limiti/CheckBox13_Checked=False"),
                           s("limiti/CheckBox14_Checked=False"),  s("limiti/CheckBox15_Checked=False"),
                           s("limiti/DateEdit2_text=01/01/1999"), s("limiti/RxCalcEdit2_value=0"),
                           s("limiti/ComboBox2_Text=> 30"),       s("limiti/ComboBox3_Text=casa"),
                           s("limiti/ComboBox5_Text=2"),          s("limiti/ComboBox7_Text=TuT"),
                           s("limiti/ComboBox8_Text=3"),          s("limiti/ComboBox10_Text=TuT"),
                           s("limiti/ComboBox11_Text=4"),         s("limiti/ComboBox13_Text=TuT"),
                           s("limiti/ComboBox14_Text=5"),         s("limiti/ComboBox16_Text=TuT"),
                           s("limiti/RadioGroup4_ItemIndex=1")}));
    // What is saved comes back as it was.
    EXPECT_EQ(n.ripristinati(), valori);
}

TEST(FormStorage, MissingValuesLeaveTheDesignedContents)
{
    Negozio n;
    EXPECT_EQ(n.ripristinati(), FormStorage::Valori());
    EXPECT_TRUE(n.backend.writes.isEmpty());
}

TEST(FormStorage, RestoreConvertsOrSkips)
{
    const struct
    {
        const char* value;
        const char* text;
        qint64 FormStorage::Valori::*campo;
        qint64 atteso;
    } numeri[] = {
        {"RxSpinEdit3_Value", "600", &FormStorage::Valori::RxSpinEdit3, 600},
        {"RxSpinEdit3_Value", "600.5", &FormStorage::Valori::RxSpinEdit3, 601}, // "." before decimals
        {"RxSpinEdit3_Value", "600,5", &FormStorage::Valori::RxSpinEdit3, 0},   // not a number: skipped
        {"RxSpinEdit3_Value", "5000", &FormStorage::Valori::RxSpinEdit3, 1440}, // within the field's range
        {"RxSpinEdit4_value", "-20", &FormStorage::Valori::RxSpinEdit4, 0},
        {"rxcalcedit1_value", "90000", &FormStorage::Valori::RxCalcEdit1, 90000}, // names in any case
        {"RxSpinEdit7_value", "0", &FormStorage::Valori::RxSpinEdit7, 1},
        {"RxSpinEdit7_value", "abc", &FormStorage::Valori::RxSpinEdit7, 10},
        {"CurrencyEdit1_Value", "1500.25", &FormStorage::Valori::CurrencyEdit1, 1500},
        {"RadioGroup4_ItemIndex", "1", &FormStorage::Valori::RadioGroup4, 1},
        {"RadioGroup4_ItemIndex", "7", &FormStorage::Valori::RadioGroup4, 1},
        {"RadioGroup4_ItemIndex", "-3", &FormStorage::Valori::RadioGroup4, -1},
        {"RadioGroup4_ItemIndex", "uno", &FormStorage::Valori::RadioGroup4, 0},
    };
    for (const auto& c : numeri) {
        Negozio n;
        n.metti(c.value, c.text);
        EXPECT_EQ(n.ripristinati().*c.campo, c.atteso) << c.value << "=" << c.text;
    }

    const struct
    {
        const char* text;
        bool atteso;
    } spunte[] = {{"True", true},   {"true", true}, {"TRUE", true}, {"False", false},
                  {"fALSE", false}, {"1", false},   {"si", false}};
    for (const auto& c : spunte) {
        Negozio n;
        n.metti("CheckBox7_Checked", c.text);
        EXPECT_EQ(n.ripristinati().CheckBox7, c.atteso) << c.text;
    }

    Negozio date;
    date.metti("DateEdit2_Text", "1/9/2003");
    EXPECT_EQ(date.ripristinati().DateEdit2, s("01/09/2003"));
    date.metti("DateEdit2_Text", "31/02/2003");
    EXPECT_EQ(date.ripristinati().DateEdit2, s("01/01/1999"));

    Negozio testi;
    testi.metti("ComboBox14_Text", "");
    testi.metti("ComboBox16_Text", "tut");
    EXPECT_EQ(testi.ripristinati().ComboBox14, QString());
    EXPECT_EQ(testi.ripristinati().ComboBox16, s("tut"));
}

TEST(FormStorage, AtMostOneChargeBoxComesOutChecked)
{
    const struct
    {
        const char* c13;
        const char* c14;
        const char* c15;
        bool a13, a14, a15;
    } casi[] = {
        {"True", "True", "False", false, true, false},    {"True", "False", "True", false, false, true},
        {"True", "True", "True", false, false, true},     {"True", "False", "False", true, false, false},
        {"False", "False", "False", false, false, false},
    };
    for (const auto& c : casi) {
        Negozio n;
        n.metti("CheckBox13_Checked", c.c13);
        n.metti("CheckBox14_Checked", c.c14);
        n.metti("CheckBox15_Checked", c.c15);
        const FormStorage::Valori v = n.ripristinati();
        EXPECT_EQ(v.CheckBox13, c.a13) << c.c13 << c.c14 << c.c15;
        EXPECT_EQ(v.CheckBox14, c.a14) << c.c13 << c.c14 << c.c15;
        EXPECT_EQ(v.CheckBox15, c.a15) << c.c13 << c.c14 << c.c15;
    }
}

TEST(FormStorage, CheckingAChargeBoxUnchecksTheOthers)
{
    FormStorage::Valori v;
    v.spuntaAddebito(0, true);
    v.spuntaAddebito(1, true);
    EXPECT_FALSE(v.CheckBox13);
    EXPECT_TRUE(v.CheckBox14);
    EXPECT_FALSE(v.CheckBox15);
    v.spuntaAddebito(1, false);
    EXPECT_FALSE(v.CheckBox13 || v.CheckBox14 || v.CheckBox15);
    v.spuntaAddebito(2, true);
    v.spuntaAddebito(0, false);
    EXPECT_TRUE(v.CheckBox15);
}

TEST(FormStorage, ATypedDateIsStoredAsADateOrNotAtAll)
{
    const struct
    {
        const char* typed;
        const char* stored;
        int writes;
    } casi[] = {{"15/03/2026", "15/03/2026", 25}, {"15032026", "15/03/2026", 25},   {"5/3/26", "05/03/2026", 25},
                {"15/01/0000", "01/11/1997", 24}, {"31/02/2026", "01/11/1997", 24}, {"", "01/11/1997", 24}};
    for (const auto& c : casi) {
        Negozio n;
        n.metti("DateEdit2_text", "01/11/1997");
        n.backend.forget();
        FormStorage::Valori valori;
        valori.DateEdit2 = s(c.typed);
        FormStorage::salva(n.store, valori);
        EXPECT_EQ(n.store.readText(s("limiti"), s("DateEdit2_text"), QString()), s(c.stored)) << c.typed;
        EXPECT_EQ(n.backend.writes.size(), c.writes) << c.typed;
    }
}
