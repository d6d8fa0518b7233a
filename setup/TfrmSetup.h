#pragma once

#include "platform/Servizi.h"
#include "settings/SettingsStore.h"
#include "setup/Preferenze.h"

#include <QDialog>
#include <QPoint>
#include <array>
#include <functional>
#include <memory>

class QAbstractSpinBox;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QTimeEdit;
class SetupPickers;
struct StatoProgramma;

// "Preferenze", the preferences dialog: seven pages of settings. It binds
// its controls to a Preferenze, which loads, checks and saves; "OK" and
// "Default" end with the restart prompt. Created for one modal run by its
// opener and destroyed when it closes.
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

    // Handlers, named after their controls.
    void BitBtn1Click();
    void BitBtn7Click();
    void PageControl1Change();
    void TabSheet7Enter();
    void TabSheet10Enter();
    void ComboBox1Click();
    void CheckBox4Click();
    void BitBtn8Click();
    void StringGrid1Click();
    void BitBtn3Click();
    void DateEdit1Change();
    void StringGrid2Click();
    void StringGrid3Click();
    void StringGrid4Click();
    void BitBtn6Click();
    void BitBtn5Click();
    void BitBtn4Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The widgets of one band sub-page ("Feriali", "Festivi", "Sabato").
    struct PaginaFasce
    {
        EditorFasce::Giorno giorno;
        QTableWidget* griglia = nullptr;
        QTimeEdit* dalle = nullptr;
        QTimeEdit* alle = nullptr;
        QLineEdit* intervallo = nullptr;
        QPushButton* conferma = nullptr;
    };

    QWidget* buildGenerale();
    QWidget* buildFasce();
    QWidget* buildPaginaFasce(PaginaFasce& pagina, int grid, int dalle, int alle, const QString& intervallo,
                              int conferma);
    QWidget* buildFestivita();
    QWidget* buildConnessione();
    QWidget* buildAvvio();
    QWidget* buildLimiti();
    QWidget* buildNumeri();
    QGroupBox* radioGroup(const QString& name, const QString& title, const QStringList& items, int columns,
                          QButtonGroup*& group);
    QLineEdit* fileField(const QString& name, const QString& caption);
    void fixSize();

    void FormCreate();
    void FormClose();
    void FormStorageRestore();
    void FormStorageSave();

    void mostraGenerale();
    void leggiGenerale();
    void mostraLimiti();
    void leggiLimiti();
    void mostraConnessione();
    void mostraFasce(PaginaFasce& pagina);
    void mostraFestivita();
    void positionChanged(Preferenze::Posizione campo);
    void grigliaClic(PaginaFasce& pagina);
    void confermaFasce(PaginaFasce& pagina);
    void addebitoClic(int quale);
    void domandaRiavvio();
    void mostra(const QList<Message>& messaggi);
    void mostraErrore(const std::exception& errore);
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
    bool m_loading = false;
    // The cell a click lands on was already the selected one: the click shows it again.
    QPoint m_cellaPrimaDelClic{-1, -1};

    QTabWidget* PageControl1 = nullptr;
    QTabWidget* PageControl2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn7 = nullptr;

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

    std::array<PaginaFasce, 3> m_fasce{};

    QTableWidget* StringGrid1 = nullptr;
    QLineEdit* DateEdit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* BitBtn3 = nullptr;

    QWidget* TabSheet7 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QPushButton* BitBtn8 = nullptr;

    QWidget* TabSheet9 = nullptr;
    std::array<QLineEdit*, 3> m_programmi{};

    QSpinBox* CurrencyEdit1 = nullptr;
    QSpinBox* RxSpinEdit3 = nullptr;
    QSpinBox* RxSpinEdit4 = nullptr;
    QSpinBox* RxCalcEdit1 = nullptr;
    QSpinBox* RxCalcEdit2 = nullptr;
    QSpinBox* RxSpinEdit7 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    QCheckBox* CheckBox7 = nullptr;
    QCheckBox* CheckBox11 = nullptr;
    std::array<QCheckBox*, 3> m_addebiti{}; // CheckBox13, CheckBox14, CheckBox15
    QDateEdit* DateEdit2 = nullptr;

    QWidget* TabSheet10 = nullptr;
    std::array<QComboBox*, 5> m_voci{};     // ComboBox3, 5, 8, 11, 14
    std::array<QComboBox*, 5> m_distanze{}; // ComboBox2, 7, 10, 13, 16
};
