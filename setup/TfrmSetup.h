#pragma once

#include "platform/Servizi.h"
#include "settings/SettingsStore.h"
#include "setup/Preferenze.h"

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

class AvvioPage;
class ConnessionePage;
class FascePage;
class FestivitaPage;
class GeneralePage;
class LimitiPage;
class NumeriPage;
class QPushButton;
class QTabWidget;
class SetupPickers;
struct StatoProgramma;

// "Preferenze", the preferences dialog: seven pages of settings, each a
// widget of its own bound to a part of Preferenze, which loads, checks and
// saves. The dialog assembles the pages, runs the load, "OK", "Default" and
// the form storage, and ends "OK" and "Default" with the restart prompt.
// Created for one modal run by its opener and destroyed when it closes.
class TfrmSetup : public QDialog
{
    Q_OBJECT
public:
    // The creation runs the load sequence. `stato.SetupDaBarra` says who
    // opens it: the position fields of the other opener's windows are
    // disabled. `pickers`: the calendar, file and calculator dialogs (the
    // real ones when null).
    TfrmSetup(Servizi& servizi, StatoProgramma& stato, const Preferenze::Geometria& geometria,
              QWidget* parent = nullptr, SetupPickers* pickers = nullptr);
    ~TfrmSetup() override;

    // Opens the dialog modally, as "Se&tup" of the main window (`daBarra`
    // false) and "&Preferenze" of the compact strip (`daBarra` true) do:
    // sets SetupDaBarra, checks the positions against the screen `parent` is
    // on and the windows' outer sizes, runs the dialog and destroys it.
    // True when the user chose to end the program at the restart prompt: the
    // caller then ends it after its usual closing steps, from the event loop.
    static bool apri(QWidget* parent, Servizi& servizi, StatoProgramma& stato, bool daBarra,
                     const QSize& finestraPrincipale, const QSize& finestraBarra);

    // The user answered Yes to the restart prompt.
    bool chiudiProgramma() const { return m_chiudiProgramma; }
    Preferenze& preferenze() { return m_preferenze; }

    void BitBtn1Click();
    void BitBtn7Click();
    void PageControl1Change();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildPages();
    QWidget* buildFasce();
    void buildButtons();
    void fixSize();

    void FormCreate();
    void FormClose();
    void FormStorageRestore();
    void FormStorageSave();

    void mostraLimiti();
    // The page holding the field named `nome` shown, and the field given the keyboard.
    void mostraCampo(const QString& nome);
    void domandaRiavvio();
    void sottoPaginaCambiata();

    Servizi& m_servizi;
    SettingsStore m_store;
    std::function<QStringList()> m_vociDisponibili;
    Preferenze m_preferenze;
    std::unique_ptr<SetupPickers> m_ownPickers;
    SetupPickers* m_pickers = nullptr;
    bool m_chiudiProgramma = false;
    bool m_shown = false;
    bool m_restored = false;
    bool m_closed = false;

    QTabWidget* PageControl1 = nullptr;
    QTabWidget* PageControl2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn7 = nullptr;

    GeneralePage* m_generale = nullptr;
    std::array<FascePage*, 3> m_fasce{}; // "Feriali", "Festivi", "Sabato"
    FestivitaPage* m_festivita = nullptr;
    ConnessionePage* m_connessione = nullptr;
    AvvioPage* m_avvio = nullptr;
    LimitiPage* m_limiti = nullptr;
    NumeriPage* m_numeri = nullptr;
};
