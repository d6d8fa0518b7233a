#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <array>

class SettingsStore;

// How the program presents itself (visualizza\tipo).
enum class Visualizzazione
{
    Normale = 0, // the main toolbar window
    Tray = 1,    // the tray icon; the main window hides at its first activation
    Barra = 2,   // the compact strip stands in for the main and cost windows
    Ridotto = 3  // the main window minimised
};

// The process-wide state: the settings snapshot taken once at start-up and the
// session flags every window shares. One object, owned by the program and
// passed by reference.
struct StatoProgramma
{
    // Snapshot of the store (taken by fromStore()).
    QStringList feriali;                             // 3 band texts, as stored
    QStringList sabato;                              // 3 band texts
    QStringList festivi;                             // 2 band texts
    QStringList festivita;                           // 9 "dd/mm" texts
    QString CostoScatto = QStringLiteral("000");     // lire a unit; lowered during a session by the reductions
    QString CostoScattoBase = QStringLiteral("000"); // lire a unit; never lowered
    int RitardoAvvio = 12;                           // seconds, 0..59
    int TariffaCorrente = 1;                         // distance class 1..4
    int TipoTariffaInternet = 1;                     // 1 "Normale", 2 "Agevolata"
    Visualizzazione ModoVisualizzazione = Visualizzazione::Normale;
    QString ComposizioneAutomatica = QStringLiteral("OFF"); // connessione\automatico
    QString ConteggioAutomatico = QStringLiteral("0");      // "0" follows the dial-up connection, "1" manual only
    QPoint Posizione;                                       // main or compact window position, by mode
    std::array<QString, 3> SuonoFile{QStringLiteral("N/D"), QStringLiteral("N/D"), QStringLiteral("N/D")};

    // Session flags.
    int ConteggioInCorso = 0;
    QString AvvioAutomatico = QStringLiteral("OFF");
    int RiduzioneTeleAttiva = 0;
    int FestivoForzato = 0;
    bool SetupDaBarra = false;
    bool AltroFileAttivo = false;

    // Minutes used as last computed by the statistics.
    int consumiGiorno = 0;
    int consumiMese = 0;
    int consumiAnno = 0;

    // Reads the snapshot: bands, holidays, unit price, start delay, class,
    // tariff type, display mode, automatic dial and counting, the window
    // position of the display mode and the three sound files. A display mode
    // outside 0..3 starts in normal mode, a class outside 1..4 selects class 1
    // and a start delay outside 0..59 is clamped. A tariff type outside 1..2
    // or a unit price that is not a whole number of lire (both would reach the
    // archive and its totals) is read as its default, and the message for the
    // user is added to `problemi`.
    void fromStore(const SettingsStore& store, QStringList* problemi = nullptr);

    bool modo(Visualizzazione modo) const { return ModoVisualizzazione == modo; }
    // Tray and minimised modes always run the cost meter: its text reaches the
    // user through the tray hint and the taskbar.
    bool costiForzati() const { return modo(Visualizzazione::Tray) || modo(Visualizzazione::Ridotto); }
    // The snapshot of a store holding just the factory values.
    static StatoProgramma fromFactoryDefaults();
};
