#pragma once

#include <QWidget>

class PaginaConnessione;
class Prompter;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

// The page "Connessione automatica" (TabSheet7) of the preferences dialog:
// the phone-book entry dialled at start-up, bound to PaginaConnessione,
// which loads it from the store each time the page is entered.
class ConnessionePage : public QWidget
{
public:
    ConnessionePage(PaginaConnessione& pagina, Prompter& prompter);

    void TabSheet7Enter();
    void ComboBox1Click();
    void CheckBox4Click();
    void BitBtn8Click();

private:
    void mostra();

    PaginaConnessione& m_pagina;
    Prompter& m_prompter;
    QGroupBox* GroupBox4 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QPushButton* BitBtn8 = nullptr;
};
