#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The page "Festività" of the preferences dialog: the grid of the nine
// fixed holidays ("dd/mm"), the date field whose day and month the confirm
// button stores, and "Edit2" showing them. Only the editor changes the grid;
// "OK" stores its rows as FEST1 to FEST9.
class EditorFestivita
{
public:
    static constexpr int righe = 9;

    // The grid filled from the holidays of the start-up snapshot; row 0
    // selected and the date field showing its day and month in this year.
    EditorFestivita(const QStringList& festivita, const QDate& oggi);

    QString cella(int riga) const { return m_celle.value(riga); }
    QStringList festivita() const { return m_celle; }
    int rigaCorrente() const { return m_riga; }
    // The date field's text, "dd/mm/yyyy".
    QString data() const { return m_data; }
    // What "&Conferma" will store: the date field's day and month.
    QString nuovoValore() const { return m_nuovoValore; }

    // A row was clicked: the date field shows its day and month in this year.
    void clic(int riga);
    // The date field's text changed (as the calendar chose it).
    void dataCambiata(const QString& testo);
    void dataScelta(const QDate& data);
    // "&Conferma": the selected row gets the day and month shown. Nothing
    // else is checked: a date may stand in two rows.
    void conferma();

private:
    void mostraRiga();

    QStringList m_celle;
    int m_anno;
    int m_riga = 0;
    QString m_data;
    QString m_nuovoValore;
};
