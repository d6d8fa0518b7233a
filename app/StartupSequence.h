#pragma once

#include "archive/VerificaLimiti.h"
#include "platform/Message.h"
#include "platform/Servizi.h"

#include <QDate>
#include <QLocale>
#include <QPoint>
#include <QString>
#include <functional>
#include <optional>

class SettingsStore;
struct StatoProgramma;

// What the main window's creation and first show decide: the settings store
// opened (the first-run defaults or the repair of a damaged store), the
// settings snapshot, the display mode the desktop allows, the holiday
// detection, the archive made and backed up, the limits check, and the dial
// and the programs launched when the window is first shown. It shows nothing:
// each box goes to `tell` at its moment (the first-run warning before the
// defaults are written, the archive's warning before it is made), and the
// window carries out what the steps return.
class StartupSequence
{
public:
    using Tell = std::function<void(const Message&)>;

    // What the main window shows once the settings are read.
    struct Finestra
    {
        QString caption;                 // the weekday and the short date
        std::optional<QPoint> posizione; // where the main window goes; none in compact mode
        std::optional<bool> vediCosti;   // the check mark of "&Visualizza costi"; none in compact mode
        bool vediCostiBloccato = false;  // checked and disabled: tray and minimised modes
        int classe = 1;                  // the class button pressed
        bool festivo = false;            // "&Forza il conteggio Festivo" checked, the text red

        bool operator==(const Finestra&) const = default;
    };

    StartupSequence(Servizi& servizi, StatoProgramma& stato, SettingsStore& store, Tell tell);

    // The creation up to the limits check, in order: the settings files that
    // cannot be read kept aside; the store opened and the sound events
    // registered; the first-run defaults (posCostiX, the main window's width,
    // is the cost window's first position) or the repair of missing values;
    // the snapshot; tray mode without a tray falls back to minimised for this
    // run; the holiday detection; the data directory made current; the
    // archive made when missing and backed up when visualizza\backup is on.
    Finestra prepara(int posCostiX);
    // The limits check at start-up: its boxes told and sent to the desktop.
    // The result's `interrotto` leads to the repair of the archive.
    LimitiResult verificaLimiti();
    // The first show of the main window: in normal mode only, the automatic
    // dial (connessione\automatico "ON") and the programs of esegui\.
    void primaVisione();

    // The caption: `today`'s long weekday name in `locale`, a blank and the short date.
    static QString caption(const QDate& today, const QLocale& locale);

    // The archive the program writes and checks.
    QString archivePath() const;

private:
    void apriImpostazioni(int posCostiX);
    void leggiStato();
    void rinunciaAlTray();
    void preparaArchivio();
    Finestra finestra() const;

    Servizi& m_servizi;
    StatoProgramma& m_stato;
    SettingsStore& m_store;
    Tell m_tell;
};
