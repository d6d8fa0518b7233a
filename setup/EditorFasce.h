#pragma once

#include "platform/Message.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>
#include <optional>

// One sub-page of "Fasce orarie" in the preferences dialog: the grid of the
// bands of one kind of day, split into cells, and the editor under it (the
// "dalle:" and "alle:" pickers, the interval field and "&Conferma"). Only the
// editor changes the grid; "OK" joins the rows back into band texts.
//
// Cells are addressed as the grid addresses them: column 1 the start, 2 the
// end, 3 to 6 the unit intervals of classes 1 to 4; rows from 1, band r on row r.
class EditorFasce
{
public:
    enum class Giorno
    {
        Feriali,
        Festivi,
        Sabato
    };
    enum class Fuoco
    {
        Nessuno,
        Dalle,
        Alle,
        Intervallo
    };
    static constexpr int colonne = 6;
    static constexpr int primaColonnaIntervallo = 3;

    // The grid filled from the band texts as the start-up snapshot holds them
    // (3 a weekday and a Saturday, 2 a holiday; missing ones are empty). The
    // selected cell is (1, 1); the pickers keep midnight until pickersIniziali().
    EditorFasce(Giorno giorno, const QStringList& fasce);

    // The six cells of a band text, cut at their fixed positions (start 1-8,
    // end 10-17, intervals 19-22, 24-27, 29-32, 34-37); short texts give short or empty cells.
    static QStringList dividi(const QString& fascia);
    // The cells joined back with "-": the 37-character band text.
    static QString unisci(const QStringList& celle);
    // Column headers 1 to 6: "dalle", "alle", "Tut", "< 15", "15 - 30", and
    // "> 30" (">30" on "Festivi").
    static QStringList intestazioni(Giorno giorno);
    // Row labels: "Ordinaria", "Notturna", "Notturna" ("Notturna" twice on "Festivi").
    static QStringList etichette(Giorno giorno);
    static int numeroFasce(Giorno giorno);

    Giorno giorno() const { return m_giorno; }
    int righe() const { return static_cast<int>(m_righe.size()); }
    QString cella(int colonna, int riga) const;
    // The band texts to store, row by row. A row the editor never changed is
    // given back exactly as it was loaded, so a malformed band is not cut up.
    QStringList fasce() const;

    int rigaCorrente() const { return m_riga; }
    int colonnaCorrente() const { return m_colonna; }
    QTime dalle() const { return m_dalle; }
    QTime alle() const { return m_alle; }
    QString intervallo() const { return m_intervallo; }
    bool intervalloAttivo() const { return m_intervalloAttivo; }
    // The field a click points to (the picker or the interval field of the
    // clicked cell), or after a refusal the field in error.
    Fuoco fuoco() const { return m_fuoco; }

    // What the user sets in the editor.
    void setDalle(const QTime& time);
    void setAlle(const QTime& time);
    void setIntervallo(const QString& testo);
    // The texts typed into the "dalle:" and "alle:" pickers, read as
    // TypedInput reads them. A text that is not a time is refused, with the
    // focus on its picker; the pickers then keep their times.
    std::optional<Message> leggiOrari(const QString& dalle, const QString& alle);

    // The pickers read the times of the selected row. Throws EConvertError
    // ("'...' is not a valid time") when a time cell cannot be read.
    void pickersIniziali();
    // A click on a cell (or a move of the selection): the pickers read the
    // row's times; an interval cell fills and enables the interval field and
    // takes the focus, a time cell empties and disables it and sends the
    // focus to its picker. Throws EConvertError as pickersIniziali().
    void clic(int colonna, int riga);
    // "&Conferma": the pickers' adjustments of the selected row, the interval
    // check (when an interval cell is selected) and the order check, then the
    // row's two times and the selected interval written into the grid. The
    // message of a refusal is returned and the grid is left as it was; the
    // adjustments and the interval field's padding stay either way, and the
    // focus goes to the field refused (the interval, or "dalle:" when the
    // times are out of order). Throws EConvertError when the interval is not
    // an integer.
    std::optional<Message> conferma();

private:
    bool suIntervallo() const { return m_colonna >= primaColonnaIntervallo && m_colonna <= colonne; }
    void aggiustaOrari();
    std::optional<Message> controllaIntervallo();

    Giorno m_giorno;
    QList<QStringList> m_righe;
    QStringList m_caricate;
    QList<bool> m_cambiate;
    int m_riga = 1;
    int m_colonna = 1;
    QTime m_dalle{0, 0, 0};
    QTime m_alle{0, 0, 0};
    QString m_intervallo;
    bool m_intervalloAttivo = true;
    Fuoco m_fuoco = Fuoco::Nessuno;
};
