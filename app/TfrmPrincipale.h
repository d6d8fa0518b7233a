#pragma once

#include "app/Servizi.h"
#include "settings/SettingsStore.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QButtonGroup;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class QToolBar;
class QToolButton;
struct StatoProgramma;
class TSingleInstanceGuard;

// The main toolbar window: it takes the program through its start-up, holds
// the class buttons and the start and stop pair, and lives for the whole run.
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

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildTrayIcon();

    void FormCreate();
    void FormShow();
    void FormActivate();
    bool FormCloseQuery();
    void FormClose();

    void refreshCaption();
    void applyHolidayColour();
    void pressClassButton(int classe);
    void setTimePanelsVisible(bool visible);
    void savePosition(bool main, bool costs);

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
    QWidget* m_compactWindow = nullptr;
};
