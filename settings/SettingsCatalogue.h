#pragma once

#include <QByteArrayAlgorithms>
#include <QString>
#include <array>
#include <limits>

// One value of the settings store: its section and name (matched without
// regard to case), the text a reader gets when it is missing, and the text
// the first run writes.
struct Setting
{
    enum class Kind
    {
        Text,
        Integer, // decimal text ("0x" hexadecimal), within minimum..maximum
        Switch,  // "ON" or "OFF"
        Price    // a whole, non-negative number of lire written as digits
    };

    const char* section;
    const char* value;
    Kind kind;
    const char* readDefault;        // what a reader gets when the value is missing; "" when nobody reads it
    const char* firstRun = nullptr; // what the first run writes; nullptr when it writes nothing
    int minimum = std::numeric_limits<int>::min();
    int maximum = std::numeric_limits<int>::max();

    QString sectionName() const { return QLatin1String(section); }
    QString valueName() const { return QLatin1String(value); }
    QString defaultText() const { return QLatin1String(readDefault); }
    // The read default as a number (0 when it is not one).
    int defaultInteger() const { return defaultText().toInt(); }
    bool inRange(int number) const { return number >= minimum && number <= maximum; }
    // The same section and value, whatever the case.
    bool sameAs(const Setting& other) const
    {
        return qstricmp(section, other.section) == 0 && qstricmp(value, other.value) == 0;
    }
};

