#pragma once

#include <QWidget>

class Clock;
class EditorFestivita;
class QLineEdit;
class QPushButton;
class QTableWidget;
class SetupPickers;

// The page "Festività" (TabSheet6) of the preferences dialog: the grid of
// the nine fixed holidays, the date field with its calendar and "&Conferma".
class FestivitaPage : public QWidget
{
public:
    FestivitaPage(EditorFestivita& editor, SetupPickers& pickers, const Clock& clock);

    // The grid, the date field and "Nuovo valore" as the engine holds them.
    void mostra();

    void StringGrid1Click();
    void DateEdit1Change();
    void BitBtn3Click();

private:
    void buildGrid();
    void calendarClick();

    EditorFestivita& m_editor;
    SetupPickers& m_pickers;
    const Clock& m_clock;
    QTableWidget* StringGrid1 = nullptr;
    QLineEdit* DateEdit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
};
