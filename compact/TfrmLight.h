#pragma once

#include "compact/BarraCompatta.h"
#include "platform/Servizi.h"
#include "settings/SettingsStore.h"

#include <QPointer>
#include <QWidget>

class CountingSession;
class DialUpCounting;
class LiveMeter;
class QAction;
class QActionGroup;
class QFrame;
class QMenu;
class QToolButton;
class SharedCommands;
class StripDisplay;
class TfrmSupera;
struct SessionStart;
struct SessionStop;
struct StatoProgramma;

// The compact strip that stands in for the main window and the cost window
// in compact display mode: borderless, always on top, dragged by its central
// handle. It starts and stops the program's counting session, shows the
// session's meter its own way, watches the per-connection and daily limits
// while counting, and reaches every other window through its pop-up menu. It
// lives from start-up to the end of the program; the hidden main window owns
// it and ends the program.
class TfrmLight : public QWidget
{
    Q_OBJECT
public:
    // The strip's size as drawn; a font that needs more room enlarges every
    // part in the same proportion.
    static constexpr int larghezza = 304;
    static constexpr int altezza = 28;

    TfrmLight(Servizi& servizi, StatoProgramma& stato, CountingSession& session, DialUpCounting& dialUpCounting,
              SharedCommands& commands, QWidget& owner);
    ~TfrmLight() override;

    const BarraCompatta& barra() const { return m_barra; }
    // The running session's meter; null while idle.
    LiveMeter* liveMeter() const { return m_meter; }
    // The over-limit windows raised by this strip that are still open.
    QList<TfrmSupera*> avvisiAperti() const;

    // The program ends: the main window closes the strip with it.
    void closeWithProgram();

    // Handlers, named after their controls.
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SalvaPosizione1Click();
    void Esci2Click();
    void Forzaconteggiofestivo1Click();

public slots:
    // One tick of the running session's meter at the clock's present moment.
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void buildControls();
    void buildButtons();
    void buildMenu();
    void layOut();
    void place();
    void FormShow();

    void sessionStarted(const SessionStart& start);
    void sessionStopped(const SessionStop& stop);
    void meterTicked(const CostMeter::Tick& tick);
    void raiseWarning(ControlloLimitiInDiretta::Avviso avviso);
    void showMeter();
    void setCountingControls(bool counting);
    void syncStartStop();
    void setClasse(int classe);
    void showClasse(int classe);
    void applyHolidayColour();

    Servizi& m_servizi;
    StatoProgramma& m_stato;
    CountingSession& m_session;
    SharedCommands& m_commands;
    SettingsStore m_store;
    BarraCompatta m_barra;
    LiveMeter* m_meter = nullptr;
    QList<QPointer<TfrmSupera>> m_avvisi;
    bool m_shown = false;
    bool m_closingWithProgram = false;

    QFrame* Panel3 = nullptr;
    QToolButton* SpeedButton1 = nullptr; // start
    QToolButton* SpeedButton2 = nullptr; // stop
    QToolButton* SpeedButton3 = nullptr; // class
    QToolButton* SpeedButton4 = nullptr; // minimise
    QFrame* Bevel1 = nullptr;
    QFrame* Shape1 = nullptr;
    StripDisplay* Panel4 = nullptr; // the meter, with Panel1 and Panel2 over it

    QMenu* PopupMenu1 = nullptr;
    QAction* SalvaPosizione1 = nullptr;
    QAction* Preferenze2 = nullptr;
    QAction* Esci2 = nullptr;
    QAction* Statistiche2 = nullptr;
    QAction* VisualizzafasceTUT1 = nullptr;
    QAction* Visualizzafasceteleselezione1 = nullptr;
    QAction* Forzaconteggiofestivo1 = nullptr;
    QActionGroup* m_classi = nullptr; // Tut2, finoa30Km1, oltre60Km1, Tut3
    QAction* Minimizza1 = nullptr;
    QAction* Sommario1 = nullptr;
    QAction* Informazionisu1 = nullptr;
};