// Every section and value of the store, each named once with its read default
// and its first-run text. Readers and writers name a value through these.
namespace Catalogue {

using K = Setting::Kind;
constexpr int noMax = std::numeric_limits<int>::max();

inline constexpr Setting ImportoCosto{"importo", "costo", K::Price, "000", "152"};
inline constexpr Setting RitardoSecondi{"ritardo", "secondi", K::Integer, "12", "12", 0, 59};
inline constexpr Setting RitardoFlagAuto{"ritardo", "flagAuto", K::Switch, "OFF", "OFF"};
inline constexpr Setting TariffaFlag5{"tariffa", "flag5", K::Integer, "1", "1", 1, 4};
inline constexpr Setting TariffaFlag6{"tariffa", "flag6", K::Integer, "1", "1", 1, 2};
inline constexpr Setting InternetRidTut{"internet", "ridTut", K::Integer, "50", "50", 0, 100};
inline constexpr Setting InternetRidTutDopo{"internet", "ridTutDopo", K::Integer, "1", "1", 0, noMax};
inline constexpr Setting InternetRidTel{"internet", "ridTel", K::Integer, "50", "50", 0, 100};
inline constexpr Setting InternetRidTelDopo{"internet", "ridTelDopo", K::Integer, "120", "120", 0, noMax};
inline constexpr Setting SuonoBeep{"suono", "beep", K::Switch, "ON", "ON"};
inline constexpr Setting SuonoInizio{"suono", "inizio", K::Integer, "5", "5"};
inline constexpr Setting FrazioneScatto{"frazione", "scatto", K::Integer, "0", "0", 0, 1};
inline constexpr Setting InizioConteggioDataInizio{"InizioConteggio", "DataInizio", K::Text, "01/01/1996",
                                                   "01/11/1997"};
inline constexpr Setting VisualizzaBarra{"visualizza", "barra", K::Switch, "", "OFF"};
inline constexpr Setting VisualizzaIcona{"visualizza", "icona", K::Switch, "", "OFF"};
inline constexpr Setting VisualizzaTipo{"visualizza", "tipo", K::Integer, "0", "0", 0, 3};
inline constexpr Setting VediCostiAttivo{"VediCosti", "attivo", K::Switch, "OFF", "ON"};
inline constexpr Setting NonModificareDeviceInterno{"NonModificare", "deviceInterno", K::Integer, "", "0"};
inline constexpr Setting VisualizzaBackup{"visualizza", "backup", K::Switch, "ON", "ON"};
inline constexpr Setting PosizionePosX{"Posizione", "posX", K::Integer, "0", "0"};
inline constexpr Setting PosizionePosY{"Posizione", "posY", K::Integer, "0", "0"};
// The first run writes the main window's width here (SettingsStore::firstRunDefaults).
inline constexpr Setting PosizionePosCostiX{"Posizione", "posCostiX", K::Integer, "220", "220"};
inline constexpr Setting PosizionePosCostiY{"Posizione", "posCostiY", K::Integer, "310", "0"};
inline constexpr Setting PosizioneFinePosX{"PosizioneFine", "posX", K::Integer, "0", "0"};
inline constexpr Setting PosizioneFinePosY{"PosizioneFine", "posY", K::Integer, "0", "0"};
inline constexpr Setting ConnessioneAutomatico{"connessione", "automatico", K::Switch, "OFF", "OFF"};
inline constexpr Setting ConnessioneProvider{"connessione", "provider", K::Text, "NESSUNO", "NESSUNO"};
inline constexpr Setting ConnessioneUtente{"connessione", "utente", K::Text, "NESSUNO", "NESSUNO"};
inline constexpr Setting ConnessionePassword{"connessione", "password", K::Text, "VACANTE", "VACANTE"};
inline constexpr Setting EseguiBrowser{"esegui", "browser", K::Text, "NESSUNO", "NESSUNO"};
inline constexpr Setting EseguiMail{"esegui", "mail", K::Text, "NESSUNO", "NESSUNO"};
inline constexpr Setting EseguiAltro{"esegui", "altro", K::Text, "NESSUNO", "NESSUNO"};

inline constexpr std::array<Setting, 9> Festivita{{
    {"festivita", "FEST1", K::Text, "000", "01/01"},
    {"festivita", "FEST2", K::Text, "000", "06/01"},
    {"festivita", "FEST3", K::Text, "000", "25/04"},
    {"festivita", "FEST4", K::Text, "000", "01/05"},
    {"festivita", "FEST5", K::Text, "000", "15/08"},
    {"festivita", "FEST6", K::Text, "000", "01/11"},
    {"festivita", "FEST7", K::Text, "000", "08/12"},
    {"festivita", "FEST8", K::Text, "000", "25/12"},
    {"festivita", "FEST9", K::Text, "000", "26/12"},
}};
inline constexpr std::array<Setting, 3> Feriali{{
    {"feriali", "fascia1", K::Text, "000", "08.00.00-18.30.00-2200-0750-0400-0267"},
    {"feriali", "fascia2", K::Text, "000", "18.30.01-23.59.59-4000-1500-0800-0500"},
    {"feriali", "fascia3", K::Text, "000", "00.00.00-07.59.59-4000-1500-0800-0500"},
}};
inline constexpr std::array<Setting, 3> Sabato{{
    {"sabato", "fascia1", K::Text, "000", "08.00.00-13.00.00-2200-0750-0400-0267"},
    {"sabato", "fascia2", K::Text, "000", "13.00.01-23.59.59-4000-1500-0800-0500"},
    {"sabato", "fascia3", K::Text, "000", "00.00.00-07.59.59-4000-1500-0800-0500"},
}};
inline constexpr std::array<Setting, 2> Festivi{{
    {"festivi", "fascia1", K::Text, "000", "08.00.00-23.59.59-4000-1500-0800-0500"},
    {"festivi", "fascia2", K::Text, "000", "00.00.00-07.59.59-4000-1500-0800-0500"},
}};

// The "limiti" section, written by the preferences dialog's form storage:
// each value is named after a control and the stored property.
inline constexpr Setting LimitiCurrencyEdit1{"limiti", "CurrencyEdit1_value", K::Text, "0"}; // extra-hour price
inline constexpr Setting LimitiRxSpinEdit3{"limiti", "RxSpinEdit3_value", K::Text, "0"};     // per connection, minutes
inline constexpr Setting LimitiRxSpinEdit4{"limiti", "RxSpinEdit4_value", K::Text, "0"};     // daily, minutes
inline constexpr Setting LimitiRxCalcEdit1{"limiti", "RxCalcEdit1_value", K::Text, "0"};     // monthly, minutes
inline constexpr Setting LimitiRxCalcEdit2{"limiti", "RxCalcEdit2_value", K::Text, "0"};     // yearly, minutes
inline constexpr Setting LimitiRxSpinEdit7{"limiti", "RxSpinEdit7_value", K::Text, "0"};     // warning lead, seconds
inline constexpr Setting LimitiCheckBox5{"limiti", "CheckBox5_Checked", K::Text, "false"};   // per-connection alarm
inline constexpr Setting LimitiCheckBox6{"limiti", "CheckBox6_Checked", K::Text, "False"};   // daily alarm
inline constexpr Setting LimitiCheckBox7{"limiti", "CheckBox7_Checked", K::Text, "False"};   // monthly alarm
inline constexpr Setting LimitiCheckBox11{"limiti", "CheckBox11_Checked", K::Text, "False"}; // yearly alarm
inline constexpr Setting LimitiCheckBox13{"limiti", "CheckBox13_Checked", K::Text, "False"}; // daily charge
inline constexpr Setting LimitiCheckBox14{"limiti", "CheckBox14_Checked", K::Text, "False"}; // monthly charge
inline constexpr Setting LimitiCheckBox15{"limiti", "CheckBox15_Checked", K::Text, "False"}; // yearly charge
inline constexpr Setting LimitiDateEdit2{"limiti", "DateEdit2_text", K::Text, "01/01/1999"}; // subscription year
// The numbers-to-class table: the entry names and the class texts of its five pairs.
inline constexpr std::array<Setting, 5> LimitiVoce{{
    {"limiti", "ComboBox3_Text", K::Text, "1"},
    {"limiti", "ComboBox5_Text", K::Text, "2"},
    {"limiti", "ComboBox8_Text", K::Text, "3"},
    {"limiti", "ComboBox11_Text", K::Text, "4"},
    {"limiti", "ComboBox14_Text", K::Text, "5"},
}};
inline constexpr std::array<Setting, 5> LimitiClasse{{
    {"limiti", "ComboBox2_Text", K::Text, "TuT"},
    {"limiti", "ComboBox7_Text", K::Text, "TuT"},
    {"limiti", "ComboBox10_Text", K::Text, "TuT"},
    {"limiti", "ComboBox13_Text", K::Text, "TuT"},
    {"limiti", "ComboBox16_Text", K::Text, "TuT"},
}};
inline constexpr Setting LimitiRadioGroup4{"limiti", "RadioGroup4_ItemIndex", K::Text, "0"}; // ConteggioAutomatico
inline constexpr Setting LimitiConsumiGiorno{"limiti", "consumiGiorno", K::Integer, "0"};
inline constexpr Setting LimitiConsumiMese{"limiti", "consumiMese", K::Integer, "0"};
inline constexpr Setting LimitiConsumiAnno{"limiti", "consumiAnno", K::Integer, "0"};
// The earlier warnings at 80 % and 90 % of the monthly and yearly limits: the
// first day ("dd/mm/yyyy") of the month or subscription year in which each was last told.
inline constexpr std::array<Setting, 2> LimitiAvvisoMensile{{
    {"limiti", "avvisoMensile80", K::Text, ""},
    {"limiti", "avvisoMensile90", K::Text, ""},
}};
inline constexpr std::array<Setting, 2> LimitiAvvisoAnnuo{{
    {"limiti", "avvisoAnnuo80", K::Text, ""},
    {"limiti", "avvisoAnnuo90", K::Text, ""},
}};

inline constexpr Setting CallerIdNumero{"callerId", "numero", K::Text, ""};

// Every value above: first those the first run writes, in the order it writes them, then the others.
inline constexpr Setting all[] = {
    ImportoCosto,
    RitardoSecondi,
    RitardoFlagAuto,
    TariffaFlag5,
    TariffaFlag6,
    InternetRidTut,
    InternetRidTutDopo,
    InternetRidTel,
    InternetRidTelDopo,
    SuonoBeep,
    SuonoInizio,
    FrazioneScatto,
    InizioConteggioDataInizio,
    VisualizzaBarra,
    VisualizzaIcona,
    VisualizzaTipo,
    VediCostiAttivo,
    NonModificareDeviceInterno,
    VisualizzaBackup,
    PosizionePosX,
    PosizionePosY,
    PosizionePosCostiX,
    PosizionePosCostiY,
    PosizioneFinePosX,
    PosizioneFinePosY,
    ConnessioneAutomatico,
    ConnessioneProvider,
    ConnessioneUtente,
    ConnessionePassword,
    EseguiBrowser,
    EseguiMail,
    EseguiAltro,
    Festivita[0],
    Festivita[1],
    Festivita[2],
    Festivita[3],
    Festivita[4],
    Festivita[5],
    Festivita[6],
    Festivita[7],
    Festivita[8],
    Feriali[0],
    Feriali[1],
    Feriali[2],
    Sabato[0],
    Sabato[1],
    Sabato[2],
    Festivi[0],
    Festivi[1],
    LimitiCurrencyEdit1,
    LimitiRxSpinEdit3,
    LimitiRxSpinEdit4,
    LimitiRxCalcEdit1,
    LimitiRxCalcEdit2,
    LimitiRxSpinEdit7,
    LimitiCheckBox5,
    LimitiCheckBox6,
    LimitiCheckBox7,
    LimitiCheckBox11,
    LimitiCheckBox13,
    LimitiCheckBox14,
    LimitiCheckBox15,
    LimitiDateEdit2,
    LimitiVoce[0],
    LimitiClasse[0],
    LimitiVoce[1],
    LimitiClasse[1],
    LimitiVoce[2],
    LimitiClasse[2],
    LimitiVoce[3],
    LimitiClasse[3],
    LimitiVoce[4],
    LimitiClasse[4],
    LimitiRadioGroup4,
    LimitiConsumiGiorno,
    LimitiConsumiMese,
    LimitiConsumiAnno,
    LimitiAvvisoMensile[0],
    LimitiAvvisoMensile[1],
    LimitiAvvisoAnnuo[0],
    LimitiAvvisoAnnuo[1],
    CallerIdNumero,
};

} // namespace Catalogue
