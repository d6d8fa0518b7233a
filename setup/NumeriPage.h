#pragma once

#include "setup/FormStorage.h"

#include <QWidget>
#include <array>
#include <functional>

class QComboBox;

// The page "Numeri" (TabSheet10) of the preferences dialog: five phone-book
// entries (ComboBox3, 5, 8, 11, 14), each with the distance class it is
// charged at (ComboBox2, 7, 10, 13, 16); all ten texts are form storage.
class NumeriPage : public QWidget
{
public:
    // `vociDisponibili`: the phone book's entry names, offered by the entry lists.
    explicit NumeriPage(std::function<QStringList()> vociDisponibili);

    void mostra(const FormStorage::Valori& valori);
    void leggi(FormStorage::Valori& valori) const;

    void TabSheet10Enter();

private:
    std::function<QStringList()> m_vociDisponibili;
    std::array<QComboBox*, 5> m_voci{};
    std::array<QComboBox*, 5> m_distanze{};
};
