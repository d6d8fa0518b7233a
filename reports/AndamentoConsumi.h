#pragma once

#include "archive/CalcolaConsumi.h"
#include "reports/ProiezioneMese.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>
#include <optional>

// The trend of a range as the statistics window's "Andamento" page shows it:
// the days the statistics pass hands on, summed into one bar a day for ranges
// of up to 62 days and one a calendar month beyond, and the current month's
// sums up to today, from which its end is projected. It is fed by the same
// pass that gives the window's totals.
class AndamentoConsumi : public ConsumiRowSink
{
public:
    // The longest range drawn one bar a day.
    static constexpr qint64 massimoGiorni = 62;

    // One bar: a day, or the days of a calendar month that lie in the range.
    struct Barra
    {
        QDate dal;
        QDate al;
        qint64 scatti = 0;
        double costo = 0; // lire
        qint64 secondi = 0;

        // Whole minutes, truncated, as the limits count them.
        qint64 minuti() const { return secondi / 60; }
        bool operator==(const Barra&) const = default;
    };

    // The range dal..al (both included) and the date taken as today.
    AndamentoConsumi(const QDate& dal, const QDate& al, const QDate& oggi);

    // True when a bar is a month.
    bool mensile() const { return m_mensile; }
    // Every bar of the range in date order, days or months without calls included.
    const QList<Barra>& barre() const { return m_barre; }

    // The bars with consecutive ones summed in groups of as many bars each
    // (the last may hold fewer), so that at most `massimo` remain: what a
    // chart draws of a range of centuries. The bars themselves when they are
    // no more than `massimo`.
    QList<Barra> barreRaggruppate(qsizetype massimo) const;

    // The axis label of a bar: "06/12" for a day, "12/99" for a month,
    // "01/1991" for a group (its first month, with the century).
    QString etichetta(const Barra& barra) const;
    // What hovering a bar tells: the day ("06/12/1999") or the month
    // ("dicembre 1999", with the days in the range when it is not whole), or
    // for a group its first and last days ("dal 01/01/1991 al 31/12/2000"),
    // then units, cost ("L. 1.824") and whole minutes, one a line.
    QString descrizione(const Barra& barra, const QLocale& locale = QLocale::system()) const;

    // The current month projected to its end from its days up to today.
    // Nothing when the range does not hold every day from the month's first to today.
    std::optional<ProiezioneMese> proiezione(std::optional<qint64> limiteMensile) const;
    // What the page says instead when proiezione() gives nothing.
    QString proiezioneNonDisponibile() const;

    bool row(const ConsumiDay& giorno) override;
    // A day without calls adds nothing to its bar or to the month's sums.
    bool wantsEmptyDays() const override { return false; }
    bool finish() override { return true; }
    QString error() const override { return {}; }

private:
    // True when a bar stands for more than one day or month.
    bool gruppo(const Barra& barra) const;

    QDate m_dal;
    QDate m_al;
    QDate m_oggi;
    bool m_mensile = false;
    QList<Barra> m_barre;
    qint64 m_secondiMese = 0;
    double m_costoMese = 0;
};
