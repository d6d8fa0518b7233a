#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <cstring>
#include <utility>

// One line of the call archive, read by its fixed columns (positions counted
// from 1): date 1-10, time 12-19, "Aperto" or "Chiuso" at 34-39, the
// forced-holiday, class and tariff-type digits at 42, 43 and 44, the entry
// name from 46. Any text can be held; the accessors never fail on a short or
// malformed line, only the conversions do. This is the one place that knows
// the columns: the writer composes its records here, and the statistics pass
// reads the raw bytes of a line here too.
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
    // An opening record long enough to hold the class and tariff-type
    // digits (44 characters or more): the first line of an archive.
    bool aperturaConCifre() const;

    QString data() const;    // positions 1-10, "dd/mm/yyyy"
    QString ora() const;     // positions 12-19, "hh.nn.ss"
    QString dataOra() const; // positions 1-19
    // Positions 1-44: the record without the blank and the entry name, what
    // tells one session from another.
    QString senzaNome() const;
    // The digits at 42, 43 and 44; -1 when the line is too short or the
    // character is not a digit.
    int festivo() const;
    int classe() const;
    int tipo() const;
    // Positions 46-85: readers use at most 40 characters of the entry name.
    QString nomeConnessione() const;

    // The date and the time of day; EConvertError naming the text when they
    // do not convert. The layouts the writers produce are read digit by
    // digit, any other text as strToDate and strToTime read it.
    QDate giorno() const;
    QTime orario() const;
    // The same record with the date and time of `momento` at 1-19.
    QString conMomento(const QDateTime& momento) const;

    // "manca la chiusura del collegamento:\r" and positions 1-20 (the date,
    // the time and a blank after each): what the user is told of an opening
    // record left without its closing record.
    QString messaggioChiusuraMancante() const;

    Formato formato() const;

    // The closing record proposed for an opening record left without one:
    // positions 1-33, "Chiuso", positions 40-44 (44 characters, the opening's
    // date, time and digits).
    QString chiusuraProposta() const;

    // The same columns of a line's raw bytes, for a pass that reads many lines
    // without decoding them: "Aperto" or "Chiuso" at 34-39, and the date at
    // 1-10 when it is written "dd/mm/yyyy" (an invalid date otherwise).
    static bool aperturaIn(QByteArrayView riga) { return eventoIn(riga, "Aperto"); }
    static bool chiusuraIn(QByteArrayView riga) { return eventoIn(riga, "Chiuso"); }
    static QDate dataIn(QByteArrayView riga);
    // The date at 1-10 as the number yyyymmdd when it is written "dd/mm/yyyy"
    // in digits, whether or not it is a real date; -1 otherwise. It orders as
    // the dates do, so a pass can test a line against its range before it
    // builds the date.
    static qint64 chiaveDataIn(QByteArrayView riga);
    // The year alone, the same way: the first test a pass makes of an opening record.
    static int annoIn(QByteArrayView riga);
    // The time at 12-19 when it is written "hh.nn.ss" (an invalid time otherwise).
    static QTime oraIn(QByteArrayView riga);
    // The digits at 42, 43 and 44, as festivo(), classe() and tipo() read them.
    static int festivoIn(QByteArrayView riga) { return cifraIn(riga, 42); }
    static int classeIn(QByteArrayView riga) { return cifraIn(riga, 43); }
    static int tipoIn(QByteArrayView riga) { return cifraIn(riga, 44); }
    // Both lines hold a date at 1-10, written the same way.
    static bool stessaDataIn(QByteArrayView a, QByteArrayView b);
    // The entry name as nomeConnessione() reads it.
    static QString nomeConnessioneIn(QByteArrayView riga);

    // A record of the oldest format, without the class and tariff-type
    // digits: 43 characters or fewer.
    static bool senzaClasseIn(QByteArrayView riga) { return riga.size() <= lunghezzaSenzaClasse; }
    // Such a record in the current format: its first 42 characters (through
    // the holiday digit), then "11", class 1 and the "Normale" tariff type.
    static QByteArray conClasseIn(QByteArrayView riga);

    // The text made one line: control characters (an entry name may hold
    // any) become blanks, so nothing can end a record early or forge another.
    static QString unaRiga(const QString& testo);

    // Why the line cannot stand as a closing record the way the program
    // writes one ("dd/mm/yyyy hh.nn.ss collegamento Chiuso  FCT": 44
    // characters, a real date and time, F 0 or 1, C 1 to 4, T 1 or 2), in
    // words for the user; empty when it can.
    QString difettoChiusura() const;

private:
    static constexpr qsizetype colonnaEvento = 33; // "Aperto" or "Chiuso", 0-based
    static constexpr qsizetype lunghezzaEvento = 6;
    static constexpr qsizetype lunghezzaSenzaClasse = 43;
    static int cifraIn(QByteArrayView riga, int posizione);
    // Inline: a pass asks it of every line.
    static bool eventoIn(QByteArrayView riga, const char* testo)
    {
        return riga.size() >= colonnaEvento + lunghezzaEvento &&
               std::memcmp(riga.data() + colonnaEvento, testo, lunghezzaEvento) == 0;
    }
};

// The two records a counting session leaves in the call archive.
// Opening: "dd/mm/yyyy hh.nn.ss collegamento Aperto  FCT NAME" (45 characters
// plus the entry name); closing: "dd/mm/yyyy hh.nn.ss collegamento Chiuso  FCT"
// (44 characters). F is the forced-holiday digit, C the class, T the tariff
// type. The entry name is made one safe line (unaRiga); characters outside
// Windows-1252 become "?" when the record is written.
QString recordApertura(const QDateTime& inizio, int festivo, int classe, int tipo, const QString& nomeConnessione);
QString recordChiusura(const QDateTime& fine, int festivo, int classe, int tipo);
