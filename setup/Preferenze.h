#pragma once

#include "platform/Message.h"
#include "settings/SettingsStore.h"
#include "setup/EditorFasce.h"
#include "setup/EditorFestivita.h"
#include "setup/FormStorage.h"
#include "setup/PaginaConnessione.h"

#include <QDate>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

class DialUpSource;
struct StatoProgramma;

// What the preferences dialog TfrmSetup does, without its widgets: the load
// of its values from the store and the start-up snapshot, the screen check of
// the window positions, the save of "OK", the factory values of "Default",
// and the pages' editors. The dialog shows these values and hands back what
// the user changed; each of its handlers calls one operation here.
class Preferenze
{
public:
    // The sizes the screen check needs, in pixels: the screen's and the outer
    // sizes of the main window and of the compact strip.
    struct Geometria
    {
        QSize schermo;
        QSize principale;
        QSize barra;
    };

    // The window-position fields, in the order the load fills them and the save converts them:
    // "barra" (Edit9, Edit10), "normale" (Edit12, Edit13), "costi" (Edit14, Edit15).
    enum Posizione
    {
        Edit9,
        Edit10,
        Edit12,
        Edit13,
        Edit14,
        Edit15
    };
    static constexpr int numeroPosizioni = 6;

    // The "Generale" page and the launch page's file fields as the dialog shows them.
    struct Generale
    {
        QString Edit1;          // unit price in lire, tax included, as typed
        QString Edit11;         // start delay of an automatic start, seconds
        int RxSpinEdit2 = 1;    // warning seconds before a unit, 1..18
        int RadioGroup1 = -1;   // item of the default class (class - 1); -1 none
        int RadioGroup2 = -1;   // item of the tariff type (type - 1); -1 none
        int RadioGroup3 = -1;   // item of the display mode; -1 none
        bool CheckBox1 = false; // "abilita beep"
        bool CheckBox2 = false; // one more unit at the start
        bool CheckBox3 = false; // back up the archive at start
        std::array<QString, numeroPosizioni> posizioni;
        std::array<QString, 3> programmi; // FilenameEdit1..3: browser, mail, other
    };

    struct Caricamento
    {
        QList<Message> avvisi; // the screen checks' messages, in order
        QStringList errori;    // conversion failures of the band times, in order
    };

    // A field "OK" cannot take: the message and the name of the field in error.
    struct Rifiuto
    {
        Message messaggio;
        QString campo;
        bool operator==(const Rifiuto&) const = default;
    };

    struct Controllo
    {
        std::optional<Message> avviso;
        std::optional<QString> correzione; // the field's new text
    };

    // `stato.SetupDaBarra` says who opened the dialog. `vociDisponibili`
    // lists the phone book's entry names when a page needs them.
    Preferenze(SettingsStore& store, StatoProgramma& stato, DialUpSource& dialUp, const Geometria& geometria,
               const QDate& oggi, std::function<QStringList()> vociDisponibili);

    // FormCreate: reads the settings into the controls' values in their
    // order, sets CostoScatto, checks the positions and fills the grids from
    // the start-up snapshot.
    Caricamento carica();

    // True when the field is checked against the screen in this opening:
    // "barra" when opened from the compact strip, "normale" from the main window.
    bool controllata(Posizione campo) const;
    // The fields of the other opener's windows are disabled.
    bool modificabile(Posizione campo) const;
    // The screen check of a position field's new text: a position beyond the
    // screen's edge is told and brought back to it. Throws EConvertError when
    // a checked field's text is not an integer.
    Controllo controllaPosizione(Posizione campo, const QString& testo) const;

    // "OK": every field checked first (Edit11 and the six positions are
    // integers, DateEdit2 a date), then every value written in its order.
    // When a field is refused nothing is written and its refusal comes back.
    std::optional<Rifiuto> salva();
    // The first field "OK" would refuse, in the order the save reads them.
    std::optional<Rifiuto> controlla() const;
    // The control name of a position field: "Edit9" ... "Edit15".
    static QString nomePosizione(Posizione campo);
    // "Default": the factory values written, in their order; "limiti" is not touched.
    void ripristinaDefault();
    static QList<SettingsStore::Entry> valoriDefault(int larghezzaPrincipale);

    // The restart prompt after "OK" and "Default".
    static QString domandaRiavvio();
    // Told each time the page "Avvio Automatico" is shown.
    static QString avvisoAvvioAutomatico();
    // The four class texts of the "Numeri" page's distance lists.
    static QStringList distanze();

    bool daBarra() const;
    Generale& generale() { return m_generale; }
    FormStorage::Valori& limiti() { return m_limiti; }
    EditorFasce& fasce(EditorFasce::Giorno giorno);
    EditorFestivita& festivita() { return m_festivita; }
    PaginaConnessione& connessione() { return m_connessione; }

    // The form storage: restored when the dialog is shown, saved when it closes.
    void ripristinaLimiti();
    void salvaLimiti();

private:
    int limite(Posizione campo) const;

    SettingsStore& m_store;
    StatoProgramma& m_stato;
    Geometria m_geometria;
    Generale m_generale;
    FormStorage::Valori m_limiti;
    EditorFasce m_feriali;
    EditorFasce m_festivi;
    EditorFasce m_sabato;
    EditorFestivita m_festivita;
    PaginaConnessione m_connessione;
};
