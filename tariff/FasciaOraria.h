#pragma once

#include <QString>
#include <QTime>

// A tariff band: the 37-character text "hh.nn.ss-hh.nn.ss-CCCC-CCCC-CCCC-CCCC"
// of fixed columns, start and inclusive end of the band, then the unit
// interval of each distance class in tenths of a second.
class FasciaOraria
{
public:
    // Reads the start (positions 1-8) and the end (10-17); EConvertError
    // naming the column's text when either is not a time.
    explicit FasciaOraria(const QString& testo);

    QString testo() const { return m_testo; }
    QTime inizio() const { return m_inizio; }
    QTime fine() const { return m_fine; }

    // Both edges inclusive, whole seconds: a band that ends before it starts never contains a time.
    bool contiene(const QTime& ora) const;

    // The unit interval of class 1..4 (positions 19-22, 24-27, 29-32,
    // 34-37), in tenths of a second, read when asked; EConvertError naming
    // the column's text when it is not a number of at least one tenth. A class
    // outside 1..4 is read as class 1.
    int intervallo(int classe) const;

    // Whether the text reads whole: both times and all four intervals.
    static bool valida(const QString& testo);

private:
    QString m_testo;
    QTime m_inizio;
    QTime m_fine;
};
