#pragma once

#include "setup/Preferenze.h"

#include <QWidget>
#include <array>

class Prompter;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QSpinBox;

// The page "Generale" (TabSheet1) of the preferences dialog: costs,
// environment, display mode and window positions, with the screen check of
// each position as it is typed. The counting mode (RadioGroup4) belongs to
// the form storage.
class GeneralePage : public QWidget
{
public:
    GeneralePage(Preferenze& preferenze, Prompter& prompter);

    // The loaded values into the controls, with no screen check; the
    // positions of the other opener's windows disabled.
    void mostra();
    void leggi();
    void mostraConteggio();
    void leggiConteggio();

private:
    QWidget* buildCosti();
    QWidget* buildAmbiente();
    QWidget* buildPosizione();
    void positionChanged(Preferenze::Posizione campo);

    Preferenze& m_preferenze;
    Prompter& m_prompter;
    bool m_loading = false;

    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit11 = nullptr;
    QSpinBox* RxSpinEdit2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QButtonGroup* RadioGroup1 = nullptr;
    QButtonGroup* RadioGroup2 = nullptr;
    QButtonGroup* RadioGroup3 = nullptr;
    QButtonGroup* RadioGroup4 = nullptr;
    std::array<QLineEdit*, Preferenze::numeroPosizioni> m_posizioni{};
};
