#pragma once

#include <QWidget>
#include <array>

class QLineEdit;
class SetupPickers;

// The page "Avvio Automatico" (TabSheet9) of the preferences dialog: the
// three programs launched at start-up (FilenameEdit1 to 3), each typed or
// chosen in a file dialog.
class AvvioPage : public QWidget
{
public:
    explicit AvvioPage(SetupPickers& pickers);

    // The browser's, the mail program's and the other program's paths.
    void mostra(const std::array<QString, 3>& programmi);
    void leggi(std::array<QString, 3>& programmi) const;

private:
    SetupPickers& m_pickers;
    std::array<QLineEdit*, 3> m_programmi{};
};
