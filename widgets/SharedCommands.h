#pragma once

class QWidget;

// The commands both counting windows offer in their menus: the main window
// and the compact strip call them alike, and the program carries them out,
// so neither window needs to know the other's dialogs.
class SharedCommands
{
public:
    virtual ~SharedCommands() = default;

    // "Statistiche": the statistics window, modal over `parent`.
    virtual void statistiche(QWidget* parent) = 0;
    // "Preferenze": the preferences dialog, opened from the strip when
    // `daBarra`; when the user accepts the restart, the program ends.
    virtual void preferenze(QWidget* parent, bool daBarra) = 0;
    // The read-only viewers of the urban and of the long-distance bands.
    virtual void fasceTut(QWidget* parent) = 0;
    virtual void fasceTele(QWidget* parent) = 0;
    // "&Sommario": the guide in the browser; "Informazioni su...": the about box.
    virtual void sommario(QWidget* parent) = 0;
    virtual void informazioni(QWidget* parent) = 0;
    // Ends the program through the main window's usual closing steps.
    virtual void esci() = 0;
};
