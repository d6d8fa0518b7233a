#pragma once

#include "app/StartupSequence.h"
#include "platform/Servizi.h"
#include "settings/SettingsStore.h"

#include <QMainWindow>
#include <memory>
#include <optional>
#include <utility>

class CountingSession;
class ProgramCommands;
class DialUpCounting;
class LiveMeter;
class QAction;
class MainToolBar;
struct SessionStart;
struct SessionStop;
struct StatoProgramma;
class TSingleInstanceGuard;
class TfrmCosto;
class TfrmLight;
class TRasMonitor;
class TrayIcon;

// The main toolbar window: it takes the program through its start-up, owns
// the dial-up monitor, and shows the counting sessions of the program's one
// CountingSession outside compact mode (with the cost window when costs are
// shown). It lives for the whole run; closing it ends the program.
class TfrmPrincipale : public QMainWindow
{
    Q_OBJECT
public:
    TfrmPrincipale(Servizi& servizi, StatoProgramma& stato, CountingSession& session,
                   std::unique_ptr<TSingleInstanceGuard> guard, QWidget* parent = nullptr);
    ~TfrmPrincipale() override;

    // Shows the window as the display mode wants it at start: normal and tray
    // modes show it; compact and minimised modes were presented by the creation.
    void present();

    int PrimaAttivazione = 1;
    int ContatoreLampeggio = 0;
    std::optional<std::pair<qint64, qint64>> m_costoMostrato; // the cost and seconds in the caption

    // "Avvio" and "Arresto": start and stop the session. Asked while a session
    // is starting or stopping (or of a session already in that state), they do
    // nothing and the buttons keep showing the session's state.
    void SpeedButton7Click();
    void SpeedButton8Click();

    // The phone-book entry of the dial-up connection that is up (the
    // connection monitor's ConnectedEntry), written into the opening record;
    // empty when none.
    virtual QString nomeConnessione() const;

    // The program was asked to end (SIGTERM): the session stops (once a start
    // or stop under way has finished), then the window closes.
    void shutDown();

    // The live cost window of the running session; null when none.
    TfrmCosto* costWindow() const { return m_costo; }
    // Counting that follows the dial-up connection: the compact strip hears of
    // the class chosen from the dialled entry here.
    DialUpCounting* dialUpCounting() const { return m_dialUpCounting; }
    // The compact strip that stands in for this window in compact mode; null in the other modes.
    TfrmLight* compactWindow() const { return m_compactWindow; }

signals:
    // The window has closed: the program ends.
    void readyToQuit();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildTrayIcon();
    void buildConnectionMonitor();

    void FormCreate();
    void showStartup(const StartupSequence::Finestra& finestra);
    void presentMode();
    bool trayAvailable() const;
    void FormActivate();
    bool FormCloseQuery();
    void FormClose();

    bool showsSessions() const;
    void sessionStarted(const SessionStart& start);
    void sessionStopped(const SessionStop& stop);
    void openCostWindow(const SessionStart& start);
    void closeCostWindow();
    void showCostWindow();
    void meterTicked();
    void setCountingControls(bool counting);
    void syncStartStop();

    void refreshCaption();
    void applyHolidayColour();
    void pressClassButton(int classe);
    void savePosition(bool main, bool costs);

    void ClassButtonClick(int classe);
    void Visualizzacosti1Click();
    void Forzailconteggiofestivo1Click();
    void Conversionevecchiarchivi1Click();
    void SpeedButton1Click();
    void RipristinaClick();

    Servizi& m_servizi;
    StatoProgramma& m_stato;
    CountingSession& m_session;
    SettingsStore m_store;
    StartupSequence m_avvio;
    std::unique_ptr<TSingleInstanceGuard> m_guard;
    std::unique_ptr<ProgramCommands> m_commands;
    bool m_shown = false;
    // The start-up limits check led to the repair of the archive: the program ends at once.
    bool m_endsAfterRepair = false;

    MainToolBar* m_toolBar = nullptr; // SpeedButton1 to SpeedButton8, Panel1 and Panel2

    QAction* Principale1 = nullptr;
    QAction* Costi1 = nullptr;
    QAction* Entrambe1 = nullptr;
    QAction* Setup1 = nullptr;
    QAction* Visualizzacosti1 = nullptr;
    QAction* Conversionevecchiarchivi1 = nullptr;
    QAction* Esci1 = nullptr;
    QAction* Statistiche1 = nullptr;
    QAction* VisualizzaleFasceTUT1 = nullptr;
    QAction* Visualizzafasceteleselezione1 = nullptr;
    QAction* Forzailconteggiofestivo1 = nullptr;
    QAction* Sommario1 = nullptr;
    QAction* Informazionisu1 = nullptr;

    TrayIcon* m_trayIcon = nullptr; // tray mode only
    TfrmLight* m_compactWindow = nullptr;
    LiveMeter* m_meter = nullptr;
    TfrmCosto* m_costo = nullptr;
    TRasMonitor* ConnessioneRas = nullptr;
    DialUpCounting* m_dialUpCounting = nullptr;
};
