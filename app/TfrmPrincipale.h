#pragma once

#include "app/Servizi.h"
#include "settings/SettingsStore.h"

#include <QList>
#include <QMainWindow>
#include <memory>

class QAction;
class QButtonGroup;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class QToolBar;
class QToolButton;
struct StatoProgramma;
class TSingleInstanceGuard;
class TfrmCosto;
class TRasMonitor;

// The main toolbar window: it takes the program through its start-up, holds
// the class buttons and the start and stop pair, runs the counting sessions
// and lives for the whole run.
class TfrmPrincipale : public QMainWindow
{
    Q_OBJECT
public:
    TfrmPrincipale(Servizi& servizi, StatoProgramma& stato, std::unique_ptr<TSingleInstanceGuard> guard,
                   QWidget* parent = nullptr);
    ~TfrmPrincipale() override;

    // Shows the window as the display mode wants it at start: normal and tray
    // modes show it; compact and minimised modes were presented by the creation.
    void present();

    int PrimaAttivazione = 1;
    int ContatoreLampeggio = 0;

    // The caption: today's weekday name from the system locale, a blank and the short date.
    static QString captionFor(const QDate& today);

    // "Avvio": opens a counting session (shows the cost window when costs are
    // shown, appends the opening record). The dial-up monitor calls it for an
    // automatic start after setting AvvioAutomatico to "ON". Ignored while a
    // session is open, starting or stopping.
    void SpeedButton7Click();
    // "Arresto": closes the session and appends its closing record. Ignored
    // while idle, starting or stopping.
    void SpeedButton8Click();

    // The phone-book entry of the dial-up connection that is up (the
    // connection monitor's ConnectedEntry), written into the opening record;
    // empty when none.
    virtual QString nomeConnessione() const;

    // The desktop session is ending (logout, shutdown): a running session is
    // stopped as "Arresto" stops it, so that its closing record is written.
    void stopForSessionEnd();
    // The program was asked to end (SIGTERM): stops a running session as
    // above, closes the window and emits readyToQuit. Asked while a session is
    // starting or stopping, it waits for that to finish.
    void shutDown();

    // The live cost window of the running session; null when none.
    TfrmCosto* costWindow() const { return m_costo; }

signals:
    void readyToQuit();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildTrayIcon();
    void buildConnectionMonitor();
    void ConnessioneRasStatusChange();
    void ConnessioneRasConnectionStatus(int phase);

    void FormCreate();
    void checkHoliday();
    void prepareArchive();
    void FormShow();
    void FormActivate();
    bool FormCloseQuery();
    void FormClose();

    void avvia();
    void arresta();
    void afterTransition();
    void openCostWindow(const QDateTime& adesso);
    void closeCostWindow();
    void costTicked(const QString& costText);
    void setTrayAnimation(bool running);
    void nextTrayFrame();
    void setCountingControls(bool counting);
    void syncStartStop();
    void setItemEnabled(QAction* item, bool enabled);
    QString archivePath() const;

    void refreshCaption();
    void applyHolidayColour();
    void pressClassButton(int classe);
    void setTimePanelsVisible(bool visible);
    void savePosition(bool main, bool costs);
    bool costsForced() const;

    void ClassButtonClick(int classe);
    void Visualizzacosti1Click();
    void Forzailconteggiofestivo1Click();
    void Informazionisu1Click();
    void Sommario1Click();
    void SpeedButton1Click();
    void RipristinaClick();

    Servizi& m_servizi;
    StatoProgramma& m_stato;
    SettingsStore m_store;
    std::unique_ptr<TSingleInstanceGuard> m_guard;
    bool m_shown = false;

    // A start or a stop is under way: they let pending events run, and
    // whatever those events ask of the session waits or is ignored.
    bool m_inTransizione = false;
    bool m_arrestoRichiesto = false;
    bool m_chiusuraRichiesta = false;

    // Menu items whose windows have not joined the program yet: they stay disabled.
    QList<QAction*> m_nonDisponibili;

    QToolBar* m_toolBar = nullptr;
    QToolButton* SpeedButton1 = nullptr; // hide to the tray
    QButtonGroup* m_classButtons = nullptr;
    QToolButton* SpeedButton6 = nullptr; // lamp
    QToolButton* SpeedButton7 = nullptr; // "Avvio"
    QToolButton* SpeedButton8 = nullptr; // "Arresto"
    QLabel* Panel1 = nullptr;            // start time
    QLabel* Panel2 = nullptr;            // stop time

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

    QSystemTrayIcon* m_trayIcon = nullptr;
    QMenu* m_trayMenu = nullptr;
    QTimer* m_trayAnimation = nullptr;
    int m_trayFrame = 0;
    QWidget* m_compactWindow = nullptr;
    TfrmCosto* m_costo = nullptr;
    TRasMonitor* ConnessioneRas = nullptr;
};
