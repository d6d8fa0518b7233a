#pragma once

#include "archive/ImpostazioniLimiti.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <variant>

class SettingsStore;
struct Setting;

// The preferences dialog's form storage, FormStorage1: 25 properties of the
// "Limiti Ore" and "Numeri" pages and of the counting mode, kept in the
// section "limiti" under the names the rest of the program reads. They are
// restored when the dialog is shown and saved whenever it closes.
class FormStorage
{
public:
    // The properties as the controls hold them. Minutes and lire are whole
    // numbers, so the limits check can always read what is stored.
    struct Valori
    {
        qint64 CurrencyEdit1 = 0; // lire an extra hour
        qint64 RxSpinEdit3 = 0;   // per-connection limit, minutes
        qint64 RxSpinEdit4 = 0;   // daily limit, minutes
        qint64 RxCalcEdit1 = 0;   // monthly limit, minutes
        qint64 RxSpinEdit7 = 10;  // warning lead before the per-connection limit, seconds
        bool CheckBox5 = false;   // alarms: per connection, daily, monthly, yearly
        bool CheckBox6 = false;
        bool CheckBox7 = false;
        bool CheckBox11 = false;
        bool CheckBox13 = false; // charges: daily, monthly, yearly; at most one checked
        bool CheckBox14 = false;
        bool CheckBox15 = false;
        // First day of the subscription year: "dd/mm/yyyy" once restored, then as the user typed it.
        QString DateEdit2 = QStringLiteral("01/01/1999");
        qint64 RxCalcEdit2 = 0; // yearly limit, minutes
        // The numbers-to-class table: entry names 3, 5, 8, 11, 14 and class texts 2, 7, 10, 13, 16.
        QString ComboBox2 = QStringLiteral("TuT");
        QString ComboBox3 = QStringLiteral("1");
        QString ComboBox5 = QStringLiteral("2");
        QString ComboBox7 = QStringLiteral("TuT");
        QString ComboBox8 = QStringLiteral("3");
        QString ComboBox10 = QStringLiteral("TuT");
        QString ComboBox11 = QStringLiteral("4");
        QString ComboBox13 = QStringLiteral("TuT");
        QString ComboBox14 = QStringLiteral("5");
        QString ComboBox16 = QStringLiteral("TuT");
        qint64 RadioGroup4 = 0; // 0 counting follows the connection, 1 manual; -1 none chosen

        // CheckBox13Click, CheckBox14Click, CheckBox15Click (`quale` 0, 1, 2):
        // a charge box that becomes checked unchecks the other two.
        void spuntaAddebito(int quale, bool spuntata);
        bool operator==(const Valori&) const = default;
    };

    using Campo = std::variant<qint64 Valori::*, bool Valori::*, QString Valori::*>;
    enum class Tipo
    {
        Numero, // Value: general number format, "." before any decimals
        Spunta, // Checked: "True" or "False"
        Testo,  // Text, as the control shows it
        Data,   // Text of a date field, stored as "dd/mm/yyyy"
        Indice  // ItemIndex, a decimal integer
    };
    struct Proprieta
    {
        const Setting& valore;
        Campo campo;
        Tipo tipo;
        qint64 minimo = 0;
        qint64 massimo = 0;
        int addebito = -1; // 0..2 for CheckBox13..15
    };
    static constexpr int numeroProprieta = 25;
    static constexpr qint64 massimoGrande = ImpostazioniLimiti::massimoCampo;

    // In the order they are restored and saved.
    static const std::array<Proprieta, numeroProprieta>& proprieta();

    // Reads every property into `valori`. A missing value, or one that does
    // not convert, leaves its field as it was. Numbers are rounded to whole
    // ones and brought within the control's range; "True"/"False" are read
    // whatever their case; a charge box restored as checked unchecks the
    // other two, as a click does.
    static void ripristina(const SettingsStore& store, Valori& valori);
    // Writes all 25 properties; a date is written as "dd/mm/yyyy", and not at
    // all when the text is no date (TypedInput), so the stored one stays.
    static void salva(SettingsStore& store, const Valori& valori);
    // The stored text of one property.
    static QString testo(const Proprieta& p, const Valori& valori);
};
