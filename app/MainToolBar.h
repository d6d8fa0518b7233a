#pragma once

#include <QToolBar>

class QButtonGroup;
class QToolButton;
class TimePanels;

// The main window's toolbar: the tray button, the four class buttons, the
// lamp, "Avvio" and "Arresto", and the two time panels laid over the class
// buttons. It tells the window what was clicked and shows what it is told.
class MainToolBar : public QToolBar
{
    Q_OBJECT
public:
    explicit MainToolBar(QWidget* parent);

    // "Riduce nella try bar": enabled only in tray mode.
    void setTrayEnabled(bool enabled);
    void pressClass(int classe);
    // Counting: the lamp lit, the class buttons disabled; idle: the reverse.
    void setCounting(bool counting);
    // The lamp's blink while counting.
    void blink();
    // "Avvio" down while a session counts, "Arresto" down otherwise.
    void showRunning(bool running);
    TimePanels* timePanels() const { return m_timePanels; }

signals:
    void trayClicked();
    void classClicked(int classe);
    void startClicked();
    void stopClicked();

private:
    void buildClassButtons();
    void buildStartStop();

    QToolButton* SpeedButton1 = nullptr; // hide to the tray
    QButtonGroup* m_classButtons = nullptr;
    QToolButton* SpeedButton6 = nullptr; // lamp
    QToolButton* SpeedButton7 = nullptr; // "Avvio"
    QToolButton* SpeedButton8 = nullptr; // "Arresto"
    TimePanels* m_timePanels = nullptr;  // Panel1, Panel2
};
