#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

// Call archives made up for tests and benchmarks: random calls day after
// day, written as the program writes them (Windows-1252, CR LF), with the
// irregularities a real archive collects when asked for. The same options
// always give the same bytes.
class ArchiveGenerator
{
public:
    struct Options
    {
        QDate firstDay = QDate(1999, 1, 1);
        int days = 60;
        int callsPerDay = 8; // on average: each day gets 0 to twice as many
        quint32 seed = 1;
        double longCalls = 0.05;     // share of calls of hours, crossing bands (a few of more than a day)
        double midnightCalls = 0.03; // share of calls opened late in the evening and closed after midnight
        double zeroCalls = 0.02;     // calls closed in the second they opened
        double holidays = 0.05;      // closing records with the forced-holiday digit 1
        double emptyLines = 0.0;     // one empty line between an opening and its closing record
        double oldOpenings = 0.0;    // 44-character openings, without the blank and the entry name
        double oldestRecords = 0.0;  // 42-character records, without class and tariff-type digits
        double oddDigits = 0.0;      // class digits 0, 5 or 9, tariff type 3
        double junkLines = 0.0;      // lines that are no record, stray closing records
        double outOfOrder = 0.0;     // calls written among the calls of the days after theirs
        double badTimes = 0.0;       // closing times that do not convert
        bool mixedLineEnds = false;  // LF and CR as well as CR LF
        bool finalLineEnd = true;    // the last line has its line end
        QList<int> missingClosures;  // calls (counted from 0 in date order) written without their closing record
    };

    static QByteArray generate(const Options& options);
    // Writes the archive; false when the file cannot be written.
    static bool write(const QString& path, const Options& options);
    // The number of calls `generate` makes with these options.
    static int calls(const Options& options);
};
