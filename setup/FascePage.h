#pragma once

#include "setup/EditorFasce.h"

#include <QWidget>

class Preferenze;
class Prompter;
class QLineEdit;
class QPushButton;
class QTableWidget;
class TypedField;

// One sub-page of "Fasce orarie" in the preferences dialog: "Feriali"
// (TabSheet3: StringGrid2, DTp5, DTp6, Edit3, BitBtn6), "Festivi" (TabSheet4:
// StringGrid3, DTp3, DTp4, edit4, BitBtn5) or "Sabato" (TabSheet5:
// StringGrid4, DTp1, DTp2, Edit5, BitBtn4). The grid of the day's bands and
// the editor under it; a click on the grid is StringGridNClick, "&Conferma"
// BitBtnNClick. A click or an arrow key shows the cell in the editor and
// leaves the keyboard in the grid; a double click sends it to the cell's
// field.
class FascePage : public QWidget
{
public:
    FascePage(Preferenze& preferenze, Prompter& prompter, EditorFasce::Giorno giorno);

    // "&Conferma", the default button while this sub-page is shown.
    QPushButton* conferma() const { return m_conferma; }
    // The grid and the editor as the engine holds them.
    void mostra();

private:
    struct Nomi
    {
        const char* sheet;
        int grid;
        int dalle;
        int alle;
        const char* intervallo;
        int conferma;
    };
    static Nomi nomi(EditorFasce::Giorno giorno);

    void buildGrid(int numero);
    void buildEditor(const Nomi& n);
    void gridClick();
    void gridDoubleClick();
    void confermaClick();
    // After a refusal, the field in error takes the keyboard.
    void focusEditor();
    EditorFasce& editor();

    Preferenze& m_preferenze;
    Prompter& m_prompter;
    EditorFasce::Giorno m_giorno;
    QTableWidget* m_griglia = nullptr;
    TypedField* m_dalle = nullptr;
    TypedField* m_alle = nullptr;
    QLineEdit* m_intervallo = nullptr;
    QPushButton* m_conferma = nullptr;
};
