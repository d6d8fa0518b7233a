#pragma once

#include "setup/BandViewerWindow.h"

class QComboBox;
struct Servizi;

// "Tariffe Teleselezione": the bands in force for each kind of day and the
// unit interval of the selected band at the distance chosen in "Distanza".
class TfrmTele : public BandViewerWindow
{
    Q_OBJECT
public:
    explicit TfrmTele(const StatoProgramma& stato, QWidget* parent = nullptr);

    // "V&isualizza fasce teleselezione": creates the viewer, shows it modally and destroys it.
    static void apri(QWidget* parent, Servizi& servizi, StatoProgramma& stato);

    void FormShow();
    void ComboBox1Change();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* ComboBox1 = nullptr;
    bool m_shown = false;
};
