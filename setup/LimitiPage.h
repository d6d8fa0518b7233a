#pragma once

#include "setup/FormStorage.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QGridLayout;
class QSpinBox;
class SetupPickers;
class TypedField;

// The page "Limiti Ore" (TabSheet8) of the preferences dialog: the minute
// limits, their alarms and charges, the cost of the extra hours, the warning
// lead and the start of the subscription year; all form storage.
class LimitiPage : public QWidget
{
public:
    LimitiPage(FormStorage::Valori& valori, SetupPickers& pickers);

    void mostra();
    void leggi();

private:
    QWidget* buildMinuti();
    void addCampo(QGridLayout* grid, int riga, const char* caption, QSpinBox* field);
    QWidget* buildAllarmi();
    QWidget* buildGenerale();
    // CheckBox13Click, CheckBox14Click, CheckBox15Click (`quale` 0, 1, 2).
    void addebitoClic(int quale);
    void mostraAddebiti();
    void calendarClick();

    FormStorage::Valori& m_valori;
    SetupPickers& m_pickers;

    QSpinBox* CurrencyEdit1 = nullptr;
    QSpinBox* RxSpinEdit3 = nullptr;
    QSpinBox* RxSpinEdit4 = nullptr;
    QSpinBox* RxCalcEdit1 = nullptr;
    QSpinBox* RxCalcEdit2 = nullptr;
    QSpinBox* RxSpinEdit7 = nullptr;
    std::array<QCheckBox*, 4> m_allarmi{};  // CheckBox5, CheckBox6, CheckBox7, CheckBox11
    std::array<QCheckBox*, 3> m_addebiti{}; // CheckBox13, CheckBox14, CheckBox15
    TypedField* DateEdit2 = nullptr;
};
