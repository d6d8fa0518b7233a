#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <utility>

// One line of the call archive, read by its fixed columns (positions counted
// from 1): date 1-10, time 12-19, "Aperto" or "Chiuso" at 34-39, the
// forced-holiday, class and tariff-type digits at 42, 43 and 44, the entry
// name from 46. Any text can be held; the accessors never fail on a short or
// malformed line, only the conversions do.
struct RecordArchivio
{
    // Formats told apart by length.
    enum class Formato
    {
        Corrente,    // opening of 45 characters or more, closing of 44
        SenzaNome,   // opening of exactly 44 characters: no blank, no entry name
        SenzaClasse, // 43 characters or fewer: no class and tariff-type digits
        Altro        // anything else, such as a closing record longer than 44 characters
    };

    QString riga;

    RecordArchivio() = default;
    explicit RecordArchivio(QString testo)
        : riga(std::move(testo))
    {
    }

    bool apertura() const; // "Aperto" at 34-39
    bool chiusura() const; // "Chiuso" at 34-39
    bool vuoto() const { return riga.isEmpty(); }

    QString data() const;    // positions 1-10, "dd/mm/yyyy"
    QString ora() const;     // positions 12-19, "hh.nn.ss"
    QString dataOra() const; // positions 1-19
    // The digits at 42, 43 and 44; -1 when the line is too short or the
    // character is not a digit.
    int festivo() const;
    int classe() const;
    int tipo() const;
    // Positions 46-85: readers use at most 40 characters of the entry name.
    QString nomeConnessione() const;

    // The date and the time of day; EConvertError naming the text when they do not convert.
    QDate giorno() const;
    QTime orario() const;

    Formato formato() const;

    // The closing record proposed for an opening record left without one:
    // positions 1-33, "Chiuso", positions 40-44 (44 characters, the opening's
    // date, time and digits).
    QString chiusuraProposta() const;

    // Why the line cannot stand as a closing record the way the program
    // writes one ("dd/mm/yyyy hh.nn.ss collegamento Chiuso  FCT": 44
    // characters, a real date and time, F 0 or 1, C 1 to 4, T 1 or 2), in
    // words for the user; empty when it can.
    QString difettoChiusura() const;
};
